#pragma once

#include <QDialog>

// The phone's base dialog: a dialog sized for the phone's screen.
class ZBaseDialog : public QDialog
{
    Q_OBJECT
public:
    ZBaseDialog(QWidget* parent = nullptr, const char* name = nullptr, int modal = 1,
                Qt::WindowFlags f = {});
};
