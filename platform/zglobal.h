#pragma once

#include <QRect>

class QWidget;

// The phone's screen geometry and the rectangles, in screen coordinates,
// that its standard widgets occupy. A phone-shaped real screen (portrait,
// at most MaxPhoneWidth logical pixels wide) is the phone's screen; on any
// other screen the phone's 240x320 screen is emulated.
class ZGlobal
{
public:
    static QRect getScreenR();
    // The title strip of a dialog.
    static QRect getDlgTitleLR();
    // One button of a dialog's two-button bar.
    static QRect getDlgA2a_2R();
    // The four key positions of a four-key soft-key bar, left to right: a
    // narrow picture key at each end, two wide text keys between them.
    static QRect getCst4b_1R();
    static QRect getCst4b_2R();
    static QRect getCst4b_3R();
    static QRect getCst4b_4R();
    // Maps a screen rectangle into the coordinates of the widget's parent.
    // A main widget knows where it lies on the phone's screen; any other
    // top-level window is taken to cover the screen from its top-left corner.
    static QRect mapFromGlobalR(QWidget* widget, const QRect& rect);

    // The phone's screen for a real screen of `screen` logical pixels.
    static QSize phoneScreenSize(const QSize& screen);
    // Whether the real screen is taken as the phone's screen.
    static bool isPhoneScreen();

    static constexpr int ScreenWidth = 240;   // pixels, the emulated screen
    static constexpr int ScreenHeight = 320;  // pixels
    static constexpr int MaxPhoneWidth = 540; // logical pixels
    static constexpr int TitleBarHeight = 24; // pixels
    static constexpr int SoftKeyHeight = 30;  // pixels
};
