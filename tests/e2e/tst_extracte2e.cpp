// Unpacking through the extract dialog's OK with the real archivers, the real
// shell and the real tally: archives are made here from a tree of hostile
// names, unpacked by ExtractDialog::accept(), and the unpacked tree must equal
// the source byte for byte. rar goes through the unrar stand-in of stubs/.
//
// Paths are handled as bytes throughout, since some names are not UTF-8.

#include "extractdialog.h"
#include "shellword.h"

#include "../archive/shellrun.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>

namespace {

using Tree = QMap<QByteArray, QByteArray>;

// Names that the shell would split, expand or run, and names that tools
// might take for options.
const QByteArrayList hostileNames = {
    "two words",
    "say \"hi\"",
    "it's",
    "$HOME$(touch canary)",
    "`touch canary`",
    "a\\b\\",
    "a;touch canary;b",
    "&touch canary&",
    "|touch canary",
    "<in>canary",
    "*?[ab]",
    "{a,b}",
    "~root",
    "#x",
    "!x",
    "a\ntouch canary\n",
    "a\tb",
    "-rf",
    "--help",
    "caf\xe9\xff\x80",
    QByteArray(250, 'n'),
};

// unzip rewrites control characters in member names and does not keep bytes
// that are not UTF-8, so trees for zip leave such names out.
bool unzipKeepsName(const QByteArray& name)
{
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x80)
            return false;
    }
    return true;
}

bool writeFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = write(fd, content.constData(), size_t(content.size())) == content.size();
    return close(fd) == 0 && ok;
}

QByteArray readFile(const QByteArray& path)
{
    QByteArray data;
    const int fd = open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "(unreadable)";
    char buf[65536];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0)
        data.append(buf, int(n));
    close(fd);
    return data;
}

// A tree of every hostile name as a file, an empty folder, a subfolder, two
// links (one dangling) and a larger file of random bytes.
bool makeTree(const QByteArray& root, bool forZip)
{
    if (mkdir(root.constData(), 0755) != 0)
        return false;
    for (const QByteArray& name : hostileNames) {
        if (forZip && !unzipKeepsName(name))
            continue;
        if (!writeFile(root + '/' + name, "content of " + name + '\n'))
            return false;
    }
    const QByteArray sub = root + "/sub $dir 'x'";
    QByteArray big(1 << 19, '\0');
    QRandomGenerator rng(4711);
    rng.fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
    return mkdir((root + "/empty folder").constData(), 0755) == 0 && mkdir(sub.constData(), 0755) == 0
           && writeFile(sub + "/-nested `x`", "nested\n") && writeFile(root + "/big.bin", big)
           && symlink("sub $dir 'x'/-nested `x`", (root + "/link to nested").constData()) == 0
           && symlink("../nowhere $x", (root + "/dangling link").constData()) == 0;
}

// Every entry below `root` by its path relative to it: "d" for a folder,
// "l:" and the target for a link, "f:" with size and digest for a file.
void describe(const QByteArray& root, const QByteArray& relative, Tree& tree)
{
    DIR* dir = opendir((root + relative).constData());
    if (!dir) {
        tree.insert(relative, "(unreadable folder)");
        return;
    }
    while (dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray rel = relative + '/' + name;
        const QByteArray path = root + rel;
        struct stat st;
        if (lstat(path.constData(), &st) != 0) {
            tree.insert(rel, "(no status)");
        } else if (S_ISDIR(st.st_mode)) {
            tree.insert(rel, "d");
            describe(root, rel, tree);
        } else if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = readlink(path.constData(), target, sizeof target);
            tree.insert(rel, "l:" + QByteArray(target, n > 0 ? int(n) : 0));
        } else if (S_ISREG(st.st_mode)) {
            const QByteArray content = readFile(path);
            tree.insert(rel, "f:" + QByteArray::number(content.size()) + ':'
                                 + QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
        } else {
            tree.insert(rel, "(other type)");
        }
    }
    closedir(dir);
}

Tree describe(const QByteArray& root)
{
    Tree tree;
    describe(root, QByteArray(), tree);
    return tree;
}

