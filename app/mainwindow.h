#pragma once

#include "zmainwidget.h"

class FileView;
class QAction;
class ZPushButton;

// The program's main window: the file list between the title bar and the
// soft keys (menu, "Compress", "Extract", back). The title bar names the
// folder shown and, while anything is selected, how many entries are, in
// every folder: "Photos · 3 selected"; a tap on it lists the selection, to
// drop entries from it. Inside an archive, Extract unpacks
// the members selected (or all of it) into the archive's folder.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTitle();
    void showListingProgress(int percent);
    void tellListingEnd(const QString& message);

    QAction* m_clearAction = nullptr;
    int m_listingPercent = -1;
};

// The title for the folder shown and the number of entries selected; inside
// `archive`, its name and the folder in it, and while it is read, the
// share read (`percent`, -1 when not shown).
QString mainTitle(const QString& folder, int selected, const QString& archive = QString(), int percent = -1);
