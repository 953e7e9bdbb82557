#include "fileview.h"

#include "filestatus.h"
#include "fileviewitem.h"
#include "folderpath.h"
#include "localbytes.h"
#include "nameorder.h"
#include "pngfile.h"
#include "res_icon_reader.h"
#include "util_listviewdelegate.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QScroller>
#include <QSet>

#include <cstdio>
#include <cstring>
#include <numeric>
#include <utility>
#include <vector>
#include <dirent.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/stat.h>

bool canList(const QString& folder)
{
    DIR* handle = ::opendir(toLocalBytes(folder).constData());
    if (!handle)
        return false;
    ::closedir(handle);
    return true;
}

namespace {

constexpr int ColumnInset = 24; // pixels left to the parent beside the name column
// Rows of a listing from which its freed scratch (about 160 bytes a row) is
// given back to the system; below, there is little to give.
constexpr qsizetype TrimFromRows = 10000;

// Whether a listing with the QDir filter flags `filterSpec` keeps an entry.
// Folders are kept whatever the name filter; a name starting with "." only
// with QDir::Hidden; regular files with QDir::Files; devices, pipes,
// sockets and broken links with QDir::System.
bool keeps(const QString& name, const FileStatus& status, int filterSpec, const QString& nameFilter)
{
    if (name.startsWith(QLatin1Char('.')) && !(filterSpec & QDir::Hidden))
        return false;
    if (status.isDir())
        return true;
    if (nameFilter != QLatin1String("*") && !QDir::match(nameFilter, name))
        return false;
    if (status.valid && S_ISREG(status.mode))
        return filterSpec & QDir::Files;
    return filterSpec & QDir::System;
}

// The entries kept of a folder: their names as text (to filter and sort
// them by), the same names as bytes one after another, each ended by a NUL
// (what the rows keep), and one status query each.
struct Listing
{
    QStringList names;
    QByteArray bytes;
    std::vector<quint32> nameAt; // where each name starts in `bytes`
    std::vector<FileStatus> statuses;

    void add(const QString& name, const char* raw, qsizetype size, const FileStatus& status)
    {
        names.append(name);
        nameAt.push_back(quint32(bytes.size()));
        bytes.append(raw, size).append('\0');
        statuses.push_back(status);
    }
};

// The entries of a folder read with readdir, so that names that are not
// valid UTF-8 keep their bytes, each with its one status query.
void readFolder(const QString& folder, int filterSpec, const QString& nameFilter, Listing& listing)
{
    DIR* handle = ::opendir(toLocalBytes(folder).constData());
    if (!handle)
        return;
    while (const dirent* entry = ::readdir(handle)) {
        const char* raw = entry->d_name;
        if (std::strcmp(raw, ".") == 0 || std::strcmp(raw, "..") == 0)
            continue;
        const qsizetype size = qsizetype(std::strlen(raw));
        const QString name = fromLocalBytes(QByteArray::fromRawData(raw, size));
        const FileStatus status = fileStatusAt(::dirfd(handle), raw);
        if (keeps(name, status, filterSpec, nameFilter))
            listing.add(name, raw, size, status);
    }
    ::closedir(handle);
}

FileViewItem* rowOf(QTreeWidgetItem* item)
{
    // Every row of the view is a FileViewItem.
    return static_cast<FileViewItem*>(item);
}

} // namespace

