#pragma once

#include "fileicon.h"
#include "util_listviewitem.h"

struct FileStatus;

// One entry of the file list. Drawn as a plain list row, or, while the view
// highlights or selects it, in a taller details form: the name in a large
// font and two dark red lines with permissions, owner:group, size and date.
// A row keeps the facts of the entry's status query and makes the texts of
// its details only while they are shown: a folder of 100,000 entries holds
// 100,000 rows, of which a few are ever looked at closely. Its name is kept
// by the view, in one block with the names of the other rows.
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

    QString fileName() const;
    quint32 nameAt() const { return m_nameAt; }
    // The folder shown by the row's list, and the name.
    QString absPath() const;
    // "-rw-r--r-- root:root", a line break, "1.50Kb 2009-3-7 08:05:09".
    virtual QString detailText() const;

    virtual void hideDetails();
    virtual void showDetails();

    QVariant data(int column, int role) const override;
    QPixmap pixmap(int column) const override;
    QString key(int column, bool ascending) const override;
    void paintCell(QPainter* p, const QPalette& palette, int column, int width,
                   int align) override;

    bool detailsShown : 1;

    static constexpr int DetailsHeight = 55; // pixels
    static constexpr int PlainHeight = 30;   // pixels

private:
    void showHeight(int rowHeight);

    // The facts, packed: the row object is most of a listing's memory.
    unsigned m_mode : 16;      // st_mode: file type and permission bits
    unsigned m_icon : 8;       // a FileIcon
    bool m_ownerKnown : 1;     // the status (links followed) could be read
    bool m_timeKnown : 1;      // some status could be read
    quint32 m_nameAt;
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    qint64 m_size = 0;  // bytes
    qint64 m_mtime = 0; // seconds since the epoch
};
