#include "fileview.h"

#include "filestatus.h"
#include "fileviewitem.h"
#include "folderpath.h"
#include "format.h"
#include "localbytes.h"
#include "memberreader.h"
#include "membertable.h"
#include "memberviewitem.h"
#include "nameorder.h"
#include "pngfile.h"
#include "res_icon_reader.h"
#include "util_listviewdelegate.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QScroller>
#include <QSet>
#include <QTimer>

#include <algorithm>
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

bool canEnterArchive(const QString& path)
{
    const FileStatus status = fileStatus(path);
    return status.valid && S_ISREG(status.mode) && arkive::formatOfArchive(toLocalBytes(path).toStdString());
}

QString listingEndText(const QString& archive, const arkive::ListingResult& result)
{
    const QString name = QFileInfo(archive).fileName();
    const QString words = QString::fromStdString(result.message);
    switch (result.end) {
    case arkive::ListingEnd::Complete:
    case arkive::ListingEnd::Cancelled: break;
    case arkive::ListingEnd::Broken:
        return QObject::tr("%1 is damaged: the members before the damage are shown (%2).").arg(name, words);
    case arkive::ListingEnd::Encrypted:
        return result.members == 0
                   ? QObject::tr("%1 hides the names of its members behind a password: they cannot be shown. "
                                 "Extract unpacks it with the password.").arg(name)
                   : QObject::tr("%1 hides the names of some of its members behind a password: the others are shown.")
                         .arg(name);
    case arkive::ListingEnd::NotAnArchive:
        return QObject::tr("%1 is not an archive arkive can open (%2).").arg(name, words);
    }
    if (result.someEncrypted)
        return QObject::tr("Some members of %1 are protected by a password: Extract asks for it.").arg(name);
    return QString();
}

namespace {

// How often the rows of members read in the background join the list.
constexpr int MemberRowsIntervalMs = 50;
// How long after a change of the folder shown it is listed again: a folder
// that a job fills changes many times a second. A large folder waits as
// many times longer than its last listing took, so that listing it again
// never takes most of the time.
constexpr int RelistDelayMs = 500;
constexpr int RelistCostFactor = 4;

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
    // Every row has FileViewItem::rowHeight(): the list need not ask each
    // row of a long listing for its height.
    setUniformRowHeights(true);
    setItemDelegate(new UTIL_ListViewDelegate(this));
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

    // The folder shown is listed again when it changes (an archive made
    // or unpacked there appears by itself), where it was scrolled to and
    // with its selection.
    m_watcher = new QFileSystemWatcher(this);
    m_relistTimer = new QTimer(this);
    m_relistTimer->setSingleShot(true);
    m_relistTimer->setInterval(RelistDelayMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_relistTimer, [this] {
        if (!m_relistTimer->isActive())
            m_relistTimer->start();
    });
    connect(m_relistTimer, &QTimer::timeout, this, [this] {
        if (!insideArchive() && !m_touch.down)
            relist();
    });

    m_readTimer = new QTimer(this);
    m_readTimer->setInterval(MemberRowsIntervalMs);
    connect(m_readTimer, &QTimer::timeout, this, &FileView::takeMembers);
}

FileView::~FileView()
{
    // The reading thread calls on the view no more.
    m_reader.reset();
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
    // Inside an archive the rows' names are those of the member table.
    const char* name = (m_table ? m_table->textBlock() : m_names.constData()) + at;
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
    if (insideArchive())
        leaveArchive();

    startRows();

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
        watch(currentDir);
    }
    emit folderShown(currentDir);
}

// The folder shown again, scrolled where it was.
void FileView::relist()
{
    const int scrolled = verticalScrollBar()->value();
    QElapsedTimer took;
    took.start();
    setDir(currentDir);
    verticalScrollBar()->setValue(scrolled);
    m_relistTimer->setInterval(int(std::max<qint64>(RelistDelayMs, RelistCostFactor * took.elapsed())));
}

void FileView::watch(const QString& folder)
{
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    if (!folder.isEmpty())
        m_watcher->addPath(folder);
}

void FileView::startRows()
{
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true); // emptying the list does not unselect its entries
        clear();
    }
    m_names.clear();
}

