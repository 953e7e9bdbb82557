// A desktop notification service for tally's window test: it takes
// org.freedesktop.Notifications on the session bus and appends what each
// notification carries to the file it is given (application, icon, summary,
// body, then an empty line). Writes "ready" once it has the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

class Recorder : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit Recorder(const QString& path) : path_(path) {}

public slots:
    QStringList GetCapabilities() { return {"body"}; }
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        QFile file(path_);
        if (file.open(QIODevice::Append))
            file.write((app + '\n' + icon + '\n' + summary + '\n' + body + "\n\n").toUtf8());
        return ++count_;
    }

private:
    QString path_;
    uint count_ = 0;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Recorder recorder(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject("/org/freedesktop/Notifications", &recorder, QDBusConnection::ExportAllSlots)
        || !bus.registerService("org.freedesktop.Notifications"))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "noticerecorder.moc"
