#include "fileviewitem.h"

#include "filestatus.h"
#include "filetext.h"
#include "fileview.h"
#include "folderpath.h"
#include "localbytes.h"
#include "zglobal.h"
#include "zskin.h"

#include <QPainter>
#include <QPalette>

#include <cerrno>
#include <cstdio>

FileViewItem::FileViewItem(quint32 nameAt)
    : UTIL_ListViewItem(nullptr, QString())
    , m_mode(0)
    , m_icon(unsigned(FileIcon::Note))
    , m_ownerKnown(false)
    , m_timeKnown(false)
    , m_link(false)
    , m_nameAt(nameAt)
{
    setHeight(rowHeight());
}

int FileViewItem::rowHeight()
{
    static const int height = ZGlobal::isPhoneScreen() ? PhoneRowHeight : DesktopRowHeight;
    return height;
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
    m_link = status.link;
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

// Made each time the row is drawn, for the few rows on the screen.
QString FileViewItem::detailText() const
{
    QString text = sizeString(quint64(m_size));
    if (m_timeKnown)
        text += detailSeparator() + dateString(m_mtime, QStringLiteral("-"));
    text += detailSeparator() + modeString(m_mode);
    if (m_ownerKnown)
        text += detailSeparator() + ownerName(m_uid) + QLatin1Char(':') + groupName(m_gid);
    return text;
}

QPixmap FileViewItem::pixmap(int column) const
{
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    return column == 0 && view ? view->icon(icon()) : UTIL_ListViewItem::pixmap(column);
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

constexpr int NameShare = 55;  // percent of the row's height above the details line
constexpr int DetailsGap = 2;  // pixels between the name and the details
constexpr int DetailsScale = 85; // percent of the name's text size, on a phone at least ZGlobal::MinTextSize

// The check mark's box: white with the colour of the text around it, or
// filled with the text colour and the mark in the row's colour when checked.
void drawCheck(QPainter* p, const QRect& box, bool checked, const QColor& ink, const QColor& ground)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    const qreal pen = qMax(1.5, box.width() / 10.0);
    p->setPen(QPen(ink, pen));
    p->setBrush(checked ? ink : QColor(Qt::white));
    p->drawRoundedRect(QRectF(box).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), pen, pen);
    if (checked) {
        p->setPen(QPen(ground, pen * 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal w = box.width();
        const QPointF at = box.topLeft();
        p->drawPolyline(QPolygonF({at + QPointF(w * 0.22, w * 0.52), at + QPointF(w * 0.42, w * 0.72),
                                   at + QPointF(w * 0.78, w * 0.30)}));
    }
    p->restore();
}

} // namespace

// The toggle zone at the left holds the check box and the icon; the name and
// the details line follow, each shortened to the row's width.
void FileViewItem::paintCell(QPainter* p, const QPalette& palette, int column, int width,
                             int align)
{
    if (!p)
        return;
    if (column != 0) {
        UTIL_ListViewItem::paintCell(p, palette, column, width, align);
        return;
    }
    const int m = itemMargin();
    const int h = height();
    const bool selected = isSelected();
    if (selected)
        p->fillRect(0, 0, width, h, palette.brush(QPalette::Highlight));
    const QColor ink = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor faint(selected ? ZSkin::SecondaryOnHighlight : ZSkin::SecondaryText);
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    int x = m;
    if (view && !view->dirsOnly()) {
        const int box = h * 3 / 7;
        drawCheck(p, QRect(box / 2, (h - box) / 2, box, box), selected, ink,
                  palette.color(QPalette::Highlight));
        x = box / 2 + box + box / 3;
    }
    const QPixmap icon = pixmap(0);
    if (!icon.isNull()) {
        const int top = (h - icon.height()) / 2;
        p->drawPixmap(x, top, icon);
        if (m_link && view) {
            const QPixmap mark = view->icon(FileIcon::LinkMark);
            p->drawPixmap(x, top + icon.height() - mark.height(), mark);
        }
        x += icon.width() + 2 * m;
    }
    const int textWidth = width - m - x;
    if (textWidth <= 0)
        return;
    const int horizontal = align & Qt::AlignHorizontal_Mask;
    const int nameBottom = h * NameShare / 100;
    p->setPen(ink);
    p->drawText(QRect(x, 0, textWidth, nameBottom), horizontal | Qt::AlignBottom | Qt::TextSingleLine,
                p->fontMetrics().elidedText(fileName(), Qt::ElideMiddle, textWidth));
    QFont small = p->font();
    const int namePixels = QFontInfo(small).pixelSize();
    int detailPixels = namePixels * DetailsScale / 100;
    if (ZGlobal::isPhoneScreen())
        detailPixels = qMax(detailPixels, int(ZGlobal::MinTextSize));
    small.setPixelSize(qMax(1, detailPixels));
    p->setFont(small);
    p->setPen(faint);
    p->drawText(QRect(x, nameBottom + DetailsGap, textWidth, h - nameBottom - DetailsGap),
                horizontal | Qt::AlignTop | Qt::TextSingleLine, fittedDetails(detailText(), p->fontMetrics(), textWidth));
}
