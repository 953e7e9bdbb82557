#include "zapplication.h"

#include "zskin.h"

#include <QWidget>

ZApplication::ZApplication(int& argc, char** argv, Type)
    : QApplication(argc, argv)
{
    ZSkin::apply(this);
}

void ZApplication::setMouseMode(QWidget*, int) {}

void ZApplication::setMainWidget(QWidget* widget)
{
    m_mainWidget = widget;
}
