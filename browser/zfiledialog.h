#pragma once

#include "util_dialog.h"

class FileView;

// The folder chooser: a folders-only file list with "OK", "Cancel" and
// "Back". The folder chosen is the one shown when "OK" is pressed. The back
// key goes up a folder, as "Back" does, and at the root closes the chooser
// as "Cancel" does.
class ZFileDialog : public UTIL_Dialog
{
    Q_OBJECT
public:
    ZFileDialog(QWidget* parent, const QString& startDir, const QString& nameFilter,
                int filterSpec, int sortSpec);

    // Runs a chooser and returns the folder shown when "OK" was pressed, or
    // an empty string. It starts at the memory card's folder when that can
    // be read, otherwise at `outDir` (the calling dialog's output folder),
    // otherwise at the user's home.
    static QString getDir(QWidget* parent, const QString& outDir = QString());

    FileView* fileView = nullptr;

public slots:
    void dirUp();
    void back() override;
};

// The first of `folders` that can be listed, or an empty string.
QString firstListable(const QStringList& folders);
