#include "startup.h"

#include "localbytes.h"
#include "textutil.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

#include <QDir>
#include <QList>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

StartOptions parseOptions(int argc, char** argv)
{
    StartOptions options;
    optind = 0; // a full reset, so that the parser can run more than once
    opterr = 1;
    int option;
    while ((option = getopt(argc, argv, "d:")) != -1) {
        if (option != 'd') {
            options.ok = false;
            break;
        }
        options.archive = QByteArray(optarg);
    }
    if (options.ok && optind < argc)
        options.path = QByteArray(argv[optind]);
    return options;
}

QByteArray folderOf(const QByteArray& path)
{
    const int slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArray();
    if (slash == 0)
        return QByteArray("/");
    return path.left(slash);
}

QByteArray readLinkTarget(const QByteArray& link)
{
    QByteArray buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(link.constData(), buffer.data(), buffer.size());
        if (length < 0)
            return QByteArray();
        if (length < buffer.size()) {
            buffer.truncate(int(length));
            return buffer;
        }
        // The target may have been cut to fit: read again with more room.
        buffer.resize(buffer.size() * 2);
    }
}

QByteArray absoluteProgramPath(const QByteArray& argv0, const QByteArray& cwd,
                               const QByteArray& path)
{
    if (argv0.isEmpty())
        return QByteArray();
    if (argv0.contains('/')) {
        if (argv0.startsWith('/'))
            return argv0;
        return cwd + '/' + argv0;
    }
    const QList<QByteArray> folders = path.split(':');
    for (const QByteArray& folder : folders) {
        const QByteArray dir = folder.isEmpty() ? cwd : folder;
        QByteArray candidate = dir + '/' + argv0;
        struct stat status;
        if (::stat(candidate.constData(), &status) == 0 && S_ISREG(status.st_mode)
            && ::access(candidate.constData(), X_OK) == 0) {
            if (!candidate.startsWith('/'))
                candidate = cwd + '/' + candidate;
            return candidate;
        }
    }
    return QByteArray();
}

QByteArray programFolder(const char* argv0)
{
    const QByteArray link = "/proc/" + QByteArray::number(qint64(::getpid())) + "/exe";
    QByteArray executable = readLinkTarget(link);
    if (executable.isEmpty()) {
        QByteArray cwd(4096, '\0');
        if (!::getcwd(cwd.data(), cwd.size()))
            cwd = "/";
        cwd.truncate(int(qstrlen(cwd.constData())));
        executable = absoluteProgramPath(QByteArray(argv0 ? argv0 : ""), cwd,
                                         qgetenv("PATH"));
    }
    return folderOf(executable);
}

// An empty entry of either list is the current folder, which is whatever
// folder arkive runs a line in: the one the user browses. None is added.
QByteArray newPathValue(const char* oldPath, const QByteArray& programDir)
{
    QByteArray path = oldPath ? oldPath : "";
    if (path.isEmpty()) {
        path.resize(static_cast<qsizetype>(::confstr(_CS_PATH, nullptr, 0)));
        ::confstr(_CS_PATH, path.data(), static_cast<size_t>(path.size()));
        path.truncate(path.indexOf('\0'));
    }
    return (path.isEmpty() ? path : path + ':') + programDir + "/bin";
}

QByteArray newLibraryPathValue(const char* oldValue, const QByteArray& programDir)
{
    const QByteArray libraries = programDir + "/plugin:" + programDir + "/lib";
    return oldValue && *oldValue ? libraries + ':' + oldValue : libraries;
}

QByteArray locateArchive(const QByteArray& path, const QByteArray& startFolder,
                         const QByteArray& programDir)
{
    struct stat status;
    const auto exists = [&status](const QByteArray& candidate) {
        return !candidate.isEmpty() && ::stat(candidate.constData(), &status) == 0;
    };
    if (path.startsWith('/'))
        return exists(path) ? path : QByteArray();
    const QByteArray fromStart = startFolder + '/' + path;
    if (!startFolder.isEmpty() && !path.isEmpty() && exists(fromStart))
        return fromStart;
    if (!path.isEmpty() && exists(programDir + '/' + path))
        return path;
    return QByteArray();
}

QString archiveFolder(const QString& path, const QString& cwd)
{
    const QString absolute = QDir::cleanPath(path.startsWith(QLatin1Char('/'))
                                                 ? path
                                                 : cwd + QLatin1Char('/') + path);
    const int slash = absolute.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return QStringLiteral("/");
    return absolute.left(slash);
}

StartPlace startPlace(const QString& path, const QString& cwd)
{
    if (path.isEmpty())
        return {};
    const QString absolute = QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path : cwd + QLatin1Char('/') + path);
    struct stat status;
    if (::stat(toLocalBytes(absolute).constData(), &status) != 0)
        return {};
    if (S_ISDIR(status.st_mode))
        return {absolute, QString()};
    return {archiveFolder(absolute, cwd), absolute};
}

QString translationName(const QString& base, const QString& languageCode)
{
    return base + QLatin1Char('_') + languageCode;
}

QString leftoversText(const std::vector<arkive::Leftover>& removed, std::size_t shown)
{
    if (removed.empty())
        return QString();
    QStringList lines{QObject::tr("What interrupted jobs had left was removed:")};
    for (std::size_t i = 0; i < removed.size() && i < shown; ++i)
        lines << QObject::tr("%1 (%2)").arg(fromLocalBytes(QByteArray::fromStdString(removed[i].path)),
                                            QString::fromStdString(tally::humanSize(removed[i].bytes)));
    if (removed.size() > shown)
        lines << QObject::tr("and %1 more").arg(removed.size() - shown);
    return lines.join(QLatin1Char('\n'));
}