// Empty when the trees are equal, otherwise what differs, for the message.
QByteArray difference(const Tree& expected, const Tree& actual)
{
    QByteArray text;
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!actual.contains(it.key()))
            text += "missing: " + it.key() + '\n';
        else if (actual.value(it.key()) != it.value())
            text += "differs: " + it.key() + '\n';
    }
    for (auto it = actual.begin(); it != actual.end(); ++it) {
        if (!expected.contains(it.key()))
            text += "extra: " + it.key() + '\n';
    }
    return text;
}

// Compares the tree below `actualRoot` with the one below `expectedRoot`.
#define COMPARE_TREES(actualRoot, expectedRoot, what)                                          \
    do {                                                                                       \
        const Tree expected_ = describe(expectedRoot);                                         \
        const QByteArray diff_ = difference(expected_, describe(actualRoot));                  \
        QVERIFY2(expected_.size() > 2, QByteArray(what).constData());                          \
        QVERIFY2(diff_.isEmpty(), (QByteArray(what) + ":\n" + diff_).constData());             \
    } while (false)

void removeTree(const QByteArray& path)
{
    struct stat st;
    if (lstat(path.constData(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        chmod(path.constData(), 0755);
        if (DIR* dir = opendir(path.constData())) {
            QByteArrayList names;
            while (dirent* entry = readdir(dir)) {
                const QByteArray name(entry->d_name);
                if (name != "." && name != "..")
                    names.append(name);
            }
            closedir(dir);
            for (const QByteArray& name : names)
                removeTree(path + '/' + name);
        }
        rmdir(path.constData());
    } else {
        unlink(path.constData());
    }
}

// Runs a program with the given words in folder `cwd`, its output discarded;
// true when it ended with status 0.
bool runTool(const QByteArrayList& words, const QByteArray& cwd)
{
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        QList<char*> argv;
        for (const QByteArray& w : words)
            argv.append(const_cast<char*>(w.constData()));
        argv.append(nullptr);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        if (chdir(cwd.constData()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Kind
{
    const char* extension;
    QByteArrayList tarOptions; // how tar makes it; empty for zip
};

// An archive of `root` (a folder in `parent`) at `archive`, by its extension.
bool makeArchive(const QByteArray& archive, const QByteArray& parent, const QByteArray& root,
                 const QByteArray& password = QByteArray())
{
    const QByteArray name = archive.mid(archive.lastIndexOf('/') + 1);
    if (name.endsWith(".zip")) {
        QByteArrayList words = {"zip", "-r", "-y", "-q"};
        if (!password.isEmpty())
            words += {"-P", password};
        return runTool(words + QByteArrayList{archive, "--", root}, parent);
    }
    struct { const char* ending; const char* option; } const compressors[] = {
        {".tar.gz", "-z"}, {".tgz", "-z"}, {".mpkg", "-z"}, {".pkg", "-z"}, {".mtf", "-z"},
        {".tar.bz2", "-j"}, {".tar.xz", "-J"}, {".tar.lzma", "--use-compress-program=lzma"}, {".tar.lzo", "--lzop"},
        {".tar.lz", "--lzip"}, {".tar", nullptr}, {".rar", nullptr},
    };
    for (const auto& c : compressors) {
        if (!name.endsWith(c.ending))
            continue;
        QByteArrayList words = {"tar", "-c"};
        if (c.option)
            words.append(c.option);
        return runTool(words + QByteArrayList{"-f", archive, "-C", parent, "--", root}, parent);
    }
    return false;
}

struct Extraction
{
    QByteArray archive;
    QByteArray outDir;
    QByteArray password;
    bool overwrite = true;
};

} // namespace

class TestExtractE2E : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void everyTypeUnpacksHostileTree();
    void leadingDashNamesRelative();
    void zipNameIsNotAPattern();
    void overwriteBox();
    void severalArchivesInOneDialog();

private:
    // Runs each extraction through its own dialog's OK, then waits for all
    // the pipelines; the unrar stand-in is told what to expect each time.
    bool extract(const QList<Extraction>& jobs);
    QByteArray sourceTree(const QByteArray& name, bool forZip);
    QString unrarFailures() const;

    QTemporaryDir m_tmp;
    QByteArray m_base;
    QByteArray m_failures;
    int m_trees = 0;
};

void TestExtractE2E::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY(becomeSubreaper());
    char* real = realpath(QFile::encodeName(m_tmp.path()).constData(), nullptr);
    QVERIFY(real);
    m_base = QByteArray(real) + "/base";
    free(real);
    QCOMPARE(mkdir(m_base.constData(), 0755), 0);
    QCOMPARE(chdir(m_base.constData()), 0);
    m_failures = QFile::encodeName(m_tmp.path()) + "/unrar-failures";
    QCOMPARE(setenv("ARKIVE_UNRAR_FAILURES", m_failures.constData(), 1), 0);

    const QByteArray path = QByteArray(ARKIVE_TEST_SOURCE_DIR "/stubs:") + qgetenv("PATH")
                            + ":" ARKIVE_PROGRAM_DIR "/bin";
    QCOMPARE(setenv("PATH", path.constData(), 1), 0);
    for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "zip", "unzip", "sed", "tally"})
        QVERIFY2(runTool({"sh", "-c", QByteArray("command -v ") + tool}, m_base),
                 qPrintable(QStringLiteral("%1 is not on PATH").arg(QLatin1String(tool))));
    QVERIFY(QFileInfo(ARKIVE_PROGRAM_DIR "/bin/tally").isExecutable());
}

