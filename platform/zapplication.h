#pragma once

#include <QApplication>

class QWidget;

// The phone's application object.
class ZApplication : public QApplication
{
    Q_OBJECT
public:
    enum Type { Tty, GuiClient, GuiServer };

    ZApplication(int& argc, char** argv, Type type = GuiClient);

    // Chooses how the pen acts on a widget; the desktop has one mode only.
    static void setMouseMode(QWidget* widget, int mode);
    void setMainWidget(QWidget* widget);
    QWidget* mainWidget() const { return m_mainWidget; }

private:
    QWidget* m_mainWidget = nullptr;
};
