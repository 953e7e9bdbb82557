#include "extractdialog.h"
#include "fileview.h"
#include "localbytes.h"
#include "mainwindow.h"
#include "pngfile.h"
#include "startup.h"
#include "zapplication.h"
#include "zlanguage.h"
#include "zmessagebox.h"

#include <QDebug>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>
#include <QTranslator>

#include <fontconfig/fontconfig.h>
#include <thread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// The base name of the translation files, "arkiveui_<language>.qm" in i18n/.
static const QString translationBase = QStringLiteral("arkiveui");
// The windows' icon, below the program's folder.
static const QString windowIconFile = QStringLiteral("res/arkive.png");

// The main window lists everything, hidden and system entries included
// (QDir::All | QDir::Hidden | QDir::System), folders first, names compared
// without regard to case (QDir::Name | QDir::DirsFirst | QDir::IgnoreCase).
static constexpr int MainFilter = 775;
static constexpr int MainSort = 20;

// In the extract-only mode the dialog lives until the process ends.
static ExtractDialog* extractOnlyDialog = nullptr;

static QByteArray currentFolder()
{
    QByteArray cwd(4096, '\0');
    if (!::getcwd(cwd.data(), cwd.size()))
        return QByteArray("/");
    return QByteArray(cwd.constData());
}

int main(int argc, char** argv)
{
    const StartOptions options = parseOptions(argc, argv);
    if (!options.ok)
        return 0;
    qDebug().noquote() << fromLocalBytes(options.archive);

    // Everything relative from here on (translations, icons, the -d archive
    // unless it is found where the program was started) is found below the
    // program's own folder.
    const QByteArray startFolder = currentFolder();
    const QByteArray programDir = programFolder(argc > 0 ? argv[0] : nullptr);
    if (!programDir.isEmpty() && ::chdir(programDir.constData()) != 0)
        std::perror(programDir.constData());
    QByteArray archive;
    if (!options.archive.isNull()) {
        archive = locateArchive(options.archive, startFolder, programDir);
        if (archive.isNull())
            std::fprintf(stderr, "arkive: %s: no such file\n", options.archive.constData());
    }
    ::setenv("PATH", newPathValue(std::getenv("PATH"), programDir).constData(), 1);
    ::setenv("LD_LIBRARY_PATH",
             newLibraryPathValue(std::getenv("LD_LIBRARY_PATH"), programDir).constData(), 1);
    std::signal(SIGTERM, SIG_IGN);

    // Reading the font configuration is most of the work before the first
    // window can show: it runs beside the toolkit's start, which spends much
    // of its time waiting for the display. (Started after the environment
    // is set: fontconfig reads it.)
    std::thread fonts([] { FcInit(); });
    auto* app = new ZApplication(argc, argv, ZApplication::GuiClient);
    app->setWindowIcon(QIcon(readPng(windowIconFile)));
    // Wayland compositors find the windows' name and icon through the
    // desktop entry of this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(ARKIVE_APP_ID));
    auto* translator = new QTranslator;
    // Without a file for the language the texts stay untranslated.
    (void)translator->load(translationName(translationBase, ZLanguage::getSystemLanguageCode()),
                           QStringLiteral("i18n"));
    app->installTranslator(translator);
    fonts.join(); // before the toolkit reads the font configuration itself

    // What jobs that were cut short (a killed tally, a power cut) left in
    // their folders goes, and the user is told what.
    const QString leftovers = leftoversText(arkive::removeLeftovers(arkive::jobsFolder()));
    int result = 0;
    if (!archive.isNull()) {
        if (!leftovers.isEmpty())
            ZMessageBox::information(nullptr, QPixmap(), leftovers, QObject::tr("OK"));
        const QString path = fromLocalBytes(archive);
        extractOnlyDialog = new ExtractDialog(nullptr, "Extract Dialog");
        extractOnlyDialog->setFiles(QStringList{path});
        extractOnlyDialog->setOutDir(archiveFolder(path, fromLocalBytes(currentFolder())));
        result = extractOnlyDialog->exec();
    } else {
        // PATH opens the window there, inside an archive it names.
        StartPlace place;
        if (!options.path.isNull()) {
            place = startPlace(fromLocalBytes(options.path), fromLocalBytes(startFolder));
            if (place.folder.isEmpty())
                std::fprintf(stderr, "arkive: %s: no such file or folder\n", options.path.constData());
        }
        MainWindow window(nullptr, place.folder.isEmpty() ? QStringLiteral("/") : place.folder, QStringLiteral("*"),
                          MainFilter, MainSort);
        if (!place.enter.isEmpty())
            window.fileView->showEntry(place.enter);
        app->setMainWidget(&window);
        window.show();
        if (!leftovers.isEmpty())
            QTimer::singleShot(0, &window, [&window, &leftovers] {
                ZMessageBox::information(&window, QPixmap(), leftovers, QObject::tr("OK"));
            });
        result = app->exec();
    }
    delete translator;
    delete app;
    return result;
}
