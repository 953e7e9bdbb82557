#include "zapplication.h"

#include <QWidget>

ZApplication::ZApplication(int& argc, char** argv, Type)
    : QApplication(argc, argv)
{
}

void ZApplication::setMouseMode(QWidget*, int) {}

void ZApplication::setMainWidget(QWidget* widget)
{
    m_mainWidget = widget;
}
