#pragma once

#include <QPushButton>

class QMenu;

// The phone's push button. The resource names a skin picture that the
// button shows; the three numbers choose the phone's button style and have
// no effect here. A text that does not fit the button is drawn in a
// smaller font, down to MinFontScale of the button's own (on a phone-shaped
// screen not below ZGlobal::MinTextSize), and beyond that shortened with "…" in the middle: the button never asks its layout for
// more room than the screen has, and nothing is cut at its edges.
class ZPushButton : public QPushButton
{
    Q_OBJECT
public:
    ZPushButton(QWidget* parent, int style = 0, int width = -1, int height = -1);
    ZPushButton(const QString& resource, QWidget* parent, int style = 0, int width = -1,
                int height = -1);
    ZPushButton(const QString& resource, const QString& text, QWidget* parent, int style = 0,
                int width = -1, int height = -1);

    void setResourceID(const QString& resource);
    QString resourceID() const { return m_resource; }
    // A soft key's menu: it opens above the button, as the phone's do.
    void setPopup(QMenu* menu);
    QMenu* popup() const { return m_popup; }

    // The font and text drawn for `text` in `width` pixels with `font`, its
    // size made no smaller than `minScale` of the font's.
    static QPair<QFont, QString> fitted(const QString& text, const QFont& font, int width,
                                        double minScale = MinFontScale);
    // The font and text the button draws at its present size.
    QPair<QFont, QString> shown() const;

    QSize minimumSizeHint() const override;

    static constexpr double MinFontScale = 0.75;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openPopup();

    QString m_resource;
    QMenu* m_popup = nullptr;
};
