// Archives made through the dialog's OK with the real archivers and the real
// tally: hostile names in the tree, the output folder and the archive name;
// each archive is checked with its archiver's listing, unpacked with the
// archiver and compared byte for byte with the source.
#include "compresscommand.h"
#include "compressdialog.h"
#include "compressformats.h"
#include "shellword.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace {

// Names the shell would split, expand or run if they went in unquoted.
QByteArrayList corpus()
{
    return {"two words",   "say \"hi\" it's", "$HOME$(touch canary)${IFS}", "`touch canary`",
            "a\\b\\",      "a;touch canary", "a&touch canary&", "a|touch canary", "a<b>canary",
            "*?[ab]",      "{a,b}",          "~root",          "#x",            "!x",
            "a\ntouch canary\n", "a\tb",     "-rf",            "--help",        "caf\xe9\xff\x80",
            QByteArray(125, 'L') + QByteArray(125, '$')};
}

bool isUtf8(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

void writeBytes(const QByteArray& path, const QByteArray& data)
{
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QCOMPARE(write(fd, data.constData(), data.size()), ssize_t(data.size()));
    close(fd);
}

QByteArray readBytes(const QByteArray& path)
{
    QByteArray data;
    const int fd = open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<unreadable>";
    char buffer[65536];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        data.append(buffer, n);
    close(fd);
    return data;
}

// Every entry below root by its relative path (folders end in "/"): a
// file's content, a link's target or "folder".
void snapshot(const QByteArray& root, const QByteArray& relative, QMap<QByteArray, QByteArray>& out)
{
    DIR* dir = opendir((root + relative).constData());
    if (!dir)
        return;
    QByteArrayList names;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    closedir(dir);
    for (const QByteArray& name : names) {
        const QByteArray path = root + relative + name;
        struct stat st;
        if (lstat(path.constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            out.insert(relative + name + '/', "folder");
            snapshot(root, relative + name + '/', out);
        } else if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = readlink(path.constData(), target, sizeof target);
            out.insert(relative + name, "link " + QByteArray(target, int(std::max<ssize_t>(n, 0))));
        } else {
            out.insert(relative + name, "file " + readBytes(path));
        }
    }
}

QMap<QByteArray, QByteArray> snapshot(const QByteArray& root)
{
    QMap<QByteArray, QByteArray> out;
    snapshot(root + '/', QByteArray(), out);
    return out;
}

// Runs a program with byte arguments, collecting its standard output;
// returns its exit status, or -1.
int run(const QByteArrayList& words, QByteArray* output = nullptr)
{
    QByteArrayList copies = words;
    std::vector<char*> argv;
    for (QByteArray& word : copies)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    QByteArray collected;
    char buffer[65536];
    ssize_t n = 0;
    while (spawned == 0 && ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)))
        if (n > 0)
            collected.append(buffer, n);
    close(pipeFds[0]);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (output)
        *output = collected;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits for every process left behind by the background pipelines, which
// the subreaper makes children of this process. False on a hang.
bool reapAll(std::chrono::seconds limit = std::chrono::seconds(120))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, WNOHANG);
        if (pid > 0 || (pid < 0 && errno == EINTR))
            continue;
        if (pid < 0)
            return errno == ECHILD;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// The listing's lines, sorted. Names holding newlines split into several
// lines on both sides alike, so the comparison still holds them.
QByteArrayList sortedLines(const QByteArray& text)
{
    QByteArrayList lines = text.split('\n');
    lines.removeAll(QByteArray());
    std::sort(lines.begin(), lines.end());
    return lines;
}

QByteArray withoutControls(const QByteArray& name)
{
    QByteArray kept;
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x20)
            kept += c;
    return kept;
}

// How unzip -Z1 shows a name: control characters in caret notation.
QByteArray caretNotation(const QByteArray& name)
{
    QByteArray shown;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            shown += '^' + QByteArray(1, char(c + 0x40));
        else
            shown += c;
    }
    return shown;
}

