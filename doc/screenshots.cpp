// Makes the README's pictures of arkive's windows with arkive's own classes:
// run by scripts/screenshots.sh on a phone-shaped X screen, with a folder of
// example files. Each picture is the whole screen as the user sees it.
//   screenshots EXAMPLES OUTPUT
#include "compressdialog.h"
#include "extractdialog.h"
#include "fileview.h"
#include "mainwindow.h"
#include "session.h"
#include "window.h"
#include "zapplication.h"
#include "zpushbutton.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QString out;

// The whole screen, or one window.
void shot(const char* name, QWidget* window = nullptr)
{
    QTest::qWait(300);   // let every window draw
    (window ? window->grab() : QGuiApplication::primaryScreen()->grabWindow(0)).save(out + '/' + QLatin1String(name));
}

QAbstractButton* button(QWidget* parent, const QString& text)
{
    for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Runs `act` on the modal dialog that opens next, from inside its loop.
void onModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(300, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else
            onModal(act);
    });
}

// The row named `name` tapped in the zone at `x` (0.1: toggles, 0.9: selects alone).
void tapRow(FileView* view, const QString& name, double x)
{
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = view->topLevelItem(i);
        if (row->text(0) != name)
            continue;
        const QRect r = view->visualItemRect(row);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(int(r.width() * x), r.center().y()));
        return;
    }
}

tally::Snapshot tallyState(const char* words, const QByteArray& input, bool end)
{
    std::vector<std::string> w;
    for (const QByteArray& word : QByteArray(words).split(' '))
        w.push_back(word.toStdString());
    std::vector<std::string_view> views(w.begin(), w.end());
    tally::Session session(tally::parseOptions(views), tally::Clock::now() - std::chrono::seconds(12));
    session.feed(input.constData(), std::size_t(input.size()));
    if (end)
        session.finish(tally::Clock::now());
    return session.snapshot(tally::Clock::now());
}

} // namespace

int main(int argc, char** argv)
{
    ZApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString examples = QString::fromLocal8Bit(argv[1]);
    out = QString::fromLocal8Bit(argv[2]);

    MainWindow window(nullptr, examples, QStringLiteral("*"), 775, 20);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    shot("mainwindow.png");
    tapRow(window.fileView, QStringLiteral("Photos"), 0.1);
    tapRow(window.fileView, QStringLiteral("notes.txt"), 0.1);
    shot("selected.png");

    auto* menuKey = window.getCSTWidget(true)->findChildren<ZPushButton*>().first();
    menuKey->click();
    shot("menu.png");
    menuKey->popup()->close();

    onModal([](QWidget* compress) {
        button(compress, QStringLiteral("+"))->click();
        shot("compress.png");
        onModal([](QWidget* chooser) {
            shot("chooser.png");
            button(chooser, QStringLiteral("Cancel"))->click();
        });
        button(compress, QStringLiteral("..."))->click();
        button(compress, QStringLiteral("Cancel"))->click();
    });
    window.compress();

    window.clearSelection();
    tapRow(window.fileView, QStringLiteral("music.tar.gz"), 0.9);
    onModal([](QWidget* extract) {
        shot("extract.png");
        button(extract, QStringLiteral("Cancel"))->click();
    });
    window.decompress();
    window.hide();

    // tally at work on a listing read half way, and after an archive that ends too soon.
    const QByteArray line = "-rw-r--r-- user/user 2400000 2026-12-07 10:00 Photos/holiday/img_00";
    QByteArray listing;
    for (int i = 10; i < 40; ++i)
        listing += line + QByteArray::number(i) + ".jpg\n";
    tally::TallyWindow working(tally::Operation::Packing);
    working.showSnapshot(tallyState("-T 144000000 -t tar --archive=" + examples.toUtf8() + "/Photos.tar.gz",
                                    listing, false));
    working.show();
    (void)QTest::qWaitForWindowExposed(&working);
    shot("tally.png", &working);
    working.hide();

    tally::TallyWindow failed(tally::Operation::Unpacking);
    failed.showSnapshot(tallyState(("-t tar --stages=2 --archive=" + examples.toUtf8() + "/broken.tar.gz --folder=" +
                                    examples.toUtf8()).constData(),
                                   listing.left(400) + QByteArrayLiteral("\0Egzip: stdin: unexpected end of file\0"
                                                                         "\0Sgzip 1\0\0Etar: Unexpected EOF in archive\0"
                                                                         "\0Star 2\0"),
                                   true));
    failed.show();
    (void)QTest::qWaitForWindowExposed(&failed);
    shot("tally-failed.png", &failed);
    return 0;
}
