// The baseline of the window benchmark: a bare Qt widget of the phone's
// screen size, shown, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(240, 320);
    window.show();
    return app.exec();
}
