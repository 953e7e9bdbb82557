#include "zmainwidget.h"

#include "elidedlabel.h"
#include "zglobal.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

ZMainWidget::ZMainWidget(const QString& caption, bool, QWidget* parent, const char* name,
                         unsigned int)
    : QWidget(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("arkive") : caption);

    m_titleBar = new ElidedLabel(this);
    m_titleBar->setFixedHeight(ZGlobal::TitleBarHeight);
    m_titleBar->setAlignment(Qt::AlignCenter);
    m_content = new QWidget(this);
    m_cst = new QWidget(this);
    m_cst->setFixedHeight(ZGlobal::SoftKeyHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_content, 1);
    layout->addWidget(m_cst);
    applyState();
    // Place the three areas now: the soft keys are put at their screen
    // positions, which are mapped through the soft-key bar's position.
    layout->activate();
}

QWidget* ZMainWidget::getContentWidget(bool) const { return m_content; }
QWidget* ZMainWidget::getCSTWidget(bool) const { return m_cst; }

void ZMainWidget::showMaximized()
{
    m_maximized = true;
    applyState();
    show();
}

void ZMainWidget::showNormal()
{
    m_maximized = false;
    applyState();
    show();
}

QPoint ZMainWidget::screenPosition() const
{
    return QPoint(0, m_maximized ? 0 : StatusBarHeight);
}

// The window's size follows its state; its top-left corner lies at
// screenPosition() on the phone's screen, which the desktop places wherever
// it likes, or which is the real screen when that is phone-shaped.
void ZMainWidget::applyState()
{
    const QRect screen = ZGlobal::getScreenR();
    const QSize size(screen.width(), screen.height() - screenPosition().y());
    setFixedSize(size);
    if (ZGlobal::isPhoneScreen())
        move(QGuiApplication::primaryScreen()->geometry().topLeft() + screenPosition());
}