bool FileView::enterArchive(const QString& path)
{
    if (m_dirsOnly || !canEnterArchive(path))
        return false;
    const QString archive = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (insideArchive())
        leaveArchive();
    m_outsideSelection = std::exchange(selectedFiles, QStringList());
    m_archive = archive;
    watch(QString());
    const std::string bytes = toLocalBytes(archive).toStdString();
    const arkive::Format* format = arkive::formatOfArchive(bytes);
    // A compressed tar is read to its end to be listed; zip, 7z and rar
    // have directories that are read at once.
    m_readShare = format && format->family == arkive::Family::Tar && format->compressor;
    m_archiveBytes = fileStatus(archive).size;
    m_percent = -1;
    m_table = std::make_unique<MemberTable>();
    // The end of the reading is taken at once; the rows before it as the
    // timer comes round.
    m_reader = std::make_unique<MemberReader>(
        bytes, [this] { QMetaObject::invokeMethod(this, &FileView::takeMembers, Qt::QueuedConnection); });
    m_readTimer->start();
    emit rootDir(false);
    emit selectedFilesChanged();
    showMembers(MemberTable::kTop, MemberTable::kNone);
    return true;
}

void FileView::leaveArchive()
{
    m_readTimer->stop();
    m_reader.reset();
    m_table.reset();
    m_archive.clear();
    selectedFiles = std::exchange(m_outsideSelection, QStringList());
    if (m_percent >= 0) {
        m_percent = -1;
        emit listingProgress(-1);
    }
    emit selectedFilesChanged();
}

FileViewItem* FileView::memberRow(std::uint32_t record)
{
    const std::string_view name = m_table->name(record);
    auto* row = new MemberViewItem(m_table->record(record).nameAt, record);
    FileStatus status;
    status.valid = true;
    status.mode = statMode(m_table->record(record));
    row->setIcon(fileIconFor(fromLocalBytes(QByteArray(name.data(), qsizetype(name.size()))), status));
    return row;
}

// The members of one folder of the archive, folders first as in a folder,
// with the row of `inView` (a member) in view.
void FileView::showMembers(std::uint32_t folder, std::uint32_t inView)
{
    startRows();
    m_folder = folder;
    const std::vector<std::uint32_t> records = m_table->children(folder);
    QStringList names;
    std::vector<bool> folders;
    for (const std::uint32_t r : records) {
        const std::string_view name = m_table->name(r);
        names.append(fromLocalBytes(QByteArray(name.data(), qsizetype(name.size()))));
        folders.push_back(m_table->record(r).isFolder());
    }
    QList<int> order;
    if (sortsByName(m_sortSpec)) {
        order = nameOrder(names, folders, m_sortSpec);
    } else {
        order.resize(names.size());
        std::iota(order.begin(), order.end(), 0);
    }
    QList<QTreeWidgetItem*> rows;
    rows.reserve(order.size());
    QTreeWidgetItem* shown = nullptr;
    for (const int i : std::as_const(order)) {
        rows.append(memberRow(records[size_t(i)]));
        if (records[size_t(i)] == inView)
            shown = rows.last();
    }
    const std::string inside = folder == MemberTable::kTop ? std::string() : m_table->path(folder);
    currentDir = inside.empty() ? m_archive : childPath(m_archive, fromLocalBytes(QByteArray::fromStdString(inside)));
    addTopLevelItems(rows);
    showSelectedRows(rows);
    QScroller::scroller(viewport())->stop();
    if (shown)
        scrollToItem(shown, QAbstractItemView::PositionAtCenter);
    else
        scrollToTop();
    emit folderShown(currentDir);
}

