// xshot WINDOW FILE.png: saves a picture of an X window, taken through Qt's
// own X connection, so the tests need no screenshot tool.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: xshot WINDOW FILE.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    bool ok = false;
    const WId window = QByteArray(argv[1]).toULongLong(&ok, 0);
    if (!ok || !QGuiApplication::primaryScreen())
        return 2;
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
