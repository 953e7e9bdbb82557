#pragma once

#include <QString>

class QWidget;

// The folder chooser.
class ZFileDialog
{
public:
    // Runs the chooser modally and returns the folder shown when "OK" was
    // pressed, or an empty string when it was cancelled.
    static QString getDir(QWidget* parent);
};
