#include "passwordfield.h"

#include "zpushbutton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

PasswordField::PasswordField(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_show(new ZPushButton(QString(), tr("Show"), this))
{
    m_edit->setEchoMode(QLineEdit::Password);
    m_show->setCheckable(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_show);
    connect(m_show, &QPushButton::toggled, this, [this](bool shown) {
        m_edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    m_edit->installEventFilter(this);
}

bool PasswordField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::EnabledChange)
        m_show->setEnabled(m_edit->isEnabled());
    return QWidget::eventFilter(watched, event);
}
