#pragma once

#include "util_dialog.h"

class FileView;

// The folder chooser: a folders-only file list with "OK", "Cancel" and
// "Back". The folder chosen is the one shown when "OK" is pressed.
class ZFileDialog : public UTIL_Dialog
{
    Q_OBJECT
public:
    ZFileDialog(QWidget* parent, const QString& startDir, const QString& nameFilter,
                int filterSpec, int sortSpec);

    // Runs a chooser on the memory card's folder and returns the folder
    // shown when "OK" was pressed, or an empty string.
    static QString getDir(QWidget* parent);

    FileView* fileView = nullptr;

public slots:
    void dirUp();
};
