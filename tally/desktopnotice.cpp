#include "desktopnotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QVariantMap>

namespace tally {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kConnectionName = QStringLiteral("tally-notice");

} // namespace

QString sessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    // Without an address the D-Bus library would try to start a bus of its
    // own ("autolaunch"): only the user's bus socket is taken instead.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QLatin1String("/bus")))
        return QLatin1String("unix:path=") + runtime + QLatin1String("/bus");
    return QString();
}

bool postDesktopNotice(const QString& summary, const QString& body)
{
    const QString address = sessionBusAddress();
    if (address.isEmpty())
        return false;
    bool posted = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, kConnectionName);
        if (bus.isConnected()) {
            // A service that understands markup would read "<" and "&" in
            // a name as markup: they are escaped for it alone.
            const QDBusMessage capabilities = bus.call(
                QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities")),
                QDBus::Block, kNoticeCallTimeoutMs);
            if (capabilities.type() == QDBusMessage::ReplyMessage) {
                const bool markup =
                    capabilities.arguments().value(0).toStringList().contains(QStringLiteral("body-markup"));
                QDBusMessage notify =
                    QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
                const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral(ARKIVE_APP_ID)}};
                notify << QString::fromLatin1(kNoticeAppName) << 0u << QString::fromLatin1(kNoticeIconName)
                       << summary << (markup ? body.toHtmlEscaped() : body) << QStringList() << hints << -1;
                posted = bus.call(notify, QDBus::Block, kNoticeCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
            }
        }
    }
    QDBusConnection::disconnectFromBus(kConnectionName);
    return posted;
}

} // namespace tally
