#include "mainwindow.h"

#include "format.h"

#include "compressdialog.h"
#include "extractdialog.h"
#include "fileview.h"
#include "plan.h"
#include "selectiondialog.h"
#include "folderpath.h"
#include "zglobal.h"
#include "zmessagebox.h"
#include "zpushbutton.h"
#include "zskin.h"

#include <QAction>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include <cstdio>

namespace {
constexpr int ArrowPadding = 4; // pixels on each side of the title bar's arrow
} // namespace

MainWindow::MainWindow(QWidget* parent, const QString& startDir, const QString& nameFilter,
                       int filterSpec, int sortSpec)
    : ZMainWidget(QString(), true, parent, "MainWindow", 0)
{
    QLabel* title = getTitleBarWidget();
    title->setText(tr(""));

    // The arrow sits at the right end of the title bar, whole, whatever the
    // screen's width; the title keeps clear of it on both sides, so that it
    // stays centred.
    upButton = new ZPushButton(QStringLiteral("Dialog_Up_Arr"), title, 0, -1, -1);
    const int arrowWidth = ZSkin::skin()->getPixmap(QStringLiteral("Dialog_Up_Arr.g")).width();
    upButton->setFlat(true);
    upButton->setFixedSize(ZGlobal::touch(arrowWidth + 2 * ArrowPadding), ZGlobal::titleBarHeight());
    auto* titleLayout = new QHBoxLayout(title);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addStretch(1);
    titleLayout->addWidget(upButton);
    title->setContentsMargins(upButton->width(), 0, upButton->width(), 0);
    connect(upButton, &QPushButton::clicked, this, &MainWindow::resizeWindow);

    QWidget* content = getContentWidget(true);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    fileView = new FileView(nameFilter, filterSpec, content, sortSpec, "browser", {});
    layout->addWidget(fileView);
    fileView->setDir(startDir);

    QWidget* cst = getCSTWidget(true);
    ZPushButton* keys[4];
    const QRect keyRects[4] = {ZGlobal::getCst4b_1R(), ZGlobal::getCst4b_2R(),
                               ZGlobal::getCst4b_3R(), ZGlobal::getCst4b_4R()};
    for (int i = 0; i < 4; ++i) {
        keys[i] = new ZPushButton(cst, 0, -1, -1);
        keys[i]->setGeometry(ZGlobal::mapFromGlobalR(keys[i], keyRects[i]));
    }
    keys[0]->setResourceID(QStringLiteral("CST_Menu"));
    keys[1]->setText(tr("Compress"));
    keys[2]->setText(tr("Extract"));
    keys[3]->setResourceID(QStringLiteral("CST_Back"));

    // The menu belongs to the window and its actions to the menu, so that
    // they go with the window instead of being leaked.
    auto* menu = new QMenu(this);
    auto* aboutAction = new QAction(tr("About"), menu);
    auto* exitAction = new QAction(tr("Exit"), menu);
    auto* refreshAction = new QAction(tr("Refresh"), menu);
    m_clearAction = new QAction(tr("Clear selection"), menu);
    menu->addAction(refreshAction);
    menu->addAction(m_clearAction);
    menu->addAction(aboutAction);
    menu->addAction(exitAction);
    connect(m_clearAction, &QAction::triggered, this, &MainWindow::clearSelection);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::about);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connect(refreshAction, &QAction::triggered, this, &MainWindow::slotRefresh);
    keys[0]->setPopup(menu);

    connect(keys[1], &QPushButton::clicked, this, &MainWindow::compress);
    connect(keys[2], &QPushButton::clicked, this, &MainWindow::decompress);

    connect(fileView, &FileView::rootDir, keys[3], &QWidget::setDisabled);
    connect(keys[3], &QPushButton::clicked, this, &MainWindow::dirUp);
    connect(this, &ZMainWidget::backPressed, this, &MainWindow::dirUp);
    // The first folder was listed before the back key existed.
    keys[3]->setDisabled(QDir(startDir).isRoot());

    title->installEventFilter(this);
    connect(fileView, &FileView::folderShown, this, &MainWindow::showTitle);
    connect(fileView, &FileView::listingProgress, this, &MainWindow::showListingProgress);
    connect(fileView, &FileView::listingEnded, this, &MainWindow::tellListingEnd);
    connect(fileView, &FileView::selectedFilesChanged, this, &MainWindow::showTitle);
    showTitle();
}

