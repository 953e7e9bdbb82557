#pragma once

#include <QLabel>

// A one-line label that shows as much of its text as fits, with "…" where
// the rest was left out (in the middle, or on the left for paths whose end
// matters). It asks its layout for no width of its own, so that a long text
// never widens a window beyond the screen.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr, Qt::TextElideMode mode = Qt::ElideMiddle);

    // The text as it is drawn at the label's present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Qt::TextElideMode m_mode;
};
