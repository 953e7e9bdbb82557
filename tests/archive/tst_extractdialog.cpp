// The extract dialog as the user sees and drives it.
#include "extractcommand.h"
#include "extractdialog.h"
#include "zglobal.h"
#include "zmultilineedit.h"
#include "zpushbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>

namespace {

QStringList traces;

void recordTrace(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg)
        traces << message;
}

ZPushButton* button(const QWidget& dialog, const QString& text)
{
    for (ZPushButton* candidate : dialog.findChildren<ZPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

ZPushButton* button(const QWidget* dialog, const QString& text)
{
    return button(*dialog, text);
}

// Runs `act` on the folder chooser once its modal loop runs.
void whenChooserRuns(std::function<void(QWidget*)> act, int tries = 200)
{
    QTimer::singleShot(tries == 200 ? 0 : 10, [act, tries]() {
        QWidget* chooser = QApplication::activeModalWidget();
        if (chooser && chooser->objectName() == QLatin1String("OpenFile Dialog"))
            act(chooser);
        else if (tries > 0)
            whenChooserRuns(act, tries - 1);
    });
}

} // namespace

class TestExtractDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Nothing that accept() starts may find a real tool.
        QVERIFY(m_emptyPath.isValid());
        qputenv("PATH", QFile::encodeName(m_emptyPath.path()));
    }

    void freshDialog()
    {
        ExtractDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.findChild<QLabel*>()->text() == QLatin1String("Extract Dialog"));
        QVERIFY(dialog.overwrite());
        QVERIFY(dialog.password().isEmpty());
        QVERIFY(dialog.outDir().isEmpty());
        QVERIFY(dialog.files().isEmpty());
        QCOMPARE(dialog.findChild<QLineEdit*>()->echoMode(), QLineEdit::Normal);

        ZPushButton* cancel = button(dialog, QStringLiteral("Cancel"));
        ZPushButton* ok = button(dialog, QStringLiteral("Ok"));
        QVERIFY(cancel && ok);
        QVERIFY(cancel->mapTo(&dialog, QPoint()).x() < ok->mapTo(&dialog, QPoint()).x());

        ZPushButton* dir = button(dialog, QStringLiteral("Dir"));
        QVERIFY(dir);
        QVERIFY(qobject_cast<ZMultiLineEdit*>(dir->parentWidget()));
        QCOMPARE(dir->geometry(), QRect(0, 0, 60, 25));
        QVERIFY(dialog.width() <= ZGlobal::getScreenR().width());
        QVERIFY(dialog.height() <= ZGlobal::getScreenR().height());
    }

    void outputFolder()
    {
        ExtractDialog dialog;
        dialog.setOutDir(QStringLiteral("/mmc/mmca1"));
        dialog.setOutDir(QStringLiteral("/tmp"));
        QCOMPARE(dialog.outDir(), QStringLiteral("/tmp"));

        // A cancelled chooser leaves the field as it was, typed text included.
        auto* field = dialog.findChild<ZMultiLineEdit*>();
        field->moveCursor(QTextCursor::End);
        QTest::keyClicks(field, QStringLiteral("/typed"));
        bool chooserShown = false;
        whenChooserRuns([&](QWidget* chooser) {
            chooserShown = true;
            button(chooser, QStringLiteral("Cancel"))->click();
        });
        QTest::mouseClick(button(dialog, QStringLiteral("Dir")), Qt::LeftButton);
        QVERIFY(chooserShown);
        QCOMPARE(dialog.outDir(), QStringLiteral("/tmp/typed"));
    }

    // "OK" in the chooser puts exactly the folder it shows into the field.
    void outputFolderChosen()
    {
        ExtractDialog dialog;
        dialog.setOutDir(QStringLiteral("/tmp"));
        QTemporaryDir work;
        QVERIFY(work.isValid());
        QVERIFY(QDir(work.path()).mkdir(QStringLiteral("out dir")));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path() + QLatin1String("/out dir")));
        // Without a memory card the chooser shows nothing; "Back" then lists
        // the working folder. With one, it goes up to /mmc.
        const QString expected = QDir(QStringLiteral("/mmc/mmca1")).isReadable()
                                     ? QStringLiteral("/mmc")
                                     : QDir::currentPath();
        whenChooserRuns([](QWidget* chooser) {
            button(chooser, QStringLiteral("Back"))->click();
            button(chooser, QStringLiteral("OK"))->click();
        });
        QTest::mouseClick(button(dialog, QStringLiteral("Dir")), Qt::LeftButton);
        QDir::setCurrent(previous);
        QCOMPARE(dialog.outDir(), expected);
    }

    // OK closes the dialog, then traces one line per archive in list order,
    // with the password hidden.
    void okRunsOneCommandPerArchive()
    {
        ExtractDialog dialog;
        const QStringList archives{QStringLiteral("/nowhere/a.zip"), QStringLiteral("/nowhere/b.tar.gz"),
                                   QStringLiteral("/nowhere/c.rar"), QStringLiteral("/nowhere/notes")};
        dialog.setFiles(archives);
        dialog.setOutDir(QStringLiteral("/nowhere/out"));
        dialog.setPassword(QStringLiteral("s3cret"));
        dialog.setOverwrite(false);

        traces.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
        QTest::mouseClick(button(dialog, QStringLiteral("Ok")), Qt::LeftButton);
        qInstallMessageHandler(previous);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QStringList expected;
        for (const QString& archive : archives)
            expected << extractTrace(archive, QStringLiteral("/nowhere/out"), QStringLiteral("s3cret"),
                                     false);
        QCOMPARE(traces, expected);
        for (const QString& line : std::as_const(traces))
            QVERIFY2(!line.contains(QLatin1String("s3cret")), qPrintable(line));

        // The unpacking pipelines inherit SIGTERM ignored.
        struct sigaction action;
        QCOMPARE(sigaction(SIGTERM, nullptr, &action), 0);
        QVERIFY(action.sa_handler == SIG_IGN);
    }

    void cancelRunsNothing()
    {
        ExtractDialog dialog;
        dialog.setFiles({QStringLiteral("/nowhere/a.tar")});
        dialog.setOutDir(QStringLiteral("/nowhere"));
        traces.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
        QTest::mouseClick(button(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
        qInstallMessageHandler(previous);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(traces.isEmpty());
    }

private:
    QTemporaryDir m_emptyPath;
};

QTEST_MAIN(TestExtractDialog)
#include "tst_extractdialog.moc"