template<typename T>
T* rightOfLabel(const QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() != text)
            continue;
        for (T* candidate : label->parentWidget()->findChildren<T*>())
            if (candidate->geometry().top() <= label->geometry().center().y()
                && candidate->geometry().bottom() >= label->geometry().center().y())
                return candidate;
    }
    return nullptr;
}

QCheckBox* checkBox(const QWidget& dialog, const QString& text)
{
    for (QCheckBox* candidate : dialog.findChildren<QCheckBox*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

struct ZipOptions
{
    int ratio = 6;
    bool ultra = false;
    int split = 0; // megabytes, 0 for none
    QString password;
};

} // namespace

class TestCompressEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0);
        QVERIFY(m_tmp.isValid());
        const QByteArray programs = ARKIVE_PROGRAM_DIR "/bin";
        QVERIFY2(QFileInfo::exists(QStringLiteral(ARKIVE_PROGRAM_DIR "/bin/tally")), "tally is not built");
        qputenv("PATH", qgetenv("PATH") + ':' + programs);
        m_root = QFile::encodeName(m_tmp.path());
        m_work = m_root + "/work";
        QVERIFY(mkdir(m_work, 0700) == 0);
        QVERIFY(chdir(m_work) == 0); // an injected "touch canary" would land here

        m_src = m_root + "/src";
        QVERIFY(mkdir(m_src, 0700) == 0);
        const QByteArray filler = QByteArray("compressible text. ").repeated(200);
        for (const QByteArray& name : corpus())
            writeBytes(m_src + '/' + name, "content of " + name + '\n' + filler);
        const QByteArray sub = m_src + "/sub dir 'x' $y";
        QVERIFY(mkdir(sub, 0700) == 0);
        QVERIFY(mkdir(sub + "/deeper", 0700) == 0);
        writeBytes(sub + "/.hidden", "hidden but packed\n");
        writeBytes(sub + "/empty", QByteArray());
        writeBytes(sub + "/deeper/caf\xe9\xff\x80", "deep bytes\xff\n");
        writeBytes(sub + "/deeper/a\nb", "deep newline\n");
        QVERIFY(symlink("../two words", sub + "/link to it") == 0);
        m_tree = snapshot(m_src);
        QVERIFY(m_tree.size() > corpus().size());
    }

    void everyFormat_data()
    {
        QTest::addColumn<QString>("format");
        const QStringList formats = compressFormats();
        QCOMPARE(formats.size(), 11);
        for (const QString& format : formats)
            QTest::newRow(qPrintable(format)) << format;
    }
    void everyFormat()
    {
        QFETCH(QString, format);
        pack(format, ZipOptions());
    }

    void zipWithPassword()
    {
        ZipOptions options;
        options.password = QStringLiteral("p'a\"s $x `y` ;&|\\ -P");
        const QByteArray archive = pack(QStringLiteral(".zip"), options);
        QVERIFY(!archive.isEmpty());
        QVERIFY(run({"unzip", "-tqq", "-P", "wrong", archive}) != 0);
    }

    // Ultra overrides the ratio: ratio 0 alone stores, with Ultra it deflates
    // at the highest level.
    void zipUltra()
    {
        // The method column of one compressible file's row.
        const auto method = [](const QByteArray& listing) {
            for (const QByteArray& line : listing.split('\n'))
                if (line.endsWith("/src/two words"))
                    return line.simplified().split(' ').value(1);
            return QByteArray();
        };
        ZipOptions options;
        options.ratio = 0;
        QByteArray listing;
        QCOMPARE(run({"unzip", "-v", pack(QStringLiteral(".zip"), options)}, &listing), 0);
        QCOMPARE(method(listing), QByteArray("Stored"));
        options.ultra = true;
        QCOMPARE(run({"unzip", "-v", pack(QStringLiteral(".zip"), options)}, &listing), 0);
        QCOMPARE(method(listing), QByteArray("Defl:X"));
    }

    // Split makes volumes of the given size; joined they unpack to the
    // source. (Each file spans at most two volumes: zip 3.0 joins entries
    // spanning more wrongly.)
    void zipSplit()
    {
        const QByteArray big = m_root + "/big";
        QVERIFY(mkdir(big, 0700) == 0);
        for (int i = 0; i < 5; ++i) {
            QByteArray data(600 * 1024, '\0');
            QRandomGenerator generator(i + 1);
            generator.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
            writeBytes(big + "/part " + QByteArray::number(i), data);
        }
        const QByteArray out = m_root + "/split out";
        QVERIFY(mkdir(out, 0700) == 0);
        CompressDialog dialog;
        dialog.setFiles({fromLocalBytes(big)});
        dialog.setOutDir(fromLocalBytes(out));
        dialog.setArchiveName(QStringLiteral("volumes"));
        auto* box = dialog.findChild<QComboBox*>();
        box->setCurrentIndex(box->findText(QStringLiteral(".zip")));
        checkBox(dialog, QStringLiteral("Split"))->setChecked(true);
        checkBox(dialog, QStringLiteral("Split"))->parentWidget()->findChildren<QSpinBox*>().last()->setValue(1);
        QCOMPARE(dialog.request().splitSize, 1);
        dialog.accept();
        QVERIFY(reapAll());

        const QByteArray archive = out + "/volumes.zip";
        for (const char* volume : {"/volumes.z01", "/volumes.z02"}) {
            struct stat st;
            QVERIFY2(stat(out + volume, &st) == 0, volume);
            QCOMPARE(qint64(st.st_size), qint64(1024 * 1024));
        }
        QCOMPARE(run({"zip", "-q", "-s", "0", archive, "--out", out + "/joined.zip"}), 0);
        const QByteArray unpacked = out + "/unpacked";
        QCOMPARE(run({"unzip", "-q", out + "/joined.zip", "-d", unpacked}), 0);
        QCOMPARE(snapshot(unpacked + big), snapshot(big));
    }

    // After a compress command SIGTERM and SIGUSR1 print the notice and the
    // program goes on.
    void signalsAreIgnored()
    {
        const QByteArray file = m_root + "/signalled file";
        writeBytes(file, "x\n");
        QByteArray output;
        QCOMPARE(run({ARKIVE_SIGTERM_HELPER, file}, &output), 0);
        QVERIFY(reapAll());
        QCOMPARE(output, QByteArray("arkive: Signal SIGTERM is ignored\n"
                                    "arkive: Signal SIGTERM is ignored\n"
                                    "alive\n"));
        QCOMPARE(run({"tar", "-tf", m_root + "/signalled.tar"}, &output), 0);
        QCOMPARE(output, file.mid(1) + '\n');
    }

    void cleanupTestCase()
    {
        // No word of a name ran as a command or redirection.
        QCOMPARE(snapshot(m_work), (QMap<QByteArray, QByteArray>()));
        // QTemporaryDir cannot remove names that are not UTF-8.
        QCOMPARE(run({"rm", "-rf", m_root}), 0);
    }

