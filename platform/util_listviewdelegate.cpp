#include "util_listviewdelegate.h"

#include "util_listviewitem.h"

#include <QPainter>

void UTIL_ListViewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    UTIL_ListViewItem* item = UTIL_ListViewItem::fromIndex(index);
    if (!item) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int align = alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft);
    painter->save();
    painter->setClipRect(option.rect);
    painter->translate(option.rect.topLeft());
    painter->setFont(option.font);
    item->paintCell(painter, option.palette, index.column(), option.rect.width(), align);
    painter->restore();
}

QSize UTIL_ListViewDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    // The list asks every row of a long listing for its height; the width
    // is the column's, which the list sets, so no text is measured here.
    UTIL_ListViewItem* item = UTIL_ListViewItem::fromIndex(index);
    if (!item)
        return QStyledItemDelegate::sizeHint(option, index);
    return QSize(option.rect.width(), item->height());
}
