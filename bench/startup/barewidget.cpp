// The baseline of the start-up benchmark: a bare Qt widget of the phone's
// size, shown, and the event loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(240, 320);
    window.show();
    return app.exec();
}
