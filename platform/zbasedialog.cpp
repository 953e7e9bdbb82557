#include "zbasedialog.h"

#include "zglobal.h"

ZBaseDialog::ZBaseDialog(QWidget* parent, const char* name, int modal, Qt::WindowFlags f)
    : QDialog(parent, f)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal != 0);
    setMaximumSize(ZGlobal::getScreenR().size());
}
