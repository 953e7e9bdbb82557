#include "zmessagebox.h"

#include "zglobal.h"

#include <QMessageBox>
#include <QPushButton>

int ZMessageBox::information(QWidget* parent, const QPixmap& icon, const QString& text,
                             const QString& button0, const QString& button1,
                             const QString& button2, int)
{
    QMessageBox box(parent);
    box.setText(text);
    if (!icon.isNull())
        box.setIconPixmap(icon);
    box.setMaximumWidth(ZGlobal::availableR().width());
    QList<QAbstractButton*> buttons;
    for (const QString& label : {button0, button1, button2}) {
        if (!label.isNull())
            buttons << box.addButton(label, QMessageBox::AcceptRole);
    }
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}
