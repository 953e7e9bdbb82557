#include "zskin.h"

#include "res_icon_reader.h"
#include "zglobal.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>

#include <cmath>

namespace {

constexpr int IndicatorSize = 24;  // logical pixels on a phone: a check box's square
constexpr int HandleInset = 3;     // pixels between the scroll bar's edge and its handle
constexpr int MenuColumnGrowth = ZGlobal::TouchSize / 2; // logical pixels

// Fusion, with a scroll bar that is a dark handle on a light groove (no
// arrow buttons), and on a phone-shaped screen controls, menu entries and
// list entries at least a finger's size.
class SkinStyle : public QProxyStyle
{
public:
    SkinStyle(QStyle* base, bool phone) : QProxyStyle(base), m_phone(phone) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (m_phone) {
            switch (metric) {
            case PM_ScrollBarExtent: return ZSkin::ScrollBarWidth;
            case PM_ScrollBarSliderMin: return ZGlobal::TouchSize;
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight: return IndicatorSize;
            default: break;
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (!m_phone)
            return size;
        const int touch = ZGlobal::TouchSize;
        switch (type) {
        case CT_PushButton:
        case CT_ToolButton: return size.expandedTo(QSize(touch, touch));
        case CT_MenuItem:
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
                item && item->menuItemType == QStyleOptionMenuItem::Separator)
                return size;
            // Fusion draws the check column four fifths as wide as the
            // entry is high: a taller entry needs that much more width.
            return QSize(size.width() + MenuColumnGrowth, qMax(size.height(), touch));
        case CT_LineEdit:
        case CT_ComboBox:
        case CT_SpinBox:
        case CT_CheckBox:
        case CT_RadioButton:
        case CT_ItemViewItem: return QSize(size.width(), qMax(size.height(), touch));
        default: return size;
        }
    }

    // A check box takes a tap anywhere on it, not only on its square and text.
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        if (m_phone && (element == SE_CheckBoxClickRect || element == SE_RadioButtonClickRect))
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || !bar)
            return QProxyStyle::subControlRect(control, option, sub, widget);
        const bool across = bar->orientation == Qt::Horizontal;
        const QRect whole = bar->rect;
        const int length = across ? whole.width() : whole.height();
        const qint64 range = qint64(bar->maximum) - bar->minimum;
        int handle = range > 0 ? int(qint64(length) * bar->pageStep / (range + bar->pageStep)) : length;
        handle = qBound(qMin(length, pixelMetric(PM_ScrollBarSliderMin, option, widget)), handle, length);
        const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                                  length - handle, bar->upsideDown);
        auto span = [&](int from, int size) {
            return across ? QRect(whole.x() + from, whole.y(), size, whole.height())
                          : QRect(whole.x(), whole.y() + from, whole.width(), size);
        };
        switch (sub) {
        case SC_ScrollBarGroove: return whole;
        case SC_ScrollBarSlider: return span(start, handle);
        case SC_ScrollBarSubPage: return span(0, start);
        case SC_ScrollBarAddPage: return span(start + handle, length - start - handle);
        default: return QRect(); // no arrow buttons
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        if (control != CC_ScrollBar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        painter->save();
        painter->fillRect(option->rect, QColor(ZSkin::ScrollGroove));
        const QRect handle = subControlRect(control, option, SC_ScrollBarSlider, widget)
                                 .adjusted(HandleInset, HandleInset, -HandleInset, -HandleInset);
        if (option->state & State_Enabled && handle.isValid()) {
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(ZSkin::ScrollHandle));
            painter->drawRoundedRect(handle, HandleInset, HandleInset);
        }
        painter->restore();
    }

private:
    const bool m_phone;
};

// The sRGB channel's share of the luminance.
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

ZSkin* ZSkin::skin()
{
    static ZSkin theSkin;
    return &theSkin;
}

QPixmap ZSkin::getPixmap(const QString& name) const
{
    return RES_ICON_Reader().getIcon(name, true);
}

void ZSkin::apply(QApplication* app)
{
    const bool phone = ZGlobal::isPhoneScreen();
    auto* style = new SkinStyle(QStyleFactory::create(QStringLiteral("Fusion")), phone);
    app->setStyle(style);
    QPalette palette = style->standardPalette();
    palette.setColor(QPalette::Highlight, QColor(Highlight));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, QColor(DisabledText));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(DisabledText));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(DisabledText));
    app->setPalette(palette);
    if (!phone)
        return;
    // Fonts are sized in points: the text size in logical pixels at the
    // screen's logical density.
    QFont font = QApplication::font();
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    font.setPointSizeF(ZGlobal::PhoneTextSize * 72.0 / (dpi > 0 ? dpi : 96.0));
    QApplication::setFont(font);
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}
