#pragma once

#include <QStyledItemDelegate>

// Lets each UTIL_ListViewItem of a list paint itself and give its height.
// Cells of other rows are drawn the usual way.
class UTIL_ListViewDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
