#include "zglobal.h"

#include "zmainwidget.h"

#include <QWidget>

namespace {

constexpr int DialogLeft = 5;
constexpr int DialogWidth = ZGlobal::ScreenWidth - 2 * DialogLeft;
constexpr int DialogTop = 65;
constexpr int DialogButtonHeight = 30;
constexpr int SoftKeyWidth = ZGlobal::ScreenWidth / 4;

QRect softKey(int index)
{
    return QRect(index * SoftKeyWidth, ZGlobal::ScreenHeight - ZGlobal::SoftKeyHeight,
                 SoftKeyWidth, ZGlobal::SoftKeyHeight);
}

} // namespace

QRect ZGlobal::getScreenR() { return QRect(0, 0, ScreenWidth, ScreenHeight); }

QRect ZGlobal::getDlgTitleLR() { return QRect(DialogLeft, DialogTop, DialogWidth, TitleBarHeight); }

QRect ZGlobal::getDlgA2a_2R() { return QRect(0, 0, DialogWidth / 2, DialogButtonHeight); }

QRect ZGlobal::getCst4b_1R() { return softKey(0); }
QRect ZGlobal::getCst4b_2R() { return softKey(1); }
QRect ZGlobal::getCst4b_3R() { return softKey(2); }
QRect ZGlobal::getCst4b_4R() { return softKey(3); }

QRect ZGlobal::mapFromGlobalR(QWidget* widget, const QRect& rect)
{
    if (!widget)
        return rect;
    QWidget* parent = widget->parentWidget();
    if (!parent)
        return rect;
    QWidget* window = parent->window();
    QPoint origin = parent->mapTo(window, QPoint(0, 0));
    if (const auto* mainWidget = qobject_cast<const ZMainWidget*>(window))
        origin += mainWidget->screenPosition();
    return rect.translated(-origin);
}
