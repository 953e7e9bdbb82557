#pragma once

#include "zmainwidget.h"

class FileView;
class QAction;
class ZPushButton;

// The program's main window: the file list between the title bar and the
// soft keys (menu, "Compress", "Extract", back). The title bar names the
// folder shown and, while anything is selected, how many entries are, in
// every folder: "Photos · 3 selected".
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
    void clearSelection();

private:
    void showTitle();

    QAction* m_clearAction = nullptr;
};

// The title for the folder shown and the number of entries selected.
QString mainTitle(const QString& folder, int selected);
