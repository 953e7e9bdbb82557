#include "dialogtitle.h"

#include "res_icon_reader.h"
#include "zglobal.h"

#include <QLabel>
#include <QPalette>

QLabel* newDialogTitle(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    const QRect title = ZGlobal::getDlgTitleLR();
    label->setFixedSize(title.width(), title.height());
    QPalette palette = label->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(RES_ICON_Reader().getIcon("Cut_Screen_TitleBackground_A", true)));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    parent->setWindowTitle(text);
    return label;
}
