#include "zmainwidget.h"

#include "elidedlabel.h"
#include "zglobal.h"

#include <QGuiApplication>
#include <QShortcut>
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
    m_titleBar->setFixedHeight(ZGlobal::titleBarHeight());
    m_titleBar->setAlignment(Qt::AlignCenter);
    m_content = new QWidget(this);
    m_cst = new QWidget(this);
    m_cst->setFixedHeight(ZGlobal::softKeyHeight());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_content, 1);
    layout->addWidget(m_cst);
    for (const QKeySequence& keys : ZGlobal::backKeys())
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &ZMainWidget::backPressed);
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
    if (ZGlobal::isPhoneScreen())
        return QPoint(0, ZGlobal::getScreenR().height() - height());
    return QPoint(0, m_maximized ? 0 : StatusBarHeight);
}

// The window's size follows its state. On a desktop its top-left corner
// lies at screenPosition() on the phone's screen, which the desktop places
// wherever it likes. On a phone-shaped screen the window manager or the
// compositor is asked to fit it to the available area (a Wayland client
// cannot place itself), or to the whole screen.
void ZMainWidget::applyState()
{
    if (ZGlobal::fillScreen(this)) {
        if (m_maximized) {
            setGeometry(QGuiApplication::primaryScreen()->geometry());
            setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowFullScreen);
        }
        return;
    }
    const QRect screen = ZGlobal::getScreenR();
    setFixedSize(screen.width(), screen.height() - screenPosition().y());
}
