#pragma once

#include "util_listviewitem.h"

struct FileStatus;
class OwnerNames;

// One entry of the file list. Drawn as a plain list row, or, while the view
// highlights or selects it, in a taller details form: the name in a large
// font and two dark red lines with permissions, owner:group, size and date.
class FileViewItem : public UTIL_ListViewItem
{
public:
    FileViewItem(QTreeWidget* view, const QString& text, const QString& text1 = QString(),
                 const QString& text2 = QString(), const QString& text3 = QString(),
                 const QString& text4 = QString(), const QString& text5 = QString(),
                 const QString& text6 = QString(), const QString& text7 = QString());

    // Fills the texts from the entry's status (links followed). A status
    // that could not be read is reported on standard error with perror; the
    // row then shows what the entry itself (the link) tells, and no owner.
    void setFileInfo(const QString& fileName, const QString& absPath, const FileStatus& status,
                     OwnerNames& names);

    virtual void hideDetails();
    virtual void showDetails();

    QString key(int column, bool ascending) const override;
    void paintCell(QPainter* p, const QPalette& palette, int column, int width,
                   int align) override;

    bool detailsShown = false;
    QString absPath;
    QString fileName;
    QString dateText;
    QString sizeText;
    QString permText;
    QString ownerText;
    QString groupText;
    QString detailText;

    static constexpr int DetailsHeight = 55; // pixels
    static constexpr int PlainHeight = 30;   // pixels

private:
    void showHeight(int rowHeight);
};
