#include "zpushbutton.h"

#include "res_icon_reader.h"
#include "zglobal.h"

#include <QIcon>
#include <QMenu>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr double FontStep = 0.05; // of the button's own font size, per try
} // namespace

ZPushButton::ZPushButton(QWidget* parent, int, int, int)
    : QPushButton(parent)
{
}

ZPushButton::ZPushButton(const QString& resource, QWidget* parent, int, int, int)
    : QPushButton(parent)
{
    setResourceID(resource);
}

ZPushButton::ZPushButton(const QString& resource, const QString& text, QWidget* parent, int, int,
                         int)
    : QPushButton(text, parent)
{
    setResourceID(resource);
}

void ZPushButton::setResourceID(const QString& resource)
{
    m_resource = resource;
    if (resource.isEmpty()) {
        setIcon(QIcon());
        return;
    }
    const QPixmap picture = RES_ICON_Reader().getIcon(resource, true);
    setIcon(QIcon(picture));
    setIconSize(picture.size());
}

void ZPushButton::setPopup(QMenu* menu)
{
    if (!m_popup && menu)
        connect(this, &QPushButton::clicked, this, &ZPushButton::openPopup);
    m_popup = menu;
}

void ZPushButton::openPopup()
{
    if (!m_popup)
        return;
    // The menu opens over the key, upwards; the toolkit keeps it on the screen.
    m_popup->popup(mapToGlobal(QPoint(0, -m_popup->sizeHint().height())));
}

QPair<QFont, QString> ZPushButton::fitted(const QString& text, const QFont& font, int width,
                                         double minScale)
{
    QFont shown = font;
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    for (qreal scale = 1.0; scale >= minScale - 1e-9; scale -= FontStep) {
        if (font.pointSizeF() > 0)
            shown.setPointSizeF(size * scale);
        else
            shown.setPixelSize(qMax(1, int(size * scale)));
        if (QFontMetrics(shown).horizontalAdvance(text) <= width)
            return {shown, text};
    }
    return {shown, QFontMetrics(shown).elidedText(text, Qt::ElideMiddle, width)};
}

QSize ZPushButton::minimumSizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = text().isEmpty() ? QString() : QStringLiteral("…");
    const QSize content(option.iconSize.width() * !option.icon.isNull()
                            + fontMetrics().horizontalAdvance(option.text),
                        qMax(option.iconSize.height(), fontMetrics().height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

QPair<QFont, QString> ZPushButton::shown() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    if (option.text.isEmpty())
        return {font(), option.text};
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    int room = contents.width();
    if (!option.icon.isNull())
        room -= option.iconSize.width() + style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    const int pixels = QFontInfo(font()).pixelSize();
    const double minScale = ZGlobal::isPhoneScreen() && pixels > 0
                                ? qMax(MinFontScale, double(ZGlobal::MinTextSize) / pixels)
                                : MinFontScale;
    return fitted(option.text, font(), room, minScale);
}

void ZPushButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const auto [shownFont, shownText] = shown();
    painter.setFont(shownFont);
    option.fontMetrics = QFontMetrics(shownFont);
    option.text = shownText;
    painter.drawControl(QStyle::CE_PushButton, option);
}
