// The second baseline of the window benchmarks: the bare widget with one
// line of text. Any window with words pays for the font configuration,
// the font database and the text libraries; this one pays for nothing else.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(240, 320);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Packing")));
    window.show();
    return app.exec();
}
