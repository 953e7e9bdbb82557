#include "fileviewitem.h"

#include "filestatus.h"
#include "filetext.h"
#include "localbytes.h"
#include "ownernames.h"

#include <QPainter>
#include <QPalette>

#include <cerrno>
#include <cstdio>

FileViewItem::FileViewItem(QTreeWidget* view, const QString& text, const QString& text1,
                           const QString& text2, const QString& text3, const QString& text4,
                           const QString& text5, const QString& text6, const QString& text7)
    : UTIL_ListViewItem(view, text, true, text1, text2, text3, text4, text5, text6, text7)
{
}

void FileViewItem::setFileInfo(const QString& name, const QString& path, const FileStatus& status,
                               OwnerNames& names)
{
    fileName = name;
    absPath = path;
    FileStatus shown = status;
    if (!status.valid) {
        errno = status.error;
        std::perror(toLocalBytes(path).constData());
        shown = linkStatus(path);
    }
    sizeText = sizeString(quint64(shown.size));
    dateText = shown.valid ? dateString(shown.mtime, QStringLiteral("-")) : QString();
    permText = modeString(shown.mode);
    if (status.valid) {
        ownerText = names.user(status.uid);
        groupText = names.group(status.gid);
    }
}

void FileViewItem::showDetails()
{
    if (detailsShown)
        return;
    detailText = permText + QLatin1Char(' ') + ownerText + QLatin1Char(':') + groupText
                 + QLatin1Char('\n') + sizeText + QLatin1Char(' ') + dateText;
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
    QFont font;
    if (!fileName.isEmpty()) {
        font.setPointSizeF(phonePoints(p, (3 * h) / 7));
        p->setFont(font);
        p->drawText(QRect(x, 0, (width - m) - x, h / 2), flags, fileName);
    }
    p->setPen(QColor(Qt::darkRed));
    font.setPointSizeF(phonePoints(p, h / 4));
    p->setFont(font);
    p->drawText(QRect(x, h / 2, (width - m) - x, h / 2), flags, detailText);
}
