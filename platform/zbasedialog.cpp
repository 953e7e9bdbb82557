#include "zbasedialog.h"

#include "zglobal.h"
#include "zmainwidget.h"

#include <QShortcut>

ZBaseDialog::ZBaseDialog(QWidget* parent, const char* name, int modal, Qt::WindowFlags f)
    : QDialog(parent, f)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal != 0);
    setMaximumSize(ZGlobal::availableR().size());
    for (const QKeySequence& keys : ZGlobal::backKeys())
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &ZBaseDialog::back);
}

void ZBaseDialog::move(int x, int y)
{
    QPoint position(x, y);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (const auto* phone = qobject_cast<const ZMainWidget*>(owner))
        position += phone->mapToGlobal(QPoint(0, 0)) - phone->screenPosition();
    QDialog::move(position);
}

void ZBaseDialog::back() { reject(); }
