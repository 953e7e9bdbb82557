// The extract lines run by the real /bin/sh, with recording stand-ins for the
// archivers and tally on PATH (the real sed does the zip count): for hostile
// names and passwords every program must get exactly the intended words, and
// nothing may appear in the working folder, where an injected command or
// redirection would leave its file.

#include "extractcommand.h"
#include "shellrun.h"
#include "shellword.h"

#include <QByteArrayList>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct Form
{
    const char* extension;
    const char* decompressor; // empty for plain tar, zip and rar
};

const Form forms[] = {
    {".tar", ""},          {".tar.gz", "gzip"}, {".tar.bz2", "bzip2"},
    {".tar.lzo", "lzop"},  {".txz", "xz"},      {".tar.lz", "lzip"},
    {".tlzma", "lzma"},    {".zip", ""},        {".rar", ""},
};

// Names that the shell would take apart, expand or run if they were not
// quoted. Each stands for an archive name, an output folder and a password.
QList<QPair<const char*, QByteArray>> corpus()
{
    return {
        {"plain", "plain"},
        {"blank", "two words"},
        {"double quote", "say \"hi\""},
        {"single quote", "it's"},
        {"quote breakout", "'; touch canary; echo '"},
        {"dollar", "$HOME$(touch canary)${IFS}"},
        {"back quote", "`touch canary`"},
        {"backslash", "a\\b\\"},
        {"back quote and backslash", "\\`touch canary\\`"},
        {"backslash pairs", "a\\\\b\\$c\\\\"},
        {"semicolon", "a;touch canary;b"},
        {"ampersand", "a&touch canary&b"},
        {"pipe", "a|touch canary"},
        {"redirections", "a<b>canary"},
        {"globs", "*?[ab]"},
        {"braces", "{a,b}"},
        {"tilde", "~root"},
        {"hash", "#x"},
        {"bang", "!x"},
        {"newline", "a\ntouch canary\n"},
        {"tab", "a\tb"},
        {"leading dash", "-rf"},
        {"double dash", "--help"},
        {"not utf-8", "caf\xe9\xff\x80"},
        {"long", QByteArray(125, 'L') + QByteArray(125, '$')},
    };
}

QByteArray asArgument(const QByteArray& path)
{
    return path.startsWith('-') ? "./" + path : path;
}

QByteArray record(const QByteArrayList& fields)
{
    return fields.join('\0');
}

// The records of the log, sorted: the programs of a pipeline run side by side.
QByteArray readRecords(const QByteArray& log, bool& ok)
{
    ok = true;
    QByteArrayList records;
    QByteArrayList fields;
    QByteArray program;
    const int fd = open(log.constData(), O_RDONLY);
    QByteArray data;
    if (fd >= 0) {
        char buf[4096];
        ssize_t n;
        while ((n = read(fd, buf, sizeof buf)) > 0)
            data.append(buf, int(n));
        close(fd);
    }
    int start = 0;
    while (start < data.size()) {
        const int end = data.indexOf('\0', start);
        if (end < 0) {
            ok = false;
            break;
        }
        const QByteArray field = data.mid(start, end - start);
        start = end + 1;
        if (!field.isEmpty()) {
            fields.append(field);
            continue;
        }
        // Standard input matters only for the decompressors.
        static const QByteArrayList ownInput = {"p:tar", "p:tally", "p:unzip", "p:unrar"};
        if (ownInput.contains(fields.first())) {
            fields.erase(std::remove_if(fields.begin(), fields.end(),
                                        [](const QByteArray& f) { return f.startsWith("i:"); }),
                         fields.end());
        }
        records.append(record(fields));
        fields.clear();
    }
    std::sort(records.begin(), records.end());
    return records.join(QByteArray("\0\n", 2));
}

QByteArrayList folderEntries(const QByteArray& dir)
{
    QByteArrayList names;
    if (DIR* d = opendir(dir.constData())) {
        while (dirent* e = readdir(d)) {
            const QByteArray name(e->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class TestExtractShell : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void toolsGetExactWords_data();
    void toolsGetExactWords();

private:
    QTemporaryDir m_tmp;
    QByteArray m_work;
    QByteArray m_log;
};

void TestExtractShell::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY(becomeSubreaper());
    char* real = realpath(QFile::encodeName(m_tmp.path()).constData(), nullptr);
    QVERIFY(real);
    const QByteArray root(real);
    free(real);
    const QByteArray stubs = root + "/stubs";
    m_work = root + "/work";
    m_log = root + "/record.log";
    QCOMPARE(mkdir(stubs.constData(), 0755), 0);
    QCOMPARE(mkdir(m_work.constData(), 0755), 0);
    for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "unzip", "unrar", "tally"})
        QCOMPARE(symlink(ARKIVE_RECORDER, (stubs + '/' + tool).constData()), 0);
    QCOMPARE(setenv("PATH", (stubs + ":/usr/bin:/bin").constData(), 1), 0);
    QCOMPARE(setenv("ARKIVE_RECORD_LOG", m_log.constData(), 1), 0);
    QCOMPARE(chdir(m_work.constData()), 0);
}

