#pragma once

#include "fileicon.h"

#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>

class FileViewItem;

// Whether the folder can be listed at all: it exists, is a folder and may
// be opened for reading.
bool canList(const QString& folder);

// The file list: the entries of one folder as rows with icon and name.
// A tap in the left fifth of a row only toggles its selection (the press
// does that); a tap further right makes it the only selected row, and one
// in the middle also enters it when it is a folder. A finger dragged over
// the list scrolls it, with kinetic scrolling, and selects nothing. The
// selected paths are kept in selection order in selectedFiles, across
// folders; the rows shown selected are exactly those of selectedFiles in
// the folder shown.
class FileView : public QTreeWidget
{
    Q_OBJECT
public:
    // A filter of exactly QDir::Dirs, or Dirs | Hidden, lists folders only.
    FileView(const QString& nameFilter, int filterSpec, QWidget* parent, int sortSpec,
             const char* name = nullptr, Qt::WindowFlags f = {});
    ~FileView() override;

    // Emits rootDir, then lists the folder. A folder that cannot be read
    // leaves the view as it was. A folder other than the one shown is shown
    // from its top.
    void setDir(const QString& path);
    QPixmap iconFor(const QString& path) const;
    // The icon set is made when a row first needs it.
    QPixmap icon(FileIcon kind) const;
    bool dirsOnly() const { return m_dirsOnly; }
    // The name of a row of the folder shown, by where it starts in the
    // view's names (FileViewItem::nameAt).
    QString rowName(quint32 at) const;
    // Empties selectedFiles, in every folder.
    void clearSelectedFiles();

    QString currentDir;        // the folder shown, absolute and cleaned
    QString pressedPath;       // the entry last pressed
    QStringList selectedFiles; // absolute paths in the order of selection

signals:
    void rootDir(bool isRoot);
    // A listing succeeded: `folder` is the new currentDir.
    void folderShown(const QString& folder);
    // The view changed selectedFiles.
    void selectedFilesChanged();

public slots:
    virtual void popupMenu();

protected slots:
    void itemClicked(QTreeWidgetItem* item, const QPoint& globalPos, int column);
    void itemPressed(QTreeWidgetItem* item, const QPoint& globalPos, int column);
    void itemHighlighted(QTreeWidgetItem* item);
    void updateSelections(QTreeWidgetItem* item);
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    void loadIcons() const;
    void selectAlone(FileViewItem* row);
    void showSelectedRows(const QList<QTreeWidgetItem*>& rows);
    QByteArray rowNameBytes(quint32 at) const;
    void tap(const QPoint& pos, const QPoint& globalPos, Qt::KeyboardModifiers modifiers);

    QString m_nameFilter;
    int m_filterSpec;
    int m_sortSpec;
    bool m_dirsOnly = false;
    bool m_quiet = false; // the view itself changes the rows' selection
    FileViewItem* m_expandedItem = nullptr;
    // The rows' names as the folder gives them, one after another, each
    // ended by a NUL: one block instead of a string for every row.
    QByteArray m_names;
    // A finger on the list, from its press to its release.
    struct Touch
    {
        bool down = false;
        bool dragging = false; // moved too far to be a tap
        bool stopsFling = false; // pressed while the list was still moving
        QPoint pos;
        QPoint globalPos;
    } m_touch;
    mutable QPixmap m_icons[FileIconCount];
    mutable bool m_iconsLoaded = false;
};