FileView::FileView(const QString& nameFilter, int filterSpec, QWidget* parent, int sortSpec,
                   const char* name, Qt::WindowFlags f)
    : QTreeWidget(parent)
    , m_nameFilter(nameFilter)
    , m_filterSpec(filterSpec)
    , m_sortSpec(sortSpec)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    if (f)
        setWindowFlags(f);
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("Name")});
    if (filterSpec == QDir::Dirs || filterSpec == (QDir::Dirs | QDir::Hidden)) {
        qDebug().noquote() << QStringLiteral("Dirs only");
        m_dirsOnly = true;
    }
    header()->hide();
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRootIsDecorated(false);
    setUniformRowHeights(false);
    setItemDelegate(new UTIL_ListViewDelegate(this));
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { itemHighlighted(current); });
    setColumnWidth(0, (parent ? parent->width() : width()) - ColumnInset);
    setSelectionMode(QAbstractItemView::MultiSelection);
    setAllColumnsShowFocus(true);
    // The finger moves the list pixel by pixel, and it glides on after a
    // quick drag; it stops at the ends instead of bouncing.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScroller* scroller = QScroller::scroller(viewport());
    QScrollerProperties properties = scroller->scrollerProperties();
    properties.setScrollMetric(QScrollerProperties::VerticalOvershootPolicy,
                               QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff));
    properties.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy,
                               QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff));
    scroller->setScrollerProperties(properties);
}

FileView::~FileView()
{
    std::printf("line: %d, function: %s, file: %s\n\n", __LINE__, "FileView", "fileview");
}

void FileView::loadIcons() const
{
    m_iconsLoaded = true;
    RES_ICON_Reader reader;
    for (int i = 0; i < FileIconCount; ++i)
        if (const char* skinName = fileIconSkinName(FileIcon(i)))
            m_icons[i] = reader.getIcon(skinName, true);
    // The device icons are image files beside the program; the note icon
    // stands in for one that cannot be read.
    for (int i = 0; i < FileIconCount; ++i) {
        if (const char* file = fileIconImageFile(FileIcon(i))) {
            const QPixmap image = readPng(QString::fromLatin1(file));
            m_icons[i] = image.isNull() ? m_icons[int(FileIcon::Note)] : image;
        }
    }
}

QPixmap FileView::icon(FileIcon kind) const
{
    if (!m_iconsLoaded)
        loadIcons();
    return m_icons[int(kind)];
}

QPixmap FileView::iconFor(const QString& path) const
{
    return icon(fileIconFor(path, fileStatus(path)));
}

QString FileView::rowName(quint32 at) const
{
    return fromLocalBytes(rowNameBytes(at));
}

QByteArray FileView::rowNameBytes(quint32 at) const
{
    const char* name = m_names.constData() + at;
    return QByteArray::fromRawData(name, qsizetype(std::strlen(name)));
}

void FileView::setDir(const QString& path)
{
    emit rootDir(QDir::cleanPath(path) == QLatin1String("/"));

    // Sorting by name is done here, from the one status query per entry.
    const bool sortHere = sortsByName(m_sortSpec);
    const QDir dir(path, m_nameFilter,
                   sortHere ? QDir::SortFlags(QDir::Unsorted) : QDir::SortFlags(m_sortSpec),
                   QDir::Filters(m_filterSpec) | QDir::AllDirs);
    const QString folder = QDir::cleanPath(dir.absolutePath());
    if (!canList(folder))
        return;

    m_expandedItem = nullptr;
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true); // emptying the list does not unselect its entries
        clear();
    }

    Listing listing;
    if (sortHere) {
        readFolder(folder, m_filterSpec, m_nameFilter, listing);
    } else {
        for (const QString& name : dir.entryList()) {
            if (name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            const QByteArray raw = toLocalBytes(name);
            listing.add(name, raw.constData(), raw.size(), fileStatus(childPath(folder, name)));
        }
    }
    QStringList& names = listing.names;
    std::vector<bool> folders;
    folders.reserve(listing.statuses.size());
    for (const FileStatus& status : listing.statuses)
        folders.push_back(status.isDir());
    QList<int> order;
    if (sortHere) {
        order = nameOrder(names, folders, m_sortSpec);
    } else {
        order.resize(names.size());
        std::iota(order.begin(), order.end(), 0);
    }
    m_names = std::move(listing.bytes);
    m_names.squeeze();

    // The rows go into the list in one step: inserting them one by one
    // costs the list a layout change each. Each name is let go once its
    // row is made, so that the row's parts take its place on the heap.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(names.size());
    for (const int i : std::as_const(order)) {
        const FileStatus& status = listing.statuses[size_t(i)];
        if (m_dirsOnly && !status.isDir())
            break;
        const QString absPath = childPath(folder, std::exchange(names[i], QString()));
        auto* row = new FileViewItem(listing.nameAt[size_t(i)]);
        row->setIcon(fileIconFor(absPath, status));
        row->setFileInfo(absPath, status);
        rows.append(row);
        m_expandedItem = row;
    }
    const bool newFolder = folder != currentDir;
    // The rows' paths are made from currentDir.
    currentDir = folder;
    // Without sorting the list keeps the order of the listing.
    addTopLevelItems(rows);
    showSelectedRows(rows);
#ifdef __GLIBC__
    // The listing's scratch (the names as text, the statuses, the order)
    // lay on the heap between the rows; its free pages go back to the
    // system instead of staying with the process.
    if (rows.size() >= TrimFromRows)
        ::malloc_trim(0);
#endif
    if (newFolder) {
        QScroller::scroller(viewport())->stop();
        scrollToTop();
    }
    emit folderShown(currentDir);
}

