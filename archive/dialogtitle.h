#pragma once

class QLabel;
class QString;
class QWidget;

// The title strip of the archive dialogs: the centred text on the skin's
// title background, as large as the phone's dialog title rectangle. The
// dialog's window title says the same.
QLabel* newDialogTitle(const QString& text, QWidget* parent);
