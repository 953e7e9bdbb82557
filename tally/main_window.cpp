// tally-window: the window face of tally, which tally runs in its own place
// (exec) when a display is there. It takes the same words as tally.
#include <QApplication>
#include <QTranslator>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "session.h"
#include "startup.h"
#include "textface.h"
#include "window.h"
#include "zlanguage.h"
#include "zskin.h"

namespace {

tally::GuiRunner* gRunner = nullptr;

// Qt ends the program with exit() when the display goes away (the X server
// died, the session ended). The listing must still be read to its end, or
// the archiver dies of SIGPIPE and leaves a truncated archive: read it here,
// then report on standard error.
void drainOnExit()
{
    tally::GuiRunner* runner = gRunner;
    gRunner = nullptr;
    if (!runner || runner->jobEnded())
        return;
    const int status = runner->drainBlocking();
    const std::string line = tally::summaryLine(runner->session().snapshot(tally::Clock::now())) + "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, line.data(), line.size());
    ::_exit(status);
}

} // namespace

int main(int argc, char* argv[])
{
    const tally::StartUp start = tally::startUp(argc, argv);
    if (start.helpShown)
        return 0;
    const tally::Options& options = start.options;
    if (start.face == tally::Face::Text)
        return tally::runTextFace(options, STDIN_FILENO, STDERR_FILENO);
    // A display is named, but it may not open: let Qt fall back to the
    // offscreen platform instead of aborting, and take the text face then.
    ::setenv("QT_QPA_PLATFORM",
             tally::platformWithFallback(std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY")).c_str(), 1);
    // Qt sees none of tally's words (a word of the zip count could look like
    // one of Qt's own options).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    if (tally::isHeadlessPlatform(QGuiApplication::platformName().toStdString()))
        return tally::runTextFace(options, STDIN_FILENO, STDERR_FILENO);
    app.setQuitOnLastWindowClosed(false);
    ZSkin::apply(&app);
    // tally is a part of arkive: Wayland compositors take its window's name
    // and icon from arkive's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ARKIVE_APP_ID));
    // The window speaks the system language, from the translations that
    // lie beside arkive's own (bin/../i18n), as arkive finds them.
    QTranslator translator;
    (void)translator.load(QStringLiteral("arkiveui_") + ZLanguage::getSystemLanguageCode(),
                          QCoreApplication::applicationDirPath() + QStringLiteral("/../i18n"));
    app.installTranslator(&translator);

    tally::TallyWindow window(tally::operationOf(options));
    tally::GuiRunner runner(options, STDIN_FILENO, &window);
    QObject::connect(&runner, &tally::GuiRunner::finished, &app, [&app](int status) { app.exit(status); });
    gRunner = &runner;
    std::atexit(drainOnExit);
    window.showSoon();
    runner.start();
    const int status = app.exec();
    gRunner = nullptr;
    return status;
}