void TestExtractE2E::cleanupTestCase()
{
    // QTemporaryDir cannot remove names that are not UTF-8.
    removeTree(m_base);
}

void TestExtractE2E::init()
{
    unlink(m_failures.constData());
}

QByteArray TestExtractE2E::sourceTree(const QByteArray& name, bool forZip)
{
    const QByteArray parent = m_base + "/src" + QByteArray::number(++m_trees);
    if (mkdir(parent.constData(), 0755) != 0 || !makeTree(parent + '/' + name, forZip))
        return QByteArray();
    return parent;
}

QString TestExtractE2E::unrarFailures() const
{
    if (access(m_failures.constData(), F_OK) != 0)
        return QString();
    return fromLocalBytes(readFile(m_failures));
}

bool TestExtractE2E::extract(const QList<Extraction>& jobs)
{
    for (const Extraction& job : jobs) {
        setenv("ARKIVE_UNRAR_EXPECT_O", job.overwrite ? "-o+" : "-o-", 1);
        setenv("ARKIVE_UNRAR_EXPECT_P", job.password.isEmpty() ? "-p-" : ("-p" + job.password).constData(), 1);
        ExtractDialog dialog;
        dialog.setFiles({fromLocalBytes(job.archive)});
        dialog.setOutDir(fromLocalBytes(job.outDir));
        dialog.setPassword(fromLocalBytes(job.password));
        dialog.setOverwrite(job.overwrite);
        dialog.accept();
    }
    return reapAll(std::chrono::seconds(120));
}

