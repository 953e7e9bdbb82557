#include "util_listviewitem.h"

#include <QPainter>
#include <QPalette>
#include <QTreeWidget>

namespace {
// The role under which a row hands its own address to the delegate.
constexpr int ItemRole = Qt::UserRole + 0x7A11;
} // namespace

UTIL_ListViewItem::UTIL_ListViewItem(QTreeWidget* view, const QString& text, bool,
                                     const QString& text1, const QString& text2,
                                     const QString& text3, const QString& text4,
                                     const QString& text5, const QString& text6,
                                     const QString& text7)
    : QTreeWidgetItem(UserType)
{
    // Only the columns that carry text are set: a row of a long listing
    // stays small.
    const QString* texts[] = {&text, &text1, &text2, &text3, &text4, &text5, &text6, &text7};
    for (int column = 0; column < 8; ++column)
        if (!texts[column]->isNull())
            setText(column, *texts[column]);
    if (view)
        view->addTopLevelItem(this);
}

void UTIL_ListViewItem::paintCell(QPainter* p, const QPalette& palette, int column, int width,
                                  int align)
{
    if (!p)
        return;
    const int h = height();
    const int m = itemMargin();
    if (isSelected()) {
        p->fillRect(0, 0, width, h, palette.brush(QPalette::Highlight));
        p->setPen(palette.color(QPalette::HighlightedText));
    } else {
        p->setPen(palette.color(QPalette::Text));
    }
    int x = m;
    const QPixmap icon = pixmap(column);
    if (!icon.isNull()) {
        p->drawPixmap(m, (h - icon.height()) / 2, icon);
        x = m + icon.width() + m;
    }
    const QRect rect(x, 0, width - m - x, h);
    if (rect.width() <= 0)
        return;
    const QString shown = p->fontMetrics().elidedText(text(column), Qt::ElideMiddle, rect.width());
    int flags = align & Qt::AlignHorizontal_Mask;
    p->drawText(rect, flags | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

QString UTIL_ListViewItem::key(int column, bool) const
{
    return text(column);
}

bool UTIL_ListViewItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (other.type() != UserType)
        return QTreeWidgetItem::operator<(other);
    const auto& row = static_cast<const UTIL_ListViewItem&>(other);
    return key(column, true) < row.key(column, true);
}

// Column 0 only: the phone's rows have one icon.
void UTIL_ListViewItem::setPixmap(int column, const QPixmap& pixmap)
{
    if (column == 0)
        QTreeWidgetItem::setData(0, Qt::DecorationRole, pixmap);
}

QPixmap UTIL_ListViewItem::pixmap(int column) const
{
    return column == 0 ? QTreeWidgetItem::data(0, Qt::DecorationRole).value<QPixmap>() : QPixmap();
}

void UTIL_ListViewItem::setHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    repaint();
}

int UTIL_ListViewItem::itemMargin() const
{
    return treeWidget() ? ListMargin : 1;
}

void UTIL_ListViewItem::repaint()
{
    // Tells the list that the row changed: it takes the new height and
    // paints the row again.
    if (treeWidget())
        emitDataChanged();
}

UTIL_ListViewItem* UTIL_ListViewItem::fromIndex(const QModelIndex& index)
{
    return static_cast<UTIL_ListViewItem*>(index.data(ItemRole).value<void*>());
}

QVariant UTIL_ListViewItem::data(int column, int role) const
{
    if (role == ItemRole)
        return QVariant::fromValue(static_cast<void*>(const_cast<UTIL_ListViewItem*>(this)));
    return QTreeWidgetItem::data(column, role);
}
