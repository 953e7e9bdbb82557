// The main window: its keys, menu, window states and the two dialogs it opens.
#include "compresscommand.h"
#include "compressdialog.h"
#include "extractdialog.h"
#include "fileview.h"
#include "mainwindow.h"
#include "zglobal.h"
#include "zpushbutton.h"
#include "zskin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

constexpr int MainFilter = 775; // QDir::All | QDir::Hidden | QDir::System
constexpr int MainSort = 20;    // QDir::Name | QDir::DirsFirst | QDir::IgnoreCase

QList<ZPushButton*> softKeys(const MainWindow& window)
{
    return window.getCSTWidget(true)->findChildren<ZPushButton*>(QString(),
                                                                  Qt::FindDirectChildrenOnly);
}

// Runs `check` on the modal dialog of type T once it is open, then rejects it.
template <typename T>
void whenModalOpens(std::function<void(T*)> check, bool* seen)
{
    QTimer::singleShot(0, [check, seen] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *seen = true;
        check(dialog);
        dialog->reject();
    });
}

QStringList rowNames(const FileView& view)
{
    QStringList names;
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        names << view.topLevelItem(i)->text(0);
    return names;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("mmc/mmca1/photos")));
        m_root = m_dir.path();
    }

    void softKeysAndMenu()
    {
        MainWindow window(nullptr, QStringLiteral("/"), QStringLiteral("*"), MainFilter, MainSort);
        const QList<ZPushButton*> keys = softKeys(window);
        QCOMPARE(keys.size(), 4);
        const QRect expected[4] = {ZGlobal::getCst4b_1R(), ZGlobal::getCst4b_2R(),
                                   ZGlobal::getCst4b_3R(), ZGlobal::getCst4b_4R()};
        for (int i = 0; i < 4; ++i) {
            const QRect onScreen(keys[i]->mapTo(&window, QPoint()) + window.screenPosition(),
                                 keys[i]->size());
            QCOMPARE(onScreen, expected[i]);
        }
        QCOMPARE(keys[0]->resourceID(), QStringLiteral("CST_Menu"));
        QCOMPARE(keys[1]->text(), QStringLiteral("Compress"));
        QCOMPARE(keys[2]->text(), QStringLiteral("Extract"));
        QCOMPARE(keys[3]->resourceID(), QStringLiteral("CST_Back"));

        QMenu* menu = keys[0]->menu();
        QVERIFY(menu);
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"Refresh", "About", "Exit"}));

        // The arrow sits at the right end of the title bar.
        QCOMPARE(window.upButton->parentWidget(), window.getTitleBarWidget());
        const int arrowWidth = ZSkin::skin()->getPixmap(QStringLiteral("Dialog_Up_Arr.g")).width();
        QCOMPARE(window.upButton->pos(), QPoint(ZGlobal::getScreenR().width() - arrowWidth, 0));
    }

    void backKeyFollowsTheRoot()
    {
        MainWindow window(nullptr, QStringLiteral("/"), QStringLiteral("*"), MainFilter, MainSort);
        ZPushButton* back = softKeys(window).at(3);
        QVERIFY(!back->isEnabled());
        window.fileView->setDir(m_root + QStringLiteral("/mmc/mmca1"));
        QVERIFY(back->isEnabled());
        window.dirUp();
        QCOMPARE(window.fileView->currentDir, m_root + QStringLiteral("/mmc"));
        QVERIFY(back->isEnabled());

        window.fileView->setDir(QStringLiteral("/tmp"));
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(window.fileView->currentDir, QStringLiteral("/"));
        QVERIFY(!back->isEnabled());
        window.dirUp();
        QCOMPARE(window.fileView->currentDir, QStringLiteral("/"));
    }

    void startsDisabledOnlyAtTheRoot()
    {
        MainWindow window(nullptr, m_root, QStringLiteral("*"), MainFilter, MainSort);
        QVERIFY(softKeys(window).at(3)->isEnabled());
        QCOMPARE(window.fileView->currentDir, m_root);
    }

    void resizeAlternates()
    {
        MainWindow window(nullptr, QStringLiteral("/"), QStringLiteral("*"), MainFilter, MainSort);
        window.show();
        QVERIFY(window.size() != ZGlobal::getScreenR().size());
        window.resizeWindow();
        QCOMPARE(window.size(), ZGlobal::getScreenR().size());
        QCOMPARE(window.upButton->resourceID(), QStringLiteral("Dialog_Down_Arr"));
        window.resizeWindow();
        QVERIFY(window.size() != ZGlobal::getScreenR().size());
        QCOMPARE(window.upButton->resourceID(), QStringLiteral("Dialog_Up_Arr"));
        window.resizeWindow();
        QCOMPARE(window.size(), ZGlobal::getScreenR().size());
    }

    void refreshShowsNewEntries()
    {
        MainWindow window(nullptr, m_root, QStringLiteral("*"), MainFilter, MainSort);
        QVERIFY(!rowNames(*window.fileView).contains(QStringLiteral("new.txt")));
        QFile file(m_root + QStringLiteral("/new.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        softKeys(window).at(0)->menu()->actions().at(0)->trigger();
        QCOMPARE(window.fileView->currentDir, m_root);
        QVERIFY(rowNames(*window.fileView).contains(QStringLiteral("new.txt")));
    }

    void aboutAndExit()
    {
        MainWindow window(nullptr, QStringLiteral("/"), QStringLiteral("*"), MainFilter, MainSort);
        window.show();
        bool seen = false;
        QString text;
        whenModalOpens<QMessageBox>([&text](QMessageBox* box) { text = box->text(); }, &seen);
        softKeys(window).at(0)->menu()->actions().at(1)->trigger();
        QVERIFY(seen);
        QVERIFY(text.contains(QLatin1String("arkive")));
        QVERIFY(text.count(QLatin1Char('\n')) >= 2);

        softKeys(window).at(0)->menu()->actions().at(2)->trigger();
        QVERIFY(!window.isVisible());
    }

    void nameProposal_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("proposal");
        QTest::newRow("nothing") << QStringLiteral("/mmc/mmca1") << QStringList{} << QString();
        QTest::newRow("one") << QStringLiteral("/mmc/mmca1")
                             << QStringList{QStringLiteral("/x/photos")} << QStringLiteral("photos");
        QTest::newRow("several") << QStringLiteral("/mmc/mmca1")
                                 << QStringList{QStringLiteral("/x/a"), QStringLiteral("/x/b")}
                                 << QStringLiteral("mmca1");
        QTest::newRow("several at the root")
            << QStringLiteral("/") << QStringList{QStringLiteral("/a"), QStringLiteral("/b")}
            << QString();
    }
    void nameProposal()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, selection);
        QFETCH(QString, proposal);
        const QString shown = folder == QLatin1String("/") ? folder : m_root + folder;
        MainWindow window(nullptr, shown, QStringLiteral("*"), MainFilter, MainSort);
        window.fileView->selectedFiles = selection;
        bool seen = false;
        CompressRequest request;
        whenModalOpens<CompressDialog>([&request](CompressDialog* d) { request = d->request(); },
                                       &seen);
        QTest::mouseClick(softKeys(window).at(1), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(request.files, selection);
        QCOMPARE(request.outDir, shown.endsWith(QLatin1Char('/')) ? shown : shown + QLatin1Char('/'));
        // The dialog may add the format's suffix to a name with a dot; these have none.
        QCOMPARE(request.name, proposal);
    }

    // "Extract" writes its trace line, then opens the dialog with the
    // selection and the folder shown.
    void extractOpensTheDialog()
    {
        MainWindow window(nullptr, m_root, QStringLiteral("*"), MainFilter, MainSort);
        const QStringList selection{m_root + QStringLiteral("/a.zip"), m_root + QStringLiteral("/b.tar")};
        window.fileView->selectedFiles = selection;

        const QString traceFile = m_dir.filePath(QStringLiteral("stdout"));
        std::fflush(stdout);
        const int savedStdout = ::dup(1);
        FILE* trace = std::fopen(QFile::encodeName(traceFile).constData(), "w");
        QVERIFY(trace);
        ::dup2(::fileno(trace), 1);

        bool seen = false;
        QStringList files;
        QString outDir;
        QByteArray traceBeforeDialog;
        whenModalOpens<ExtractDialog>(
            [&](ExtractDialog* dialog) {
                files = dialog->files();
                outDir = dialog->outDir();
                QFile written(traceFile);
                if (written.open(QIODevice::ReadOnly))
                    traceBeforeDialog = written.readAll();
            },
            &seen);
        QTest::mouseClick(softKeys(window).at(2), Qt::LeftButton);

        std::fflush(stdout);
        ::dup2(savedStdout, 1);
        ::close(savedStdout);
        std::fclose(trace);

        QVERIFY(seen);
        QCOMPARE(files, selection);
        QCOMPARE(outDir, m_root);
        QVERIFY2(traceBeforeDialog.startsWith("line: "), traceBeforeDialog.constData());
        QVERIFY(traceBeforeDialog.contains(", function: decompress, file: mainwindow\n\n"));
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
