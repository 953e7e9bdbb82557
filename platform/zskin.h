#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QApplication;

// The phone's skin: the named pictures of the current theme, the style and
// the colours. Every text colour of the skin keeps a contrast of at least
// 4.5:1 to what lies behind it, and graphics (the scroll bar, the check
// marks) at least 3:1, the WCAG AA levels.
class ZSkin
{
public:
    static ZSkin* skin();
    QPixmap getPixmap(const QString& name) const;

    // Gives the application the skin's style and colours; on a phone-shaped
    // screen also its text size and controls a finger can hit.
    static void apply(QApplication* app);

    // Colours the palette does not name.
    static constexpr QRgb Highlight = 0x1f5d9f;            // a selected row, the title strip
    static constexpr QRgb SecondaryText = 0x595959;        // details under a name
    static constexpr QRgb SecondaryOnHighlight = 0xe8f0fa; // the same on a selected row
    static constexpr QRgb DisabledText = 0x666666;         // a control that cannot be used now
    static constexpr QRgb ScrollGroove = 0xdcdcdc;   // told from the list's white too
    static constexpr QRgb ScrollHandle = 0x6b6b6b;
    static constexpr int ScrollBarWidth = 44; // logical pixels on a phone: the least a target may be
};

// The contrast ratio of two colours as WCAG 2 defines it: the relative
// luminance of the lighter plus 0.05 over that of the darker plus 0.05,
// from 1 (the same) to 21 (black and white). Alpha is not looked at.
double contrastRatio(const QColor& a, const QColor& b);
