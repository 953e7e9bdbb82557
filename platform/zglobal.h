#pragma once

#include <QList>
#include <QRect>

class QKeySequence;
class QWidget;

// The phone's screen geometry and the rectangles, in screen coordinates,
// that its standard widgets occupy. A phone-shaped real screen (portrait,
// at most MaxPhoneWidth logical pixels wide) is the phone's screen; on any
// other screen the phone's 240x320 screen is emulated. Sizes are logical
// pixels (dp); on a phone-shaped screen every touch target gets at least
// TouchSize in both directions, and texts PhoneTextSize.
class ZGlobal
{
public:
    static QRect getScreenR();
    // The part of the screen that windows may cover: the screen less the
    // system's panels. The phone's emulated screen on a desktop.
    static QRect availableR();
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
    // A size in pixels for something the finger taps: on a phone-shaped
    // screen at least TouchSize, elsewhere as it is.
    static int touch(int pixels);
    static int titleBarHeight();
    static int softKeyHeight();
    // On a phone-shaped screen a top-level window covers the screen's
    // available area, without a frame, as the compositor or window manager
    // fits it (maximised); elsewhere it is left alone. Returns whether it
    // was fitted.
    static bool fillScreen(QWidget* window);
    // The phone's back key and what stands for it on other keyboards: Esc,
    // Backspace, XF86Back and Alt+Left.
    static QList<QKeySequence> backKeys();

    static constexpr int ScreenWidth = 240;   // pixels, the emulated screen
    static constexpr int ScreenHeight = 320;  // pixels
    static constexpr int MaxPhoneWidth = 540; // logical pixels
    static constexpr int TitleBarHeight = 24; // pixels, emulated screen
    static constexpr int SoftKeyHeight = 30;  // pixels, emulated screen
    static constexpr int TouchSize = 48;      // logical pixels: a target for a finger
    static constexpr int PhoneTextSize = 16;  // logical pixels: the phone's text
    static constexpr int MinTextSize = 14;    // logical pixels: no text on a phone is smaller
};
