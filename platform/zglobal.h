#pragma once

#include <QRect>

class QWidget;

// The phone's fixed screen geometry: a 240x320 screen and the rectangles,
// in screen coordinates, that its standard widgets occupy.
class ZGlobal
{
public:
    static QRect getScreenR();
    // The title strip of a dialog.
    static QRect getDlgTitleLR();
    // One button of a dialog's two-button bar.
    static QRect getDlgA2a_2R();
    // The four key positions of a four-key soft-key bar, left to right.
    static QRect getCst4b_1R();
    static QRect getCst4b_2R();
    static QRect getCst4b_3R();
    static QRect getCst4b_4R();
    // Maps a screen rectangle into the coordinates of the widget's parent.
    // A main widget knows where it lies on the phone's screen; any other
    // top-level window is taken to cover the screen from its top-left corner.
    static QRect mapFromGlobalR(QWidget* widget, const QRect& rect);

    static constexpr int ScreenWidth = 240;   // pixels
    static constexpr int ScreenHeight = 320;  // pixels
    static constexpr int TitleBarHeight = 24; // pixels
    static constexpr int SoftKeyHeight = 30;  // pixels
};