// Every row starts in an empty folder, so that what one row leaves behind
// cannot fail the next.
void TestExtractShell::init()
{
    for (const QByteArray& name : folderEntries(m_work))
        unlink((m_work + '/' + name).constData());
    unlink(m_log.constData());
}

// The names are not all UTF-8, so they are removed here by their bytes.
void TestExtractShell::cleanupTestCase()
{
    init();
}

void TestExtractShell::toolsGetExactWords_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QByteArray>("outDir");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QByteArray>("expected");

    bool overwrite = false;
    for (const auto& [tag, name] : corpus()) {
        for (const Form& form : forms) {
            overwrite = !overwrite;
            const QByteArray ext = form.extension;
            // Keep the archive's own name within 250 bytes.
            const QByteArray fileName = name.left(250 - ext.size()) + ext;
            const QByteArray password = qstrcmp(tag, "plain") == 0 ? QByteArray() : name;
            for (const bool absolute : {false, true}) {
                const QByteArray archive = absolute ? m_work + '/' + fileName : fileName;
                const QByteArray outDir = absolute ? m_work + '/' + name : name;
                const QByteArray a = "a:" + asArgument(archive);
                const QByteArray d = "a:" + asArgument(outDir);
                QByteArrayList expected;
                if (ext == ".tar") {
                    expected = {record({"p:tar", "a:xvvf", a, "a:-C", d}), record({"p:tally", "a:-t", "a:tar"})};
                } else if (ext == ".zip") {
                    const QByteArrayList pw = password.isEmpty() ? QByteArrayList{"a:-P-"}
                                                                 : QByteArrayList{"a:-P", "a:" + password};
                    // unzip would take these names as patterns; it gets the
                    // archive as an open file instead.
                    const bool pattern = std::any_of(archive.begin(), archive.end(), [](char c) {
                        return c == '*' || c == '?' || c == '[';
                    });
                    const QByteArrayList byName =
                        pattern ? QByteArrayList{"a:/dev/fd/3", "3:" + m_work + '/' + fileName}
                                : QByteArrayList{a};
                    expected = {record(QByteArrayList{"p:unzip", overwrite ? "a:-o" : "a:-n"} + pw
                                       + QByteArrayList{byName.first(), "a:-d", d} + byName.mid(1)),
                                record(QByteArrayList{"p:unzip", "a:-Z", "a:-t"} + byName),
                                record({"p:tally", "a:-T", "a:7", "a:-t", "a:unzip"})};
                } else if (ext == ".rar") {
                    expected = {record({"p:unrar", "a:x", overwrite ? "a:-o+" : "a:-o-",
                                        password.isEmpty() ? "a:-p-" : "a:-p" + password, "a:-y", a, d}),
                                record({"p:tally", "a:-t", "a:unrar"})};
                } else {
                    expected = {record({QByteArray("p:") + form.decompressor, "a:-d", "i:" + m_work + '/' + fileName}),
                                record({"p:tar", "a:xvvf", "a:-", "a:-C", d}),
                                record({"p:tally", "a:-t", "a:tar"})};
                }
                std::sort(expected.begin(), expected.end());
                QTest::addRow("%s %s%s", tag, form.extension, absolute ? " absolute" : "")
                    << archive << outDir << password << overwrite << expected.join(QByteArray("\0\n", 2));
            }
        }
    }
}

void TestExtractShell::toolsGetExactWords()
{
    QFETCH(QByteArray, archive);
    QFETCH(QByteArray, outDir);
    QFETCH(QByteArray, password);
    QFETCH(bool, overwrite);
    QFETCH(QByteArray, expected);

    // The archive must exist for the decompressors' input redirection.
    const QByteArray fileName = archive.mid(archive.lastIndexOf('/') + 1);
    const int fd = open(fileName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    close(fd);

    const QString line = extractCommand(fromLocalBytes(archive), fromLocalBytes(outDir),
                                        fromLocalBytes(password), overwrite);
    QVERIFY(!line.isEmpty());
    QVERIFY(spawnShell(toLocalBytes(line)));
    QVERIFY(reapAll());

    bool ok = false;
    const QByteArray actual = readRecords(m_log, ok);
    QVERIFY(ok);
    QCOMPARE(actual, expected);
    // Only the archive itself is in the folder: no canary, no file from a
    // stray redirection.
    QCOMPARE(folderEntries(m_work), QByteArrayList{fileName});
}

QTEST_APPLESS_MAIN(TestExtractShell)
#include "tst_extractshell.moc"
