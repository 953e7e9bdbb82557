// Start-up worked out from values, the translation chosen by the system
// language, the main window's title bar and keys and what they hand to the
// dialogs, and the text field that takes folder names.
#include "compresscommand.h"
#include "compressdialog.h"
#include "elidedlabel.h"
#include "extractdialog.h"
#include "fileview.h"
#include "mainwindow.h"
#include "selectiondialog.h"
#include "startup.h"
#include "widgets.h"
#include "window.h"
#include "zfiledialog.h"
#include "zglobal.h"
#include "zlanguage.h"
#include "zmultilineedit.h"
#include "zpushbutton.h"
#include "zskin.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <unistd.h>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

constexpr int Everything = QDir::AllEntries | QDir::Hidden | QDir::System;
constexpr int ByName = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;

// The texts of a list's lines.
QStringList lineTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Everything shown in `window` lies inside it, inside the phone's screen,
// and shows its whole text; only labels that elide may shorten theirs.
void verifyNothingCut(QWidget* window)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->width() <= ZGlobal::getScreenR().width());
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->width() == 0)
            continue;
        // What a scroll view holds may be taller than the view, not wider.
        const QWidget* parent = widget->parentWidget();
        const bool scrolls = parent && parent->objectName() == "qt_scrollarea_viewport";
        const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
        QVERIFY2(scrolls ? widget->width() <= parent->width() : window->rect().contains(inWindow),
                 widget->metaObject()->className());
        if (auto* button = qobject_cast<ZPushButton*>(widget))
            QCOMPARE(button->shown().second, button->text());
        else if (qobject_cast<QCheckBox*>(widget) || (qobject_cast<QLabel*>(widget) && !qobject_cast<ElidedLabel*>(widget)))
            QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(widget->property("text").toString()));
    }
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_root = m_dir.path();

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_root).mkpath("mmc/mmca1"));
    }

    // What start-up takes from the command line: the archive of the last
    // -d, "" for none, "(bad)" for a bad option, which getopt explains on
    // standard error; getopt starts afresh for each line. The program's folder: a link target longer than any fixed
    // buffer is read whole; without /proc, argv[0] is taken against the
    // working folder, or found on PATH. The system's tools come before the
    // program's own, its libraries before the system's.
    void startUp()
    {
        for (auto [words, expected] : Table<QByteArrayList, QByteArray>{
                 {{"-d", "a.zip"}, "a.zip"}, {{"-d", "a", "-d", "b"}, "b"}, {{"x", "-d", "a", "y"}, "a x"},
                 {{"-d"}, "(bad)"}, {{"-platform", "xcb"}, "(bad)"}, {QByteArrayList(), ""}, {{"--", "-a.zip"}, " -a.zip"}}) {
            words.prepend("arkive");
            std::vector<char*> argv;
            for (QByteArray& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            OutputCapture errors;
            const StartOptions options = parseOptions(int(words.size()), argv.data());
            QCOMPARE(options.ok ? options.archive + (options.path.isNull() ? "" : " " + options.path) : QByteArray("(bad)"),
                     expected);
            QCOMPARE(errors.text().isEmpty(), options.ok);
            QVERIFY(!expected.isEmpty() || options.archive.isNull());
        }
        const QByteArray folder = QFile::encodeName(m_root);
        const QByteArray target = "/" + QByteArray("very-long-folder-name/").repeated(32) + "arkive";
        QCOMPARE(::symlink(target, folder + "/link"), 0);
        QCOMPARE(folderOf(readLinkTarget(folder + "/link")), target.chopped(7));
        QVERIFY(readLinkTarget(folder + "/missing").isNull());
        for (const auto& [argv0, path, program] : Table<const char*, QByteArray, QByteArray>{
                 {"/opt/arkive/arkive", "", "/opt/arkive/arkive"}, {"sub/arkive", "", "/home/sub/arkive"},
                 {"sh", "/nonexistent:/bin", "/bin/sh"}, {"sh", "/nonexistent", {}}, {"", "/bin", {}}})
            QCOMPARE(absoluteProgramPath(argv0, "/home", path), program);
        QCOMPARE(folderOf("/arkive") + ' ' + folderOf("arkive"), "/ ");
        // No entry of PATH or LD_LIBRARY_PATH is left empty: that would be the folder a line runs in.
        QCOMPARE(newPathValue("/usr/bin:/bin", "/p"), "/usr/bin:/bin:/p/bin");
        for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
            const QByteArray path = newPathValue(unset, "/p");
            QVERIFY2(path.contains("/bin:") && path.endsWith(":/p/bin") && !path.startsWith(':') && !path.contains("::"), path);
            QCOMPARE(newLibraryPathValue(unset, "/p"), "/p/plugin:/p/lib");
        }
        QCOMPARE(newLibraryPathValue("/usr/lib", "/p"), "/p/plugin:/p/lib:/usr/lib");
    }

    // A relative archive is looked for where arkive was started, then below
    // the program's folder; nowhere gives null. The folder it is unpacked
    // into by default is its own.
    void archives()
    {
        const QByteArray start = QFile::encodeName(m_root), program = start + "/mmc";
        QVERIFY(QFile(m_dir.filePath("here.zip")).open(QIODevice::WriteOnly));
        QVERIFY(QFile(m_dir.filePath("mmc/there.zip")).open(QIODevice::WriteOnly));
        for (const auto& [path, found] : Table<QByteArray, QByteArray>{
                 {"here.zip", start + "/here.zip"}, {"there.zip", "there.zip"}, {"mmc/there.zip", start + "/mmc/there.zip"},
                 {start + "/here.zip", start + "/here.zip"}, {"nowhere.zip", {}}, {"", {}}, {"/nowhere.zip", {}}})
            QCOMPARE(locateArchive(path, start, program), found);
        for (const auto& [path, cwd, folder] : Table<const char*, const char*, const char*>{
                 {"sub/a.zip", "/p", "/p/sub"}, {"../x/./a.zip", "/p/q", "/p/x"}, {"/a.zip", "/p", "/"},
                 {"/mmc/folder/", "/p", "/mmc"}})
            QCOMPARE(archiveFolder(path, cwd), folder);
        // PATH opens the window in a folder, or in a file's folder with the
        // file to enter.
        for (const auto& [path, folder, enter] : Table<QString, QString, QString>{
                 {"mmc", m_root + "/mmc", ""}, {m_root + "/here.zip", m_root, m_root + "/here.zip"},
                 {"mmc/../mmc/there.zip", m_root + "/mmc", m_root + "/mmc/there.zip"}, {"nowhere.zip", "", ""}, {"", "", ""}}) {
            const StartPlace place = startPlace(path, m_root);
            QCOMPARE(place.folder + ' ' + place.enter, folder + ' ' + enter);
        }
    }

    // What start-up says of the leftovers it removed: nothing when there
    // were none; each by path and size, the rest counted.
    void leftovers()
    {
        QCOMPARE(leftoversText({}), QString());
        const std::vector<arkive::Leftover> removed{{"/mmc/.arkive-Ab1.part", 314572800}, {"/mmc/.arkive-Cd2", 0},
                                                    {"/home/.arkive-Ef3.zip", 1}};
        QCOMPARE(leftoversText(removed, 2), "What interrupted jobs had left was removed:\n/mmc/.arkive-Ab1.part (300.0 MiB)\n"
                                            "/mmc/.arkive-Cd2 (0 B)\nand 1 more");
    }

    // WCAG's contrast ratio, and the skin's colours against what they lie on:
    // 4.5:1 for texts, 3:1 for the scroll bar's handle.
    void contrast()
    {
        for (const auto& [a, b, ratio] : Table<QRgb, QRgb, double>{
                 {0x000000, 0xffffff, 21}, {0x767676, 0xffffff, 4.54}, {0xffffff, 0x308cc6, 3.69}})
            QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01 && contrastRatio(b, a) == contrastRatio(a, b),
                     qPrintable(QString::number(contrastRatio(a, b))));
        for (const auto& [ink, ground, least] : Table<QRgb, QRgb, double>{
                 {0xffffff, ZSkin::Highlight, 4.5}, {ZSkin::SecondaryOnHighlight, ZSkin::Highlight, 4.5},
                 {ZSkin::SecondaryText, 0xffffff, 4.5}, {ZSkin::DisabledText, qApp->palette().window().color().rgb(), 4.5},
                 {ZSkin::ScrollHandle, ZSkin::ScrollGroove, 3}, {ZSkin::ScrollHandle, 0xffffff, 3}})
            QVERIFY(contrastRatio(ink, ground) >= least);
    }

    // The title bar follows the folder and the selection; "Clear selection"
    // empties it in every folder. The back key is off exactly while the
    // root is shown, from the start on.
    void titleBarAndBackKey()
    {
        for (const auto& [folder, selected, title] : Table<const char*, int, const char*>{
                 {"/", 0, "/"}, {"/", 2, "/ · 2 selected"}, {"/a %1 b", 1, "a %1 b · 1 selected"}})
            QCOMPARE(mainTitle(folder, selected), title);
        // Inside an archive: its name and the folder in it; the share read.
        QCOMPARE(mainTitle("/m/a.zip/Docs/sub", 2, "/m/a.zip"), "a.zip/Docs/sub · 2 selected");
        QCOMPARE(mainTitle("/m/a.tar.gz", 0, "/m/a.tar.gz", 45), "a.tar.gz · 45 %");
        MainWindow window(nullptr, m_root + "/mmc/mmca1", "*", Everything, ByName);
        QCOMPARE(window.getTitleBarWidget()->text(), "mmca1");
        QAbstractButton* back = window.getCSTWidget(true)->findChildren<QAbstractButton*>().last();   // a picture
        QVERIFY(back->isEnabled());
        back->click();
        window.fileView->topLevelItem(0)->setSelected(true);
        window.fileView->setDir(m_root);
        window.fileView->topLevelItem(0)->setSelected(true);
        QCOMPARE(window.getTitleBarWidget()->text(), QFileInfo(m_root).fileName() + " · 2 selected");
        // A tap on the title lists the selection; a tick cleared drops that entry.
        QStringList listed;
        WhileModal<SelectionDialog> dropping([&listed](SelectionDialog* dialog) {
            auto* lines = dialog->findChild<QListWidget*>();
            listed = lineTexts(lines);
            lines->item(1)->setCheckState(Qt::Unchecked);
            findByText(dialog, "OK")->click();
        });
        QTest::mouseClick(window.getTitleBarWidget(), Qt::LeftButton);
        QCOMPARE(listed, QStringList({"mmc/mmca1", "mmc"}));
        QCOMPARE(window.fileView->selectedItems().size(), 0);
        QCOMPARE(window.getTitleBarWidget()->text(), QFileInfo(m_root).fileName() + " · 1 selected");
        QAction* clear = findByText<QAction>(&window, "Clear selection");
        QVERIFY(clear && clear->isEnabled());
        clear->trigger();
        QVERIFY(window.fileView->selectedFiles.isEmpty() && !clear->isEnabled());
        QCOMPARE(window.getTitleBarWidget()->text(), QFileInfo(m_root).fileName());
        window.fileView->setDir("/tmp");
        back->click();
        QCOMPARE(window.fileView->currentDir, "/");
        QVERIFY(!back->isEnabled());
        MainWindow atRoot(nullptr, "/", "*", Everything, ByName);
        QVERIFY(!atRoot.getCSTWidget(true)->findChildren<QAbstractButton*>().last()->isEnabled());
    }

    // Every window in the language of the first of LC_ALL, LC_MESSAGES and
    // LANG that is set, tally's too; English when there is no file for it.
    // In each, the main window and every dialog fit the phone's screen with
    // nothing cut (German and Chinese texts are longer and wider).
    void translations()
    {
        using Texts = QStringList;   // a key, a menu entry, compress, chooser, extract, tally
        const Texts german{"Packen", "Aktualisieren", "Passwort:", "Zurück", "Vorhandene überschreiben", "Entpacken fertig"};
        const Texts chinese{"压缩", "刷新", "密码：", "返回", "覆盖已有文件", "解压完成"};
        const Texts english{"Compress", "Refresh", "Password:", "Back", "Overwrite existences", "Unpacking done"};
        for (const auto& [lcAll, lang, texts] : Table<const char*, const char*, Texts>{
                 {"", "de_DE.UTF-8", german}, {"", "zh_CN.UTF-8", chinese}, {"de_DE.UTF-8", "fr_FR", german},
                 {"", "fr_FR", english}, {"C.UTF-8", "de_DE", english}}) {
            qputenv("LC_ALL", lcAll);
            qunsetenv("LC_MESSAGES");
            qputenv("LANG", lang);
            QTranslator translator;   // outlives the windows, leaves the application with its end
            (void)translator.load(translationName("arkiveui", ZLanguage::getSystemLanguageCode()),
                                  ARKIVE_PROGRAM_DIR "/i18n");
            qApp->installTranslator(&translator);
            MainWindow window(nullptr, m_root, "*", Everything, ByName);
            QVERIFY2(findByText(&window, texts[0]) && findByText<QAction>(&window, texts[1]), lang);
            verifyNothingCut(&window);
            CompressDialog compress(&window);
            compress.setOutDir(m_root + QString("/very long folder name").repeated(8));
            compress.show();
            compress.slotAdvance();
            QVERIFY2(findByText<QLabel>(&compress, texts[2]), lang);
            verifyNothingCut(&compress);
            ZFileDialog chooser(nullptr, m_root, "*", QDir::Dirs, ByName);
            QVERIFY2(findByText(&chooser, texts[3]), lang);
            verifyNothingCut(&chooser);
            ExtractDialog extract(&window);
            extract.setFiles({"/a", "/b"});
            QVERIFY2(findByText(&extract, texts[4]), lang);
            verifyNothingCut(&extract);
            tally::Snapshot done;
            done.outcome = tally::Outcome::Done;
            QCOMPARE(tally::TallyWindow::titleWords(done), texts[5]);
        }
        qputenv("LC_ALL", "C.UTF-8");
    }

    // The archive is named after the one entry selected, or else after the
    // folder shown, and the dialog lists what is packed, named from the
    // folder shown; with nothing selected, Compress and Extract say so
    // instead of opening a dialog. (That the dialogs get the selection and
    // the folder is driven through the screen in tst_screen.)
    void archiveName()
    {
        const QString mmc = m_root + "/mmc";
        for (const auto& [folder, key, selection, name, listed] : Table<QString, QString, QStringList, QString, QStringList>{
                 {mmc, "Compress", {}, "Select the files and folders to pack first.", {}},
                 {mmc, "Extract", {}, "Select the archives to unpack first.", {}},
                 {mmc, "Compress", {"/x/photos"}, "photos", {"/x/photos"}},
                 {mmc, "Compress", {"/x/a", mmc + "/b"}, "mmc", {"/x/a", "b"}}, {"/", "Compress", {"/a", "/b"}, "", {"a", "b"}}}) {
            MainWindow window(nullptr, folder, "*", Everything, ByName);
            window.fileView->selectedFiles = selection;
            QString proposed = "(not opened)";
            QStringList lines;
            WhileModal<CompressDialog> packing([&proposed, &lines](CompressDialog* dialog) {
                proposed = dialog->request().name;
                lines = lineTexts(dialog->findChild<QListWidget*>());
                dialog->reject();
            });
            WhileModal<QMessageBox> told([&proposed](QMessageBox* box) {
                proposed = box->text();
                box->accept();
            });
            findByText(window.getCSTWidget(true), key)->click();
            QCOMPARE(proposed, name);
            QCOMPARE(lines, listed);
        }
    }

    // The extract dialog's folder field keeps the program's own text
    // exactly; what the user types or pastes never brings in a newline.
    void folderField()
    {
        ExtractDialog extract;
        auto* field = extract.findChild<ZMultiLineEdit*>();
        const QString exact = "/tmp/a\nb\rc\u00a0d\u2029e";
        extract.setOutDir(exact);
        QCOMPARE(extract.outDir(), exact);
        extract.setOutDir("/mmc");
        field->moveCursor(QTextCursor::End);
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter);
        QTest::keyClicks(field, "/x");
        QApplication::clipboard()->setText("/y\n/z");
        field->paste();
        QCOMPARE(extract.outDir(), "/mmc/x/y/z");
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
