#pragma once

#include <QDialog>

// The phone's base dialog: a dialog sized for the phone's screen. The back
// key (and Esc, Backspace, XF86Back, Alt+Left, unless a text field takes
// them for editing) calls back(), which closes the dialog as Cancel does.
class ZBaseDialog : public QDialog
{
    Q_OBJECT
public:
    ZBaseDialog(QWidget* parent = nullptr, const char* name = nullptr, int modal = 1,
                Qt::WindowFlags f = {});

    // Places the dialog at a position on the phone's screen. When the phone's
    // screen is emulated by a main widget on a desktop, that position lies on
    // the main widget, not in a corner of the desktop.
    void move(int x, int y);
    void move(const QPoint& position) { move(position.x(), position.y()); }

public slots:
    virtual void back();
};
