#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// The phone's message boxes.
class ZMessageBox
{
public:
    // Shows the text with up to three buttons (null texts give no button) and
    // waits until one is pressed; returns its index, or -1 when the box was
    // closed otherwise. The last argument chooses the phone's box style.
    static int information(QWidget* parent, const QPixmap& icon, const QString& text,
                           const QString& button0, const QString& button1 = QString(),
                           const QString& button2 = QString(), int style = 1);
};
