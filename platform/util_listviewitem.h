#pragma once

#include <QPixmap>
#include <QTreeWidgetItem>

class QPainter;
class QPalette;

// A row of the phone's lists: an icon, then the name. The list paints a row
// through the row's own paintCell (see UTIL_ListViewDelegate), so a row
// class can draw itself differently, and takes the row's height from
// height(). A name too long for the row is shortened in the middle with "…".
class UTIL_ListViewItem : public QTreeWidgetItem
{
public:
    // The row is appended to `view` when one is given. The flag marks a row
    // of the phone's single-line list style, the only style there is here.
    UTIL_ListViewItem(QTreeWidget* view, const QString& text, bool singleLine = true,
                      const QString& text1 = QString(), const QString& text2 = QString(),
                      const QString& text3 = QString(), const QString& text4 = QString(),
                      const QString& text5 = QString(), const QString& text6 = QString(),
                      const QString& text7 = QString());

    // Paints one cell with its top-left corner at the painter's origin; the
    // cell is `width` pixels wide and height() pixels high.
    virtual void paintCell(QPainter* p, const QPalette& palette, int column, int width, int align);
    // The text the list sorts by: the column's text.
    virtual QString key(int column, bool ascending) const;
    bool operator<(const QTreeWidgetItem& other) const override;

    void setPixmap(int column, const QPixmap& pixmap);
    // A row class may hand out a picture it keeps elsewhere.
    virtual QPixmap pixmap(int column) const;
    void setHeight(int height);
    int height() const { return m_height; }
    // The gap around icon and text: 1 for a row outside any list.
    int itemMargin() const;
    void repaint();

    // The row behind a model index of a list made of these rows.
    static UTIL_ListViewItem* fromIndex(const QModelIndex& index);
    QVariant data(int column, int role) const override;

    static constexpr int DefaultHeight = 30; // pixels
    static constexpr int ListMargin = 3;     // pixels

private:
    int m_height = DefaultHeight;
};