void TestExtractE2E::everyTypeUnpacksHostileTree()
{
    // The archives lie in folders with hostile names, one of them with the
    // characters that unzip would take as a pattern, and are unpacked into
    // folders with hostile names.
    const QByteArray patternDir = m_base + "/in '\"$x`y`\\;&|<>*?[a]{b,c}~#!\t\n\xfe";
    const QByteArray plainDir = m_base + "/in '\"$x`y`\\;&|<>{b,c}~#!\t\n\xfe";
    const QByteArray archiveName = "-a'r`touch canary`c$(touch canary) h\xff";
    const QByteArray root = "tree $t";
    const QByteArray password = "p w'\"$`\\;&|x\xe9";
    QCOMPARE(mkdir(patternDir.constData(), 0755), 0);
    QCOMPARE(mkdir(plainDir.constData(), 0755), 0);

    struct Case
    {
        const char* tag;
        QByteArray folder;
        const char* extension;
        QByteArray password;
        bool overwrite;
    };
    const QList<Case> cases = {
        {"tar", patternDir, ".tar", "ignored pw", true},
        {"tar.gz", patternDir, ".tar.gz", {}, false},
        {"tgz", patternDir, ".tgz", {}, true},
        {"mpkg", patternDir, ".mpkg", {}, true},
        {"pkg", patternDir, ".pkg", {}, true},
        {"mtf", patternDir, ".mtf", {}, true},
        {"tar.bz2", patternDir, ".tar.bz2", {}, true},
        {"tar.xz", patternDir, ".tar.xz", {}, true},
        {"tar.lz", patternDir, ".tar.lz", {}, true},
        {"tar.lzo", patternDir, ".tar.lzo", {}, true},
        {"tar.lzma", patternDir, ".tar.lzma", {}, true},
        {"zip", patternDir, ".zip", {}, true},
        {"zip with password", patternDir, ".zip", password, false},
        {"zip by name", plainDir, ".zip", {}, false},
        {"zip by name with password", plainDir, ".zip", password, true},
        {"rar", patternDir, ".rar", {}, false},
        {"rar with password", plainDir, ".rar", password, true},
    };

    QList<Extraction> jobs;
    QList<QByteArray> sources;
    for (int i = 0; i < cases.size(); ++i) {
        const Case& c = cases.at(i);
        const bool zip = qstrcmp(c.extension, ".zip") == 0;
        const QByteArray parent = sourceTree(root, zip);
        QVERIFY2(!parent.isEmpty(), c.tag);
        const QByteArray archive = c.folder + '/' + archiveName + QByteArray::number(i) + c.extension;
        QVERIFY2(makeArchive(archive, parent, root, zip ? c.password : QByteArray()), c.tag);
        const QByteArray outDir = m_base + "/out `touch canary` $(touch canary) '\"\\;\n\xfd" + QByteArray::number(i);
        QCOMPARE(mkdir(outDir.constData(), 0755), 0);
        jobs.append({archive, outDir, c.password, c.overwrite});
        sources.append(parent);
    }
    QVERIFY(extract(jobs));
    QVERIFY2(unrarFailures().isEmpty(), qPrintable(unrarFailures()));

    for (int i = 0; i < cases.size(); ++i) {
        COMPARE_TREES(jobs.at(i).outDir + '/' + root, sources.at(i) + '/' + root, cases.at(i).tag);
        // Nothing else was unpacked beside the tree.
        QCOMPARE(describe(jobs.at(i).outDir).size(), describe(sources.at(i)).size());
    }
    QVERIFY(access((m_base + "/canary").constData(), F_OK) != 0);
}

void TestExtractE2E::leadingDashNamesRelative()
{
    // Relative to the current folder, which is m_base: names that begin with
    // "-" must reach the tools as names.
    const QByteArray root = "-r";
    QList<Extraction> jobs;
    QList<QByteArray> sources;
    for (const char* extension : {".tar", ".tar.gz", ".zip", ".rar"}) {
        const QByteArray parent = sourceTree(root, qstrcmp(extension, ".zip") == 0);
        QVERIFY(!parent.isEmpty());
        const QByteArray archive = QByteArray("-x 'rel'") + extension;
        QVERIFY(makeArchive(m_base + '/' + archive, parent, root));
        const QByteArray outDir = QByteArray("-C") + extension;
        QCOMPARE(mkdir(outDir.constData(), 0755), 0);
        jobs.append({archive, outDir, {}, true});
        sources.append(parent);
    }
    QVERIFY(extract(jobs));
    QVERIFY2(unrarFailures().isEmpty(), qPrintable(unrarFailures()));
    for (int i = 0; i < jobs.size(); ++i) {
        COMPARE_TREES(m_base + '/' + jobs.at(i).outDir + '/' + root, sources.at(i) + '/' + root,
                      jobs.at(i).archive);
    }
}