// The rows of entries in selectedFiles are shown selected, so that what
// looks selected is what the dialogs get.
void FileView::showSelectedRows(const QList<QTreeWidgetItem*>& rows)
{
    QSet<QByteArray> names;
    for (const QString& path : std::as_const(selectedFiles))
        if (parentFolder(path) == currentDir)
            names.insert(toLocalBytes(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)));
    if (names.isEmpty())
        return;
    QItemSelection selection;
    for (QTreeWidgetItem* row : rows) {
        if (names.contains(rowNameBytes(rowOf(row)->nameAt()))) {
            const QModelIndex index = indexFromItem(row);
            selection.select(index, index);
        }
    }
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void FileView::clearSelectedFiles()
{
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        clearSelection();
    }
    selectedFiles.clear();
    emit selectedFilesChanged();
}

// Every change of the rows' selection that the view does not make itself
// (the keyboard's, a press's) is carried into selectedFiles: rows selected
// are appended in order, rows unselected removed.
void FileView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    if (m_quiet || (selected.isEmpty() && deselected.isEmpty()))
        return;
    QSet<QString> gone;
    for (const QModelIndex& index : deselected.indexes())
        if (index.column() == 0)
            gone.insert(rowOf(itemFromIndex(index))->absPath());
    if (!gone.isEmpty())
        selectedFiles.removeIf([&gone](const QString& path) { return gone.contains(path); });
    QSet<QString> have(selectedFiles.cbegin(), selectedFiles.cend());
    for (const QModelIndex& index : selected.indexes()) {
        if (index.column() != 0)
            continue;
        const QString path = rowOf(itemFromIndex(index))->absPath();
        if (!have.contains(path)) {
            selectedFiles.append(path);
            have.insert(path);
        }
    }
    emit selectedFilesChanged();
}

// The name column spans the view, so that a highlight reaches its edge and
// nothing scrolls sideways on the narrow screen. (The list's own stretching
// of a column needs a visible header.)
void FileView::updateGeometries()
{
    QTreeWidget::updateGeometries();
    const int width = viewport()->width();
    if (width > 0 && columnWidth(0) != width)
        setColumnWidth(0, width);
}

void FileView::popupMenu() {}

void FileView::itemPressed(QTreeWidgetItem* item, const QPoint&, int)
{
    FileViewItem* row = rowOf(item);
    const bool selected = row && row->isSelected();
    qDebug().noquote() << QStringLiteral("selected ") + QString::number(selected ? 1 : 0);
    if (!row)
        return;
    // The press's own change of the selection has reached selectedFiles
    // through selectionChanged().
    if (selected)
        row->showDetails();
    else
        row->hideDetails();
    pressedPath = row->absPath();
    qDebug().noquote() << QStringLiteral("pressed: ") + pressedPath;
}

