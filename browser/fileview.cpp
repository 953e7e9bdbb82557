#include "fileview.h"

#include "filestatus.h"
#include "fileviewitem.h"
#include "folderpath.h"
#include "localbytes.h"
#include "nameorder.h"
#include "res_icon_reader.h"
#include "util_listviewdelegate.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>

#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>
#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr int ColumnInset = 24; // pixels left to the parent beside the name column

// Whether the folder can be listed at all: it exists, is a folder and may
// be opened for reading.
bool canList(const QString& folder)
{
    DIR* handle = ::opendir(toLocalBytes(folder).constData());
    if (!handle)
        return false;
    ::closedir(handle);
    return true;
}

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

// The entries of a folder read with readdir, so that names that are not
// valid UTF-8 keep their bytes, each with its one status query.
void readFolder(const QString& folder, int filterSpec, const QString& nameFilter,
                QStringList& names, std::vector<FileStatus>& statuses)
{
    DIR* handle = ::opendir(toLocalBytes(folder).constData());
    if (!handle)
        return;
    while (const dirent* entry = ::readdir(handle)) {
        const char* raw = entry->d_name;
        if (std::strcmp(raw, ".") == 0 || std::strcmp(raw, "..") == 0)
            continue;
        const QString name = fromLocalBytes(QByteArray(raw));
        const FileStatus status = fileStatusAt(::dirfd(handle), raw);
        if (!keeps(name, status, filterSpec, nameFilter))
            continue;
        names.append(name);
        statuses.push_back(status);
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
    loadIcons();
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
}

FileView::~FileView()
{
    std::printf("line: %d, function: %s, file: %s\n\n", __LINE__, "FileView", "fileview");
}

void FileView::loadIcons()
{
    RES_ICON_Reader reader;
    for (int i = 0; i < FileIconCount; ++i)
        if (const char* skinName = fileIconSkinName(FileIcon(i)))
            m_icons[i] = reader.getIcon(skinName, true);
    // The device icons are image files beside the program; the note icon
    // stands in for one that cannot be read.
    for (int i = 0; i < FileIconCount; ++i) {
        if (const char* file = fileIconImageFile(FileIcon(i))) {
            const QPixmap image(QString::fromLatin1(file));
            m_icons[i] = image.isNull() ? m_icons[int(FileIcon::Note)] : image;
        }
    }
}

QPixmap FileView::iconFor(const QString& path) const
{
    return m_icons[int(fileIconFor(path, fileStatus(path)))];
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
    m_pressItem = nullptr;
    clear();

    QStringList names;
    std::vector<FileStatus> statuses;
    if (sortHere) {
        readFolder(folder, m_filterSpec, m_nameFilter, names, statuses);
    } else {
        names = dir.entryList();
        names.removeAll(QStringLiteral("."));
        names.removeAll(QStringLiteral(".."));
        for (const QString& name : std::as_const(names))
            statuses.push_back(fileStatus(childPath(folder, name)));
    }
    std::vector<bool> folders;
    folders.reserve(statuses.size());
    for (const FileStatus& status : statuses)
        folders.push_back(status.isDir());
    QList<int> order;
    if (sortHere) {
        order = nameOrder(names, folders, m_sortSpec);
    } else {
        order.resize(names.size());
        std::iota(order.begin(), order.end(), 0);
    }

    // The rows go into the list in one step: inserting them one by one
    // costs the list a layout change each.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(names.size());
    for (const int i : std::as_const(order)) {
        const QString& name = names.at(i);
        const FileStatus& status = statuses[size_t(i)];
        if (m_dirsOnly && !status.isDir())
            break;
        const QString absPath = childPath(folder, name);
        auto* row = new FileViewItem(nullptr, name);
        row->setPixmap(0, m_icons[int(fileIconFor(absPath, status))]);
        row->setFileInfo(name, absPath, status, m_names);
        rows.append(row);
        m_expandedItem = row;
    }
    // Without sorting the list keeps the order of the listing.
    addTopLevelItems(rows);
    currentDir = folder;
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
    if (selected) {
        row->showDetails();
        selectedFiles.append(row->absPath);
    } else {
        row->hideDetails();
        selectedFiles.removeAll(row->absPath);
    }
    pressedPath = childPath(currentDir, row->text(0));
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
    clearSelection();
    row->setSelected(true);
    row->showDetails();
    selectedFiles = QStringList{row->absPath};
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
        selectedFiles.append(row->absPath);
    else
        selectedFiles.removeAll(row->absPath);
}

// Presses and taps are handled here rather than through the list's own
// signals: a press notification also for empty space, and a tap that is
// recognised by the row pressed, because showing or hiding details moves
// the rows under a finger that has not moved.
void FileView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    FileViewItem* row = rowOf(itemAt(pos));
    const int column = row ? columnAt(pos.x()) : -1;
    m_pressItem = nullptr;
    QTreeWidget::mousePressEvent(event); // makes the row current and toggles it
    m_pressItem = row;
    m_pressPos = pos;
    itemPressed(row, event->globalPosition().toPoint(), column);
}

void FileView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    FileViewItem* row = m_pressItem;
    m_pressItem = nullptr;
    const QPoint pos = event->position().toPoint();
    if (!row || !viewport()->rect().contains(pos))
        return;
    const bool still = (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance();
    if (!still && itemAt(pos) != row)
        return;
    itemClicked(row, event->globalPosition().toPoint(), columnAt(pos.x()));
}

// Each tap of a quick double tap is a tap of its own.
void FileView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    mousePressEvent(&press);
}

// A finger sliding over the list selects nothing on its way: the rows'
// selection and selectedFiles change only through presses and taps.
void FileView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        return;
    QTreeWidget::mouseMoveEvent(event);
}