private:
    // Packs every top-level entry of the tree through the dialog's OK into a
    // hostile output folder, checks the listing, unpacks and compares.
    // Returns the archive's path.
    QByteArray pack(const QString& format, const ZipOptions& options)
    {
        const QByteArray out = m_root + "/out " + QByteArray::number(++m_runs)
                               + " 'q' \"d\" $x `y`;&|<>";
        if (mkdir(out.constData(), 0700) != 0)
            return fail("cannot make the output folder");
        QStringList files;
        for (auto it = m_tree.cbegin(); it != m_tree.cend(); ++it) {
            const QByteArray key = it.key();
            const int slash = key.indexOf('/');
            if (slash < 0 || slash == key.size() - 1)
                files << fromLocalBytes(m_src + '/' + (slash < 0 ? key : key.left(slash)));
        }

        CompressDialog dialog;
        dialog.setFiles(files);
        dialog.setOutDir(fromLocalBytes(out));
        dialog.setArchiveName(QStringLiteral("pack $n ;`x` -"));
        auto* box = dialog.findChild<QComboBox*>();
        box->setCurrentIndex(box->findText(format));
        rightOfLabel<QLineEdit>(dialog, QStringLiteral("Password:"))->setText(options.password);
        rightOfLabel<QSpinBox>(dialog, QStringLiteral("Ratio:"))->setValue(options.ratio);
        checkBox(dialog, QStringLiteral("Ultra"))->setChecked(options.ultra);
        const QByteArray archive = toLocalBytes(archivePath(dialog.request()));
        if (archive != out + "/pack $n ;`x` -" + format.toUtf8())
            return fail("unexpected archive path");
        dialog.accept();
        if (!reapAll())
            return fail("the pipeline did not end");

        // The listing holds exactly the tree, under the source's path
        // without its leading "/".
        const bool zip = format == QLatin1String(".zip");
        const QByteArray prefix = m_src.mid(1) + '/';
        QByteArray expected;
        for (auto it = m_tree.cbegin(); it != m_tree.cend(); ++it)
            expected += (zip ? caretNotation(prefix + it.key()) : prefix + it.key()) + '\n';
        QByteArray listing;
        const int listStatus = zip ? run({"unzip", "-Z1", archive}, &listing)
                               : run({"tar", "--quoting-style=literal", "-tf", archive}, &listing);
        if (listStatus != 0)
            return fail("the archive cannot be listed");
        const QByteArrayList listed = sortedLines(listing);
        const QByteArrayList wanted = sortedLines(expected);
        if (listed != wanted) {
            for (const QByteArray& line : listed)
                if (!wanted.contains(line))
                    qWarning() << "listed, not in the tree:" << line;
            for (const QByteArray& line : wanted)
                if (!listed.contains(line))
                    qWarning() << "in the tree, not listed:" << line;
            return fail("the listing differs from the tree");
        }

        const QByteArray unpacked = out + "/unpacked";
        mkdir(unpacked.constData(), 0700);
        QByteArrayList unpack{"tar", "-xf", archive, "-C", unpacked};
        if (zip) {
            unpack = QByteArrayList{"unzip", "-qo"};
            if (!options.password.isEmpty())
                unpack << "-P" << options.password.toUtf8();
            unpack << archive << "-d" << unpacked;
        }
        if (run(unpack) != 0)
            return fail("the archive does not unpack");

        QMap<QByteArray, QByteArray> want = m_tree;
        QMap<QByteArray, QByteArray> got = snapshot(unpacked + m_src);
        if (zip) {
            // unzip rewrites some names as it unpacks them: it drops control
            // characters, and it converts names that are not UTF-8 as if
            // they were in an old DOS code page. The archive holds them
            // right (the listing above), so the ones without control
            // characters are read back one by one under their own bytes.
            for (auto it = m_tree.cbegin(); it != m_tree.cend(); ++it) {
                const QByteArray key = it.key();
                if (isUtf8(key)) {
                    const QByteArray stripped = withoutControls(key);
                    if (stripped != key) {
                        want.remove(key);
                        want.insert(stripped, it.value());
                    }
                    continue;
                }
                want.remove(key);
                QByteArrayList read{"unzip", "-p"};
                if (!options.password.isEmpty())
                    read << "-P" << options.password.toUtf8();
                QByteArray content;
                if (run(read << archive << prefix + key, &content) != 0 || "file " + content != it.value())
                    return fail("a member with a byte name differs");
            }
            for (const QByteArray& key : got.keys())
                if (!isUtf8(key))
                    got.remove(key);
        }
        if (got != want) {
            for (auto it = want.cbegin(); it != want.cend(); ++it)
                if (got.value(it.key()) != it.value())
                    qWarning() << "differs:" << it.key();
            for (const QByteArray& key : got.keys())
                if (!want.contains(key))
                    qWarning() << "extra:" << key;
            return fail("the unpacked tree differs from the source");
        }
        return archive;
    }

    QByteArray fail(const char* why)
    {
        QTest::qFail(why, __FILE__, __LINE__);
        return QByteArray();
    }

    QTemporaryDir m_tmp;
    QByteArray m_root;
    QByteArray m_work;
    QByteArray m_src;
    QMap<QByteArray, QByteArray> m_tree;
    int m_runs = 0;
};

QTEST_MAIN(TestCompressEndToEnd)
#include "tst_compresse2e.moc"
