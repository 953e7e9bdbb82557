#include "zglobal.h"

#include "zmainwidget.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int DialogLeft = 5;         // pixels
constexpr int DialogTop = 65;         // pixels
constexpr int DialogButtonHeight = 30; // pixels
constexpr int PictureKeyShare = 6;    // a picture key takes 1/6 of the width

QSize realScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QRect softKey(int index)
{
    const QRect screen = ZGlobal::getScreenR();
    const int picture = screen.width() / PictureKeyShare;
    const int text = (screen.width() - 2 * picture) / 2;
    const int lefts[] = {0, picture, picture + text, picture + 2 * text, screen.width()};
    const int height = ZGlobal::softKeyHeight();
    return QRect(lefts[index], screen.height() - height, lefts[index + 1] - lefts[index], height);
}

} // namespace

QSize ZGlobal::phoneScreenSize(const QSize& screen)
{
    if (screen.isValid() && screen.width() < screen.height() && screen.width() <= MaxPhoneWidth)
        return screen;
    return QSize(ScreenWidth, ScreenHeight);
}

bool ZGlobal::isPhoneScreen()
{
    const QSize screen = realScreen();
    return screen.isValid() && phoneScreenSize(screen) == screen;
}

QRect ZGlobal::getScreenR() { return QRect(QPoint(0, 0), phoneScreenSize(realScreen())); }

QRect ZGlobal::availableR()
{
    if (!isPhoneScreen())
        return getScreenR();
    return QGuiApplication::primaryScreen()->availableGeometry();
}

int ZGlobal::touch(int pixels) { return isPhoneScreen() ? qMax(pixels, int(TouchSize)) : pixels; }
int ZGlobal::titleBarHeight() { return touch(TitleBarHeight); }
int ZGlobal::softKeyHeight() { return touch(SoftKeyHeight); }

bool ZGlobal::fillScreen(QWidget* window)
{
    if (!isPhoneScreen())
        return false;
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->setGeometry(availableR());
    window->setWindowState((window->windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
    return true;
}

QList<QKeySequence> ZGlobal::backKeys()
{
    return {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::Key_Back),
            QKeySequence(Qt::ALT | Qt::Key_Left)};
}

QRect ZGlobal::getDlgTitleLR()
{
    return QRect(DialogLeft, DialogTop, getScreenR().width() - 2 * DialogLeft, titleBarHeight());
}

QRect ZGlobal::getDlgA2a_2R()
{
    return QRect(0, 0, getDlgTitleLR().width() / 2, touch(DialogButtonHeight));
}

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