void FileView::itemClicked(QTreeWidgetItem* item, const QPoint& globalPos, int)
{
    FileViewItem* row = rowOf(item);
    if (!row)
        return;
    const FileStatus link = linkStatus(pressedPath);
    if (link.valid && S_ISLNK(link.mode))
        qDebug().noquote() << QStringLiteral("SymLink");
    qDebug().noquote() << QStringLiteral("clicked: ") + pressedPath;
    for (const QString& file : std::as_const(selectedFiles))
        std::printf("%s <<", toLocalBytes(file).constData());

    const int x = mapFromGlobal(globalPos).x();
    const int w = parentWidget() ? parentWidget()->width() : width();
    const TapZone zone = tapZone(x, w);
    if (zone == TapZone::Toggle)
        return;
    selectAlone(row);
    if (zone == TapZone::Select)
        return;
    if (fileStatus(pressedPath).isDir())
        setDir(pressedPath);
}

void FileView::selectAlone(FileViewItem* row)
{
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        clearSelection();
        row->setSelected(true);
    }
    row->showDetails();
    selectedFiles = QStringList{row->absPath()};
    emit selectedFilesChanged();
}

void FileView::itemHighlighted(QTreeWidgetItem* item)
{
    FileViewItem* row = rowOf(item);
    if (row == m_expandedItem)
        return;
    if (m_expandedItem)
        m_expandedItem->hideDetails();
    m_expandedItem = row;
    if (row)
        row->showDetails();
}

void FileView::updateSelections(QTreeWidgetItem* item)
{
    FileViewItem* row = rowOf(item);
    if (!row)
        return;
    if (row->isSelected())
        selectedFiles.append(row->absPath());
    else
        selectedFiles.removeAll(row->absPath());
}

// A finger on the list: its press and moves go to the list's scroller;
// when it is lifted without having moved, that was a tap, and only then
// does the press act on the row (it toggles the row's selection), followed
// by the tap. A drag, or a touch that stops the gliding list, selects
// nothing.
void FileView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    QScroller* scroller = QScroller::scroller(viewport());
    m_touch.down = true;
    m_touch.dragging = false;
    m_touch.stopsFling = scroller->state() == QScroller::Scrolling;
    m_touch.pos = event->position().toPoint();
    m_touch.globalPos = event->globalPosition().toPoint();
    scroller->handleInput(QScroller::InputPress, event->position(), event->timestamp());
}

void FileView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    if (!m_touch.down)
        return;
    if ((event->position().toPoint() - m_touch.pos).manhattanLength() >= QApplication::startDragDistance())
        m_touch.dragging = true;
    QScroller::scroller(viewport())->handleInput(QScroller::InputMove, event->position(),
                                                 event->timestamp());
}

void FileView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_touch.down) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    m_touch.down = false;
    QScroller::scroller(viewport())->handleInput(QScroller::InputRelease, event->position(),
                                                 event->timestamp());
    if (!m_touch.dragging && !m_touch.stopsFling)
        tap(m_touch.pos, m_touch.globalPos, event->modifiers());
}

void FileView::tap(const QPoint& pos, const QPoint& globalPos, Qt::KeyboardModifiers modifiers)
{
    FileViewItem* row = rowOf(itemAt(pos));
    const int column = row ? columnAt(pos.x()) : -1;
    // The list's own press makes the row current and toggles it.
    QMouseEvent press(QEvent::MouseButtonPress, pos, globalPos, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QTreeWidget::mousePressEvent(&press);
    itemPressed(row, globalPos, column);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, globalPos, Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QTreeWidget::mouseReleaseEvent(&release);
    if (row)
        itemClicked(row, globalPos, column);
}

// Each tap of a quick double tap is a tap of its own.
void FileView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    mousePressEvent(&press);
}
