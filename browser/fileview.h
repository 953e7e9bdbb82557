#pragma once

#include "fileicon.h"

#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>

#include <cstdint>
#include <memory>
#include <vector>

class FileViewItem;
class MemberReader;
class MemberTable;
class QFileSystemWatcher;
class QTimer;
namespace arkive {
struct ListingResult;
struct MemberPick;
}

// Whether the folder can be listed at all: it exists, is a folder and may
// be opened for reading.
bool canList(const QString& folder);
// Whether the list can show what the file holds: a file of an archive
// format arkive knows.
bool canEnterArchive(const QString& path);
// What the user is told when an archive's listing ends: empty when every
// member was read and none needs a password.
QString listingEndText(const QString& archive, const arkive::ListingResult& result);

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
    // Keeps only these of selectedFiles, in every folder.
    void keepSelected(const QStringList& kept);

    // Shows the top level of the archive's members; false when the list
    // cannot enter it.
    bool enterArchive(const QString& archive);
    // As a middle tap on the entry at `path` in the folder shown: selects
    // it alone, in view, and enters it when it is an archive.
    void showEntry(const QString& path);
    bool insideArchive() const { return !m_archive.isEmpty(); }
    // The archive shown, absolute; empty outside any.
    QString archivePath() const { return m_archive; }
    const MemberTable* memberTable() const { return m_table.get(); }
    // The members selected in the archive shown, as its tools are told
    // them; one in a folder that is selected too comes with the folder.
    std::vector<arkive::MemberPick> selectedMembers() const;
    // The archive shown has been read whole and holds one entry at its top.
    bool oneTopEntry() const;
    // One folder up, inside the archive and then out of it, with the row
    // of the folder or archive left in view.
    void goUp();
    // Lists the folder or archive shown again.
    void refresh();

    QString currentDir;        // the folder shown, absolute and cleaned
    QString pressedPath;       // the entry last pressed
    QStringList selectedFiles; // absolute paths in the order of selection

signals:
    void rootDir(bool isRoot);
    // A listing succeeded: `folder` is the new currentDir.
    void folderShown(const QString& folder);
    // The view changed selectedFiles.
    void selectedFilesChanged();
    // How much of the archive has been read, for archives that must be
    // decompressed to be listed; -1 when the share is not known or the
    // reading is over.
    void listingProgress(int percent);
    // The reading of the archive ended; `message` (empty when all is well)
    // is for the user.
    void listingEnded(const QString& message);

public slots:
    virtual void popupMenu();

protected slots:
    void itemClicked(QTreeWidgetItem* item, const QPoint& globalPos, int column);
    void itemPressed(QTreeWidgetItem* item, const QPoint& globalPos, int column);
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
    void startRows();
    FileViewItem* memberRow(std::uint32_t record);
    void showMembers(std::uint32_t folder, std::uint32_t inView);
    void takeMembers();
    void leaveArchive();
    FileViewItem* scrollToRow(const QString& name);
    void relist();
    void watch(const QString& folder);

    QString m_nameFilter;
    int m_filterSpec;
    int m_sortSpec;
    bool m_dirsOnly = false;
    bool m_quiet = false; // the view itself changes the rows' selection
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
    // The archive shown, its members so far and their reading.
    QString m_archive;
    std::uint32_t m_folder = 0; // the folder shown in it
    std::unique_ptr<MemberTable> m_table;
    std::unique_ptr<MemberReader> m_reader;
    QTimer* m_readTimer = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_relistTimer = nullptr;
    qint64 m_archiveBytes = 0;
    bool m_readShare = false;   // a share of the archive read can be told
    int m_percent = -1;
    QStringList m_outsideSelection;
    mutable QPixmap m_icons[FileIconCount];
    mutable bool m_iconsLoaded = false;
};
