// The compress and extract dialogs as the user drives them: the formats
// that PATH offers, the archive name as the format changes, the options, the
// folder chooser behind both dialogs, and what OK and Cancel start.
#include "compresscommand.h"
#include "compressdialog.h"
#include "compressformats.h"
#include "extractcommand.h"
#include "extractdialog.h"
#include "totalsize.h"

#include "widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QVERIFY(QDir::setCurrent(m_tmp.path()));
        m_all = makePath("all", {"tar", "gzip", "bzip2", "lzip", "lzop", "lzma", "xz", "zip"});
        qputenv("PATH", m_all.toUtf8());
    }

    void formatsFollowPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("formats");
        QTest::addColumn<QString>("current");
        QTest::newRow("all") << m_all
                             << QStringList{".mpkg", ".mtf", ".pkg", ".tar", ".tar.bz2", ".tar.gz", ".tar.lz",
                                            ".tar.lzma", ".tar.lzo", ".tar.xz", ".zip"}
                             << ".tar.gz";
        QTest::newRow("zip only") << makePath("zip", {"zip"}) << QStringList{".zip"} << ".zip";
        // Each row checks its own program only; without gzip the first entry stays current.
        QTest::newRow("no gzip, empty parts") << "::" + makePath("nogz", {"bzip2"}) + "::" + makePath("tar", {"tar"})
                                              << QStringList{".tar", ".tar.bz2"} << ".tar";
        QTest::newRow("hidden and dangling names") << makePath("odd", {".gzip", "xz->nowhere", "lzip/"})
                                                   << QStringList{".tar.lz"} << ".tar.lz";
        QTest::newRow("empty") << QString() << QStringList() << QString();
    }
    void formatsFollowPath()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, formats);
        QFETCH(QString, current);
        qputenv("PATH", path.toUtf8());
        CompressDialog dialog;
        qputenv("PATH", m_all.toUtf8());
        auto* box = dialog.findChild<QComboBox*>();
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, formats);
        QCOMPARE(box->currentText(), current);
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("switched");   // the name after choosing the format
        QTest::newRow("plain") << "photos" << ".zip" << "photos" << "photos";
        QTest::newRow("dotted") << "notes.txt" << ".tar.gz" << "notes.txt.tar.gz" << "notes.tar.gz";
        QTest::newRow("first dot decides") << "a.b.tar.gz" << ".tar.bz2" << "a.b.tar.gz.tar.bz2" << "a.tar.bz2";
        QTest::newRow("hidden") << ".profile" << ".zip" << ".profile" << ".zip";
        QTest::newRow("newline after the dot") << "a.b\nc" << ".tar" << "a.b\nc.tar" << "a.tar";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, format);
        QFETCH(QString, proposed);
        QFETCH(QString, switched);
        QCOMPARE(proposedName(name, format), proposed);
        QCOMPARE(renamedForFormat(name, format), switched);
    }

    // The user steps the format box, opens the options and sets them; the
    // request holds what the fields show.
    void compressOptions()
    {
        CompressDialog dialog;
        dialog.setArchiveName(QStringLiteral("a.b"));
        QCOMPARE(dialog.request().name, QStringLiteral("a.b.tar.gz"));
        auto* box = dialog.findChild<QComboBox*>();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(dialog.request().name, QStringLiteral("a.tar.bz2"));

        dialog.show();
        auto* advance = findByText(&dialog, QStringLiteral("+"));
        auto* split = findByText<QCheckBox>(&dialog, QStringLiteral("Split"));
        QVERIFY(!split->isVisible());
        QTest::mouseClick(advance, Qt::LeftButton);
        QVERIFY(split->isVisible());
        QSpinBox* splitSpin = split->parentWidget()->findChildren<QSpinBox*>().last();
        QVERIFY(!splitSpin->isEnabled());
        QTest::mouseClick(split, Qt::LeftButton);
        QVERIFY(splitSpin->isEnabled());
        splitSpin->setValue(12);
        split->parentWidget()->findChildren<QSpinBox*>().first()->setValue(3);
        findByText<QCheckBox>(&dialog, QStringLiteral("Ultra"))->setChecked(true);
        split->parentWidget()->findChild<QLineEdit*>()->setText(QStringLiteral("pw"));
        const CompressRequest request = dialog.request();
        QCOMPARE(request.ratio, 3);
        QVERIFY(request.ultra && request.split);
        QCOMPARE(request.splitSize, 12);
        QCOMPARE(request.password, QStringLiteral("pw"));
        QTest::mouseClick(advance, Qt::LeftButton);
        QVERIFY(!split->isVisible());
        QCOMPARE(advance->text(), QStringLiteral("+"));
    }

    // Cancel in the folder chooser keeps the folder; OK takes the folder
    // it shows, whichever dialog opened it.
    void folderChooser()
    {
        const QString kept = m_tmp.path() + QStringLiteral("/chosen/inner");
        QVERIFY(QDir().mkpath(kept));
        // Without a memory card the chooser starts at the dialog's output
        // folder; "Back" shows the folder above.
        const QString expected = QDir(QStringLiteral("/mmc/mmca1")).isReadable()
                                     ? QStringLiteral("/mmc") : m_tmp.path() + QStringLiteral("/chosen");
        for (const char* press : {"Cancel", "OK"}) {
            CompressDialog compress;
            ExtractDialog extract;
            compress.setOutDir(kept);
            extract.setOutDir(kept);
            for (QDialog* dialog : {static_cast<QDialog*>(&compress), static_cast<QDialog*>(&extract)}) {
                whenModal<QDialog>([press](QDialog* chooser) {
                    findByText(chooser, QStringLiteral("Back"))->click();
                    findByText(chooser, QString::fromLatin1(press))->click();
                });
                for (const char* dirButton : {"...", "Dir"})
                    if (QAbstractButton* b = findByText(dialog, QString::fromLatin1(dirButton)))
                        b->click();
            }
            const bool ok = qstrcmp(press, "OK") == 0;
            QCOMPARE(compress.outDir(), (ok ? expected : kept) + '/');
            QCOMPARE(extract.outDir(), ok ? expected : kept);
        }
    }

    // OK closes the dialog and traces each line it starts (passwords
    // masked); Cancel, or nothing to pack, starts and traces nothing.
    void okAndCancel()
    {
        const QString data = m_tmp.path() + QStringLiteral("/data");
        QVERIFY(QDir().mkpath(data));
        TraceRecorder traces;
        // The name of the partial archive or of the private folder in a trace.
        const auto tokenOf = [&traces](int i) {
            static const QRegularExpression token(QStringLiteral("\\.arkive-([A-Za-z0-9]{8})"));
            return token.match(traces.lines().value(i)).captured(1);
        };
        CompressDialog cancelled;
        cancelled.setFiles({data});
        findByText(&cancelled, QStringLiteral("Cancel"))->click();
        CompressDialog empty;
        findByText(&empty, QStringLiteral("OK"))->click();
        ExtractDialog extractCancelled;
        extractCancelled.setFiles({QStringLiteral("/nowhere/a.tar")});
        findByText(&extractCancelled, QStringLiteral("Cancel"))->click();
        QCOMPARE(traces.lines(), QStringList());
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));

        CompressDialog compress;
        compress.setFiles({data});
        compress.setOutDir(m_tmp.path());
        compress.findChild<QComboBox*>()->setCurrentText(QStringLiteral(".zip"));
        compress.findChild<QSpinBox*>()->parentWidget()->findChild<QLineEdit*>()->setText(QStringLiteral("s3cret"));
        findByText(&compress, QStringLiteral("OK"))->click();
        QCOMPARE(compress.result(), int(QDialog::Accepted));
        QCOMPARE(traces.lines().size(), 1);
        QCOMPARE(traces.lines().first(),
                 compressTrace(compress.request(), totalSize({data}), partialPath(compress.request(), tokenOf(0))));
        {
            // Once packing has begun, SIGTERM and SIGUSR1 are told and the program goes on.
            OutputCapture out(STDOUT_FILENO);
            ::raise(SIGTERM);
            ::raise(SIGUSR1);
            QCOMPARE(out.text(), QByteArray("arkive: Signal SIGTERM is ignored\n").repeated(2));
        }

        ExtractDialog extract;
        const QStringList archives{QStringLiteral("/nowhere/a.zip"), QStringLiteral("/nowhere/b.tar.gz"),
                                   QStringLiteral("/nowhere/notes")};
        extract.setFiles(archives);
        extract.setOutDir(QStringLiteral("/nowhere/out"));
        extract.setPassword(QStringLiteral("s3cret"));
        findByText(&extract, QStringLiteral("Ok"))->click();
        QStringList expected{traces.lines().first()};
        for (const QString& archive : archives)
            expected << extractTrace({archive, QStringLiteral("/nowhere/out"), QStringLiteral("s3cret"), true},
                                     tokenOf(expected.size()));
        QCOMPARE(traces.lines(), expected);
        QVERIFY(!traces.lines().join(' ').contains(QLatin1String("s3cret")));
        struct sigaction action;
        QCOMPARE(sigaction(SIGTERM, nullptr, &action), 0);
        QVERIFY(action.sa_handler == SIG_IGN);   // unpacking pipelines inherit it ignored
    }

private:
    // A folder holding empty files named after the programs ("name->target"
    // makes a link, "name/" a folder); returns its path.
    QString makePath(const char* folder, std::initializer_list<const char*> programs)
    {
        const QString dir = m_tmp.path() + QLatin1Char('/') + QLatin1String(folder);
        QDir().mkpath(dir);
        for (const char* program : programs) {
            const QString entry = QString::fromLatin1(program);
            const QString path = dir + QLatin1Char('/') + entry.section(QStringLiteral("->"), 0, 0);
            if (entry.contains(QLatin1String("->")))
                QFile::link(entry.section(QStringLiteral("->"), 1), path);
            else if (entry.endsWith(QLatin1Char('/')))
                QDir().mkpath(path);
            else
                QFile(path).open(QIODevice::WriteOnly);
        }
        return dir;
    }

    QTemporaryDir m_tmp;
    QString m_all;
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
