#include "passwordfield.h"

#include "zpushbutton.h"

#include <QHBoxLayout>
#include <QLineEdit>

PasswordField::PasswordField(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
{
    auto* show = new ZPushButton(QString(), tr("Show"), this);
    m_edit->setEchoMode(QLineEdit::Password);
    show->setCheckable(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(show);
    connect(show, &QPushButton::toggled, this, [this](bool shown) {
        m_edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
}
