#pragma once

#include "fileicon.h"
#include "ownernames.h"

#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>

class FileViewItem;

// The file list: the entries of one folder as rows with icon and name.
// A tap in the left fifth of a row only toggles its selection (the press
// does that); a tap further right makes it the only selected row, and one
// in the middle also enters it when it is a folder. The selected paths are
// kept in selection order in selectedFiles.
class FileView : public QTreeWidget
{
    Q_OBJECT
public:
    // A filter of exactly QDir::Dirs, or Dirs | Hidden, lists folders only.
    FileView(const QString& nameFilter, int filterSpec, QWidget* parent, int sortSpec,
             const char* name = nullptr, Qt::WindowFlags f = {});
    ~FileView() override;

    // Emits rootDir, then lists the folder. A folder that cannot be read
    // leaves the view as it was.
    void setDir(const QString& path);
    QPixmap iconFor(const QString& path) const;
    QPixmap icon(FileIcon kind) const { return m_icons[int(kind)]; }
    bool dirsOnly() const { return m_dirsOnly; }

    QString currentDir;        // the folder shown, absolute and cleaned
    QString pressedPath;       // the entry last pressed
    QStringList selectedFiles; // absolute paths in the order of selection

signals:
    void rootDir(bool isRoot);

public slots:
    virtual void popupMenu();

protected slots:
    void itemClicked(QTreeWidgetItem* item, const QPoint& globalPos, int column);
    void itemPressed(QTreeWidgetItem* item, const QPoint& globalPos, int column);
    void itemHighlighted(QTreeWidgetItem* item);
    void updateSelections(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    void loadIcons();
    void selectAlone(FileViewItem* row);

    QString m_nameFilter;
    int m_filterSpec;
    int m_sortSpec;
    bool m_dirsOnly = false;
    FileViewItem* m_expandedItem = nullptr;
    FileViewItem* m_pressItem = nullptr; // the row under the finger, until release
    QPoint m_pressPos;
    QPixmap m_icons[FileIconCount];
    OwnerNames m_names;
};
