#include "util_dialog.h"

#include "res_icon_reader.h"
#include "elidedlabel.h"
#include "zglobal.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

UTIL_Dialog::UTIL_Dialog(DialogType, bool fullScreen, QWidget* parent, const char* name, int modal,
                         Qt::WindowFlags f)
    : ZBaseDialog(parent, name, modal, f)
{
    m_title = new ElidedLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFixedHeight(ZGlobal::titleBarHeight());
    QPalette palette = m_title->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(RES_ICON_Reader().getIcon("Cut_Screen_TitleBackground_A", true)));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(palette);
    m_title->setAutoFillBackground(true);
    m_title->hide();

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_title);

    // The screen's size from the start, so that widgets built inside the
    // dialog see the width they will have; on a phone-shaped screen the
    // available area, without a frame.
    if (!fullScreen || !ZGlobal::fillScreen(this))
        resize(ZGlobal::availableR().size());
}

void UTIL_Dialog::setHasTitle(bool on)
{
    m_title->setVisible(on);
}

void UTIL_Dialog::setDlgTitle(const QString& title)
{
    m_title->setText(title);
    setWindowTitle(title);
}

QString UTIL_Dialog::dlgTitle() const
{
    return m_title->text();
}

void UTIL_Dialog::setDlgContent(QWidget* content)
{
    place(m_content, content, 1, 1);
}

void UTIL_Dialog::setDlgCst(QWidget* keys)
{
    place(m_cst, keys, m_content ? 2 : 1, 0);
    if (m_cst)
        m_cst->setFixedHeight(ZGlobal::softKeyHeight());
}

void UTIL_Dialog::place(QWidget*& slot, QWidget* widget, int position, int stretch)
{
    if (slot == widget)
        return;
    if (slot)
        m_layout->removeWidget(slot);
    slot = widget;
    if (widget)
        m_layout->insertWidget(position, widget, stretch);
}