QString mainTitle(const QString& folder, int selected, const QString& archive, int percent)
{
    QString name = folder == QLatin1String("/") ? folder : QFileInfo(folder).fileName();
    // Inside an archive: its name and the folder in it ("a.zip/photos").
    if (!archive.isEmpty() && (folder == archive || folder.startsWith(archive + QLatin1Char('/'))))
        name = QFileInfo(archive).fileName() + folder.mid(archive.size());
    if (percent >= 0)
        name = MainWindow::tr("%1 · %2 %").arg(name).arg(percent);
    if (selected == 0)
        return name;
    return MainWindow::tr("%1 · %n selected", nullptr, selected).arg(name);
}

void MainWindow::showTitle()
{
    getTitleBarWidget()->setText(mainTitle(fileView->currentDir, int(fileView->selectedFiles.size()),
                                           fileView->archivePath(), m_listingPercent));
    m_clearAction->setEnabled(!fileView->selectedFiles.isEmpty());
}

// A tap on the title while anything is selected lists the selection, where
// entries can be dropped from it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == getTitleBarWidget() && event->type() == QEvent::MouseButtonRelease
        && !fileView->selectedFiles.isEmpty()) {
        SelectionDialog dialog(fileView->selectedFiles, fileView->currentDir, this);
        if (dialog.exec() == QDialog::Accepted)
            fileView->keepSelected(dialog.kept());
        return true;
    }
    return ZMainWidget::eventFilter(watched, event);
}

void MainWindow::showListingProgress(int percent)
{
    m_listingPercent = percent;
    showTitle();
}

void MainWindow::tellListingEnd(const QString& message)
{
    if (!message.isEmpty())
        ZMessageBox::information(this, QPixmap(), message, tr("OK"));
}

void MainWindow::clearSelection()
{
    fileView->clearSelectedFiles();
}

void MainWindow::dirUp()
{
    fileView->goUp();
}

void MainWindow::compress()
{
    if (fileView->insideArchive()) {
        ZMessageBox::information(this, QPixmap(),
                                 tr("Compress packs files and folders: go back out of the archive to choose them."),
                                 tr("OK"));
        return;
    }
    const QStringList files = fileView->selectedFiles;
    if (files.isEmpty()) {
        ZMessageBox::information(this, QPixmap(), tr("Select the files and folders to pack first."), tr("OK"));
        return;
    }
    auto* dialog = new CompressDialog(this, "Compress Dialog", {});
    dialog->setShownFolder(fileView->currentDir);
    dialog->setFiles(files);
    dialog->setOutDir(fileView->currentDir);
    const QString name = files.size() > 1 ? QFileInfo(fileView->currentDir).fileName()
                         : files.isEmpty() ? QString()
                                           : QFileInfo(files.first()).fileName();
    dialog->setArchiveName(name);
    dialog->exec();
}

void MainWindow::decompress()
{
    std::printf("line: %d, function: %s, file: %s\n\n", __LINE__, "decompress", "mainwindow");
    std::fflush(stdout);
    if (!fileView->insideArchive() && fileView->selectedFiles.isEmpty()) {
        ZMessageBox::information(this, QPixmap(), tr("Select the archives to unpack first."), tr("OK"));
        return;
    }
    auto* dialog = new ExtractDialog(this, "Extract Dialog", {});
    if (fileView->insideArchive()) {
        // The members selected, or the whole archive, into the archive's
        // own folder.
        const QString archive = fileView->archivePath();
        dialog->setFiles({archive});
        dialog->setMembers(fileView->selectedMembers());
        dialog->setOneTopEntry(fileView->oneTopEntry());
        dialog->setOutDir(parentFolder(archive));
    } else {
        dialog->setShownFolder(fileView->currentDir);
        dialog->setFiles(fileView->selectedFiles);
        dialog->setOutDir(fileView->currentDir);
    }
    dialog->exec();
}

void MainWindow::resizeWindow()
{
    if (QRect(0, 0, width(), height()) != ZGlobal::getScreenR()) {
        showMaximized();
        upButton->setResourceID(QStringLiteral("Dialog_Down_Arr"));
    } else {
        showNormal();
        upButton->setResourceID(QStringLiteral("Dialog_Up_Arr"));
    }
}

void MainWindow::slotRefresh()
{
    fileView->refresh();
}

void MainWindow::about()
{
    // The formats as the format table knows them: those packed, and those
    // only unpacked.
    QStringList packed, unpackedOnly;
    for (const arkive::Format& format : arkive::formats())
        (format.packs ? packed : unpackedOnly) << QString::fromLatin1(format.name);
    ZMessageBox::information(
        this, QPixmap(),
        tr("arkive\n\n"
           "Packs the selected files and folders into one archive (%1) and unpacks "
           "those and %2 archives into a folder of your choice.\n\n"
           "The work is done by the standard archivers in the background; "
           "tally shows how far it has got.")
            .arg(packed.join(QLatin1String(", ")), unpackedOnly.join(QLatin1String(", "))),
        tr("OK"), QString(), QString(), 1);
}
