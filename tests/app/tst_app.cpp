// Start-up worked out from values, the translation chosen by the system
// language, the main window's keys and what they hand to the dialogs, and
// the text field that takes folder names.
#include "compresscommand.h"
#include "compressdialog.h"
#include "extractdialog.h"
#include "fileview.h"
#include "mainwindow.h"
#include "startup.h"
#include "widgets.h"
#include "zlanguage.h"
#include "zmultilineedit.h"

#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <unistd.h>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

constexpr int Everything = QDir::AllEntries | QDir::Hidden | QDir::System;
constexpr int ByName = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;

// The back key shows a picture, not a text: it is the last of the keys.
QAbstractButton* backKey(const MainWindow& window)
{
    return window.getCSTWidget(true)->findChildren<QAbstractButton*>().last();
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath("mmc/mmca1"));
        m_root = m_dir.path();
    }

    // What start-up takes from the command line: the archive of the last
    // -d, "" for none, "(bad)" for a bad option; getopt starts afresh for
    // each line.
    void options()
    {
        for (auto [words, expected] : std::initializer_list<std::pair<QByteArrayList, QByteArray>>{
                 {{"-d", "a.zip"}, "a.zip"}, {{"-da.zip"}, "a.zip"}, {{"-d", "a", "-d", "b"}, "b"},
                 {{"x", "-d", "a", "y"}, "a"}, {{"-x"}, "(bad)"}, {{"-d"}, "(bad)"},
                 {{"-platform", "xcb"}, "(bad)"}, {{}, ""}}) {
            words.prepend("arkive");
            std::vector<char*> argv;
            for (QByteArray& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            const StartOptions options = parseOptions(int(words.size()), argv.data());
            QCOMPARE(options.ok ? options.archive : QByteArray("(bad)"), expected);
            if (expected.isEmpty())
                QVERIFY(options.archive.isNull());
        }
    }

    // A link target longer than any fixed buffer is read whole; without
    // /proc, argv[0] is taken against the working folder, or found on PATH.
    void programPaths()
    {
        const QByteArray folder = QFile::encodeName(m_root);
        const QByteArray target = "/" + QByteArray("very-long-folder-name/").repeated(32) + "arkive";
        QCOMPARE(::symlink(target, folder + "/link"), 0);
        QCOMPARE(folderOf(readLinkTarget(folder + "/link")), target.chopped(7));
        QVERIFY(readLinkTarget(folder + "/missing").isNull());
        QCOMPARE(programFolder("x"), QFile::encodeName(QCoreApplication::applicationDirPath()));
        QFile tool(m_dir.filePath("arkive"));
        QVERIFY(tool.open(QIODevice::WriteOnly) && tool.setPermissions(QFile::ExeOwner));
        for (const auto& [argv0, path, program] : Table<const char*, QByteArray, QByteArray>{
                 {"/opt/arkive/arkive", "", "/opt/arkive/arkive"}, {"sub/arkive", "", "/home/sub/arkive"},
                 {"arkive", "/nonexistent:" + folder, folder + "/arkive"}, {"arkive", "/nonexistent", {}},
                 {"", folder, {}}})
            QCOMPARE(absoluteProgramPath(argv0, "/home", path), program);
        QCOMPARE(folderOf("/arkive"), "/");
        QCOMPARE(folderOf("arkive"), "");
    }

    // The system's tools come before the program's own; its libraries
    // before the system's.
    void environment()
    {
        QCOMPARE(newPathValue("/usr/bin:/bin", "/p"), "/usr/bin:/bin:/p/bin");
        QCOMPARE(newPathValue(nullptr, "/p"), ":/p/bin");
        QCOMPARE(newLibraryPathValue("/usr/lib", "/p"), "/p/plugin:/p/lib:/usr/lib");
        QCOMPARE(newLibraryPathValue(nullptr, "/p"), "/p/plugin:/p/lib:");
    }

    void archiveFolders()
    {
        for (const auto& [path, cwd, folder] : Table<const char*, const char*, const char*>{
                 {"sub/a.zip", "/p", "/p/sub"}, {"a.zip", "/p", "/p"}, {"../x/./a.zip", "/p/q", "/p/x"},
                 {"/mmc/mmca1/a.zip", "/p", "/mmc/mmca1"}, {"/a.zip", "/p", "/"},
                 {"/mmc/folder/", "/p", "/mmc"}})
            QCOMPARE(archiveFolder(path, cwd), folder);
    }

    // The dialog's texts in the language of the first of LC_ALL,
    // LC_MESSAGES and LANG that is set; English when there is no file.
    void translation()
    {
        const char* german = "Vorhandene überschreiben";
        const char* english = "Overwrite existences";
        for (const auto& [lcAll, lang, text] : Table<const char*, const char*, const char*>{
                 {"", "de_DE.UTF-8", german}, {"", "de_DE@euro", german}, {"de_DE.UTF-8", "fr_FR", german},
                 {"", "fr_FR", english}, {"C.UTF-8", "de_DE", english}}) {
            qputenv("LC_ALL", lcAll);
            qunsetenv("LC_MESSAGES");
            qputenv("LANG", lang);
            QTranslator translator;
            (void)translator.load(translationName("arkiveui", ZLanguage::getSystemLanguageCode()),
                                  ARKIVE_PROGRAM_DIR "/i18n");
            qApp->installTranslator(&translator);
            ExtractDialog dialog;
            qApp->removeTranslator(&translator);
            QVERIFY2(findByText(&dialog, text), lang);
        }
    }

    // The back key is off exactly while the root is shown, from the start on.
    void backKeyFollowsTheRoot()
    {
        MainWindow atRoot(nullptr, "/", "*", Everything, ByName);
        QVERIFY(!backKey(atRoot)->isEnabled());
        MainWindow window(nullptr, m_root + "/mmc/mmca1", "*", Everything, ByName);
        QAbstractButton* back = backKey(window);
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(window.fileView->currentDir, m_root + "/mmc");
        QVERIFY(back->isEnabled());
        window.fileView->setDir("/tmp");
        back->click();
        QCOMPARE(window.fileView->currentDir, "/");
        QVERIFY(!back->isEnabled());
    }

    // The dialogs get the selection and the folder shown; the archive is
    // named after the one entry selected, or else after the folder.
    void handOver_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("name");
        QTest::newRow("nothing") << "/mmc/mmca1" << QStringList{} << "";
        QTest::newRow("one") << "/mmc/mmca1" << QStringList{"/x/photos"} << "photos";
        QTest::newRow("several") << "/mmc/mmca1" << QStringList{"/x/a", "/x/b"} << "mmca1";
        QTest::newRow("several at the root") << "/" << QStringList{"/a", "/b"} << "";
    }
    void handOver()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, selection);
        QFETCH(QString, name);
        const QString shown = folder == "/" ? folder : m_root + folder;
        MainWindow window(nullptr, shown, "*", Everything, ByName);
        window.fileView->selectedFiles = selection;
        CompressRequest compress;
        whenModal<CompressDialog>([&](CompressDialog* dialog) { compress = dialog->request(), dialog->reject(); });
        findByText(window.getCSTWidget(true), "Compress")->click();
        QCOMPARE(compress.files, selection);
        QCOMPARE(compress.outDir, shown.endsWith('/') ? shown : shown + '/');
        QCOMPARE(compress.name, name);
        QStringList files{"(not opened)"};
        QString outDir;
        whenModal<ExtractDialog>([&](ExtractDialog* d) { files = d->files(), outDir = d->outDir(), d->reject(); });
        findByText(window.getCSTWidget(true), "Extract")->click();
        QCOMPARE(files, selection);
        QCOMPARE(outDir, shown);
    }

    // The program's own text is kept exactly; what the user types or pastes
    // never brings in a newline.
    void fieldFilter()
    {
        ZMultiLineEdit field(nullptr, true, 2);
        field.setInputFilter(QRegularExpression("\n"), false);
        const QString exact = "/tmp/a\nb\rc\u00a0d\u2029e";
        field.setText(exact);
        QCOMPARE(field.text(), exact);
        field.setText("/mmc");
        field.moveCursor(QTextCursor::End);
        QTest::keyClick(&field, Qt::Key_Return);
        QTest::keyClick(&field, Qt::Key_Enter);
        QTest::keyClicks(&field, "/x");
        QApplication::clipboard()->setText("/y\n/z");
        field.paste();
        QCOMPARE(field.text(), "/mmc/x/y/z");
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
