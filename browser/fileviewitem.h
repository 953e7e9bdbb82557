#pragma once

#include "fileicon.h"
#include "util_listviewitem.h"

struct FileStatus;

// One entry of the file list. Drawn as a plain list row, or, while the view
// highlights or selects it, in a taller details form: the name in a large
// font and two dark red lines with permissions, owner:group, size and date.
// A row keeps the facts of the entry's status query and makes the texts of
// its details only while they are shown: a folder of 100,000 entries holds
// 100,000 rows, of which a few are ever looked at closely.
class FileViewItem : public UTIL_ListViewItem
{
public:
    FileViewItem(QTreeWidget* view, const QString& text, const QString& text1 = QString(),
                 const QString& text2 = QString(), const QString& text3 = QString(),
                 const QString& text4 = QString(), const QString& text5 = QString(),
                 const QString& text6 = QString(), const QString& text7 = QString());

    // Keeps the facts of the entry's status (links followed). A status that
    // could not be read is reported on standard error with perror; the row
    // then shows what the entry itself (the link) tells, and no owner.
    void setFileInfo(const QString& absPath, const FileStatus& status);
    void setIcon(FileIcon icon) { m_icon = unsigned(icon); }
    FileIcon icon() const { return FileIcon(m_icon); }

    QString fileName() const { return text(0); }
    // The folder shown by the row's list, and the name.
    QString absPath() const;
    // "-rw-r--r-- root:root", a line break, "1.50Kb 2009-3-7 08:05:09".
    QString detailText() const;

    virtual void hideDetails();
    virtual void showDetails();

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
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    qint64 m_size = 0;  // bytes
    qint64 m_mtime = 0; // seconds since the epoch
};
