#include "fileviewitem.h"

#include "filestatus.h"
#include "filetext.h"
#include "fileview.h"
#include "folderpath.h"
#include "localbytes.h"

#include <QPainter>
#include <QPalette>

#include <cerrno>
#include <cstdio>

FileViewItem::FileViewItem(quint32 nameAt)
    : UTIL_ListViewItem(nullptr, QString())
    , detailsShown(false)
    , m_mode(0)
    , m_icon(unsigned(FileIcon::Note))
    , m_ownerKnown(false)
    , m_timeKnown(false)
    , m_nameAt(nameAt)
{
}

void FileViewItem::setFileInfo(const QString& path, const FileStatus& status)
{
    FileStatus shown = status;
    if (!status.valid) {
        errno = status.error;
        std::perror(toLocalBytes(path).constData());
        shown = linkStatus(path);
    }
    m_mode = shown.mode & 0xFFFFu; // the type and permission bits are the low 16
    m_uid = status.uid;
    m_gid = status.gid;
    m_size = shown.size;
    m_mtime = shown.mtime;
    m_ownerKnown = status.valid;
    m_timeKnown = shown.valid;
}

QString FileViewItem::fileName() const
{
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    return view ? view->rowName(m_nameAt) : QString();
}

QVariant FileViewItem::data(int column, int role) const
{
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
        return fileName();
    return UTIL_ListViewItem::data(column, role);
}

QString FileViewItem::absPath() const
{
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    return view ? childPath(view->currentDir, view->rowName(m_nameAt)) : QString();
}

// Made each time the details are drawn, for the few rows that show them.
QString FileViewItem::detailText() const
{
    const QString owner = m_ownerKnown ? ownerName(m_uid) : QString();
    const QString group = m_ownerKnown ? groupName(m_gid) : QString();
    const QString date = m_timeKnown ? dateString(m_mtime, QStringLiteral("-")) : QString();
    return modeString(m_mode) + QLatin1Char(' ') + owner + QLatin1Char(':') + group + QLatin1Char('\n')
           + sizeString(quint64(m_size)) + QLatin1Char(' ') + date;
}

QPixmap FileViewItem::pixmap(int column) const
{
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    return column == 0 && view ? view->icon(icon()) : UTIL_ListViewItem::pixmap(column);
}

void FileViewItem::showDetails()
{
    if (detailsShown)
        return;
    detailsShown = true;
    showHeight(DetailsHeight);
}

void FileViewItem::hideDetails()
{
    if (!detailsShown)
        return;
    detailsShown = false;
    showHeight(PlainHeight);
}

void FileViewItem::showHeight(int rowHeight)
{
    // A new height repaints the row by itself; the same height needs a
    // repaint for the changed form.
    if (height() == rowHeight)
        repaint();
    else
        setHeight(rowHeight);
}

QString FileViewItem::key(int column, bool ascending) const
{
    // Every row sorts equal on the name column, so sorting on it keeps the
    // order of the listing.
    if (column == 0)
        return QString();
    return UTIL_ListViewItem::key(column, ascending);
}

namespace {
// Font sizes of the details form are the phone's points: one point is one
// pixel of its 72 dpi screen. On a screen of another density the size is
// converted, so that the row looks the same in its fixed pixel height.
constexpr double PhoneDpi = 72.0;

double phonePoints(const QPainter* p, int points)
{
    const int dpi = p->device() ? p->device()->logicalDpiY() : 0;
    return dpi > 0 ? points * PhoneDpi / dpi : points;
}

int withVerticalAlignment(int align)
{
    return (align & (Qt::AlignTop | Qt::AlignBottom)) ? align : align | Qt::AlignVCenter;
}
} // namespace

void FileViewItem::paintCell(QPainter* p, const QPalette& palette, int column, int width,
                             int align)
{
    if (!detailsShown) {
        UTIL_ListViewItem::paintCell(p, palette, column, width, align);
        return;
    }
    if (!p)
        return;
    const int m = itemMargin();
    const int h = height();
    if (column != 0) {
        UTIL_ListViewItem::paintCell(p, palette, column, width, align);
        return;
    }
    if (isSelected()) {
        p->fillRect(0, 0, width, h, palette.brush(QPalette::Highlight));
        p->setPen(palette.color(QPalette::HighlightedText));
    } else {
        p->setPen(palette.color(QPalette::Text));
    }
    int x = m;
    const QPixmap icon = pixmap(0);
    if (!icon.isNull()) {
        p->drawPixmap(m, (h - icon.height()) / 2, icon);
        x = m + icon.width() + m;
    }
    const int flags = withVerticalAlignment(align);
    const int textWidth = (width - m) - x;
    QFont font;
    const QString name = fileName();
    if (!name.isEmpty()) {
        font.setPointSizeF(phonePoints(p, (3 * h) / 7));
        p->setFont(font);
        p->drawText(QRect(x, 0, textWidth, h / 2), flags,
                    p->fontMetrics().elidedText(name, Qt::ElideMiddle, textWidth));
    }
    p->setPen(QColor(Qt::darkRed));
    font.setPointSizeF(phonePoints(p, h / 4));
    p->setFont(font);
    // Each line is shortened on its own: a long owner name or date must not
    // push the rest off the row.
    QStringList lines = detailText().split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = p->fontMetrics().elidedText(line, Qt::ElideMiddle, textWidth);
    p->drawText(QRect(x, h / 2, textWidth, h / 2), flags, lines.join(QLatin1Char('\n')));
}