void TestExtractE2E::zipNameIsNotAPattern()
{
    // Beside each archive lies another whose name its name would match as a
    // pattern; only the named archive may be unpacked.
    const QByteArray dir = m_base + "/patterns";
    QCOMPARE(mkdir(dir.constData(), 0755), 0);
    const QByteArray wanted = sourceTree("wanted", true);
    const QByteArray decoy = sourceTree("decoy", true);
    QVERIFY(!wanted.isEmpty() && !decoy.isEmpty());
    QList<Extraction> jobs;
    for (const char* pair : {"w[1].zip|w1.zip", "a*.zip|ab.zip", "q?.zip|qq.zip"}) {
        const QByteArrayList names = QByteArray(pair).split('|');
        QVERIFY(makeArchive(dir + '/' + names.at(0), wanted, "wanted"));
        QVERIFY(makeArchive(dir + '/' + names.at(1), decoy, "decoy"));
        const QByteArray outDir = dir + "/out " + names.at(1);
        QCOMPARE(mkdir(outDir.constData(), 0755), 0);
        jobs.append({dir + '/' + names.at(0), outDir, {}, true});
    }
    QVERIFY(extract(jobs));
    for (const Extraction& job : jobs) {
        const Tree out = describe(job.outDir);
        QVERIFY2(out.contains("/wanted"), job.archive.constData());
        QVERIFY2(!out.contains("/decoy"), job.archive.constData());
        COMPARE_TREES(job.outDir + "/wanted", wanted + "/wanted", job.archive);
    }
}

void TestExtractE2E::overwriteBox()
{
    // A file that exists in the output folder is kept with the box cleared
    // and replaced with it checked; the rest of the tree is unpacked anyway.
    const QByteArray root = "tree";
    QList<Extraction> jobs;
    QList<bool> keeps;
    QList<QByteArray> sources;
    for (const char* extension : {".zip", ".rar"}) {
        for (const bool overwrite : {false, true}) {
            const QByteArray parent = sourceTree(root, true);
            QVERIFY(!parent.isEmpty());
            const QByteArray tag = QByteArray(extension) + (overwrite ? "-replace" : "-keep");
            const QByteArray archive = m_base + "/ow" + tag + extension;
            QVERIFY(makeArchive(archive, parent, root));
            const QByteArray outDir = m_base + "/ow out" + tag;
            QVERIFY(mkdir(outDir.constData(), 0755) == 0 && mkdir((outDir + '/' + root).constData(), 0755) == 0);
            QVERIFY(writeFile(outDir + '/' + root + "/two words", "older\n"));
            jobs.append({archive, outDir, {}, overwrite});
            sources.append(parent);
        }
    }
    QVERIFY(extract(jobs));
    QVERIFY2(unrarFailures().isEmpty(), qPrintable(unrarFailures()));
    for (int i = 0; i < jobs.size(); ++i) {
        const QByteArray out = jobs.at(i).outDir + '/' + root;
        const QByteArray src = sources.at(i) + '/' + root;
        QCOMPARE(readFile(out + "/two words"),
                 jobs.at(i).overwrite ? readFile(src + "/two words") : QByteArray("older\n"));
        QCOMPARE(readFile(out + "/big.bin"), readFile(src + "/big.bin"));
        QCOMPARE(describe(out).keys(), describe(src).keys());
    }
}

void TestExtractE2E::severalArchivesInOneDialog()
{
    // One dialog, three archives, one output folder: each gets its command.
    const QByteArray outDir = m_base + "/several";
    QCOMPARE(mkdir(outDir.constData(), 0755), 0);
    QStringList files;
    QList<QPair<QByteArray, QByteArray>> roots;
    for (const char* kind : {"zip", "tar.gz", "rar"}) {
        const QByteArray root = QByteArray("root of ") + kind;
        const QByteArray parent = sourceTree(root, true);
        QVERIFY(!parent.isEmpty());
        const QByteArray archive = m_base + "/several " + kind + '.' + kind;
        QVERIFY(makeArchive(archive, parent, root));
        files.append(fromLocalBytes(archive));
        roots.append({parent, root});
    }
    setenv("ARKIVE_UNRAR_EXPECT_O", "-o+", 1);
    setenv("ARKIVE_UNRAR_EXPECT_P", "-p-", 1);
    ExtractDialog dialog;
    dialog.setFiles(files);
    dialog.setOutDir(fromLocalBytes(outDir));
    dialog.accept();
    QVERIFY(reapAll(std::chrono::seconds(120)));
    QVERIFY2(unrarFailures().isEmpty(), qPrintable(unrarFailures()));
    QCOMPARE(describe(outDir).size(), 3 + 3 * describe(roots.first().first + '/' + roots.first().second).size());
    for (const auto& [parent, root] : roots)
        COMPARE_TREES(outDir + '/' + root, parent + '/' + root, root);
}

QTEST_MAIN(TestExtractE2E)
#include "tst_extracte2e.moc"
