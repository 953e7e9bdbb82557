#pragma once

#include "fileicon.h"
#include "util_listviewitem.h"

struct FileStatus;

// One entry of the file list: every row has the same height and shows the
// name and, under it, a line of details (size, date, and permissions and
// owner where they fit), so that selecting a row moves none. A selected
// row is drawn in the highlight colour with a check mark in the toggle
// zone at its left (not in a folders-only list, where nothing is chosen by
// selecting). A symbolic link carries an arrow over its icon.
// A row keeps the facts of the entry's status query and makes the texts of
// its details only while they are drawn: a folder of 100,000 entries holds
// 100,000 rows, of which a few are on the screen. Its name is kept by the
// view, in one block with the names of the other rows.
class FileViewItem : public UTIL_ListViewItem
{
public:
    // `nameAt`: where the row's name starts in its view's names.
    explicit FileViewItem(quint32 nameAt);

    // Keeps the facts of the entry's status (links followed). A status that
    // could not be read is reported on standard error with perror; the row
    // then shows what the entry itself (the link) tells, and no owner.
    void setFileInfo(const QString& absPath, const FileStatus& status);
    void setIcon(FileIcon icon) { m_icon = unsigned(icon); }
    FileIcon icon() const { return FileIcon(m_icon); }
    bool isLink() const { return m_link; }

    QString fileName() const;
    quint32 nameAt() const { return m_nameAt; }
    // The folder shown by the row's list, and the name.
    QString absPath() const;
    // The details line: "4.0 KiB · 2009-3-7 08:05:09 · -rw-r--r-- · root:root",
    // its parts in the order in which they give way when the row is narrow
    // (see fittedDetails).
    virtual QString detailText() const;

    QVariant data(int column, int role) const override;
    QPixmap pixmap(int column) const override;
    QString key(int column, bool ascending) const override;
    void paintCell(QPainter* p, const QPalette& palette, int column, int width,
                   int align) override;

    // The one height of every row: a finger's target with two lines on a
    // phone-shaped screen, two lines on the emulated screen.
    static int rowHeight();
    static constexpr int PhoneRowHeight = 56; // logical pixels
    static constexpr int DesktopRowHeight = 36; // pixels

private:
    // The facts, packed: the row object is most of a listing's memory.
    unsigned m_mode : 16;      // st_mode: file type and permission bits
    unsigned m_icon : 8;       // a FileIcon
    bool m_ownerKnown : 1;     // the status (links followed) could be read
    bool m_timeKnown : 1;      // some status could be read
    bool m_link : 1;           // the entry is a symbolic link
    quint32 m_nameAt;
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    qint64 m_size = 0;  // bytes
    qint64 m_mtime = 0; // seconds since the epoch
};
