#pragma once

#include "zmainwidget.h"

class FileView;
class ZPushButton;

// The program's main window: the file list between the title bar and the
// soft keys (menu, "Compress", "Extract", back).
class MainWindow : public ZMainWidget
{
    Q_OBJECT
public:
    MainWindow(QWidget* parent, const QString& startDir, const QString& nameFilter,
               int filterSpec, int sortSpec);

    FileView* fileView = nullptr;
    ZPushButton* upButton = nullptr;

public slots:
    void dirUp();
    void compress();
    void decompress();
    void resizeWindow();
    void slotRefresh();
    void about();
};