// The members read since the last look join the list: those of the folder
// shown as rows, at its end; once all are read the folder is shown again in
// its order, where it was.
void FileView::takeMembers()
{
    if (!m_reader)
        return;
    const bool done = m_reader->done();
    QList<QTreeWidgetItem*> rows;
    for (const arkive::Member& member : m_reader->take())
        for (const std::uint32_t r : m_table->add(member))
            if (m_table->record(r).parent == m_folder)
                rows.append(memberRow(r));
    if (!rows.isEmpty()) {
        addTopLevelItems(rows);
        showSelectedRows(rows);
    }
    if (m_readShare && m_archiveBytes > 0) {
        const int percent = int(std::min<quint64>(99, m_reader->bytesRead() * 100 / quint64(m_archiveBytes)));
        if (percent != m_percent && !done)
            emit listingProgress(m_percent = percent);
    }
    if (!done)
        return;
    m_readTimer->stop();
    const arkive::ListingResult result = m_reader->result();
    m_reader.reset();
    m_table->squeeze();
    const int scrolled = verticalScrollBar()->value();
    showMembers(m_folder, MemberTable::kNone);
    verticalScrollBar()->setValue(scrolled);
    m_percent = -1;
    emit listingProgress(-1);
    const QString archive = m_archive;
    if (result.end == arkive::ListingEnd::NotAnArchive && m_table->size() == 0)
        goUp();
    emit listingEnded(listingEndText(archive, result));
}

std::vector<arkive::MemberPick> FileView::selectedMembers() const
{
    std::vector<arkive::MemberPick> picks;
    if (!m_table)
        return picks;
    const QString prefix = m_archive + QLatin1Char('/');
    std::vector<std::string> inside;   // each pick's path in the archive
    for (const QString& path : selectedFiles) {
        if (!path.startsWith(prefix))
            continue;
        const std::uint32_t r = m_table->find(toLocalBytes(path.mid(prefix.size())).toStdString());
        if (r != MemberTable::kNone) {
            picks.push_back(m_table->pick(r));
            inside.push_back(m_table->path(r));
        }
    }
    // A member in a folder picked too comes with the folder: the tools
    // would say that no member answers its name once the folder took it.
    const auto isBelow = [](const std::string& path, const std::string& folder) {
        return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
    };
    std::vector<arkive::MemberPick> kept;
    for (std::size_t i = 0; i < picks.size(); ++i) {
        bool below = false;
        for (std::size_t j = 0; j < picks.size() && !below; ++j)
            below = picks[j].folder && isBelow(inside[i], inside[j]);
        if (!below)
            kept.push_back(picks[i]);
    }
    return kept;
}

bool FileView::oneTopEntry() const
{
    return m_table && !m_reader && m_table->children(MemberTable::kTop).size() == 1;
}

void FileView::goUp()
{
    if (insideArchive() && m_folder != MemberTable::kTop) {
        showMembers(m_table->record(m_folder).parent, m_folder);
        return;
    }
    const QString from = insideArchive() ? m_archive : currentDir;
    setDir(parentFolder(from));
    scrollToRow(from.mid(from.lastIndexOf(QLatin1Char('/')) + 1));
}

void FileView::refresh()
{
    if (insideArchive())
        enterArchive(m_archive);
    else
        relist();
}

FileViewItem* FileView::scrollToRow(const QString& name)
{
    const QByteArray bytes = toLocalBytes(name);
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (rowNameBytes(rowOf(topLevelItem(i))->nameAt()) == bytes) {
            scrollToItem(topLevelItem(i), QAbstractItemView::PositionAtCenter);
            return rowOf(topLevelItem(i));
        }
    return nullptr;
}

void FileView::showEntry(const QString& path)
{
    if (parentFolder(path) != currentDir)
        return;
    if (FileViewItem* row = scrollToRow(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1))) {
        selectAlone(row);
        enterArchive(path);
    }
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

void FileView::keepSelected(const QStringList& kept)
{
    selectedFiles.removeIf([&kept](const QString& path) { return !kept.contains(path); });
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        clearSelection();
    }
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < topLevelItemCount(); ++i)
        rows.append(topLevelItem(i));
    showSelectedRows(rows);
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
    if (m_table) {
        const std::uint32_t record = static_cast<MemberViewItem*>(row)->record();
        if (m_table->record(record).isFolder())
            showMembers(record, MemberTable::kNone);
        return;
    }
    if (fileStatus(pressedPath).isDir())
        setDir(pressedPath);
    else
        enterArchive(pressedPath);
}

void FileView::selectAlone(FileViewItem* row)
{
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        clearSelection();
        row->setSelected(true);
    }
    selectedFiles = QStringList{row->absPath()};
    emit selectedFilesChanged();
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
