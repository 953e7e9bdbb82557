// The compress and extract dialogs as the user drives them: the formats
// that PATH offers, the archive name and the options as the format
// changes, the question before an archive is replaced, a zip password that
// does not fit, and what OK and Cancel start. (The folder chooser is tested
// with the browser, the zip options end to end.)
#include "compresscommand.h"
#include "compressdialog.h"
#include "compressformats.h"
#include "extractdialog.h"
#include "jobrecords.h"
#include "localbytes.h"
#include "totalsize.h"

#include "bytefiles.h"
#include "processes.h"
#include "widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

// Presses OK in `dialog` and answers a message box that comes up with
// `answer` (a box of one button with that one); what the box said, or "".
QString pressOk(QWidget* dialog, const char* answer = "OK")
{
    QString told;
    WhileModal<QMessageBox> answering([&told, answer](QMessageBox* box) {
        told = box->text();
        (box->buttons().size() > 1 ? findByText(box, answer) : box->buttons().first())->click();
    });
    findByText(dialog, "OK")->click();
    return told;
}

class TestDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_all;   // a PATH with every program that a format needs

    // A folder holding empty files named after the programs ("name->target"
    // makes a link, "name/" a folder); returns its path.
    QString makePath(const char* folder, const QStringList& programs)
    {
        const QString dir = m_tmp.filePath(folder);
        QDir().mkpath(dir);
        for (const QString& entry : programs) {
            const QString path = dir + '/' + entry.section("->", 0, 0);
            (void)(entry.contains("->") ? QFile::link(entry.section("->", 1), path)
                   : entry.endsWith('/') ? QDir().mkpath(path) : QFile(path).open(QIODevice::WriteOnly));
        }
        return dir;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_tmp.path()));
        m_all = makePath("all", {"tar", "gzip", "bzip2", "lzip", "lzop", "lzma", "xz", "zstd", "zip", "7zz"});
        qputenv("PATH", m_all.toUtf8());
    }

    // A format is offered when all its programs are there, in the order a
    // user expects; without gzip the first entry stays current.
    void formatsFollowPath()
    {
        for (const auto& [path, formats, current] : Table<QString, QStringList, QString>{
                 {m_all, {".tar.gz", ".zip", ".7z", ".tar.xz", ".tar.zst", ".tar", ".tar.bz2", ".tar.lz", ".tar.lzo",
                          ".tar.lzma", ".mtf", ".pkg", ".mpkg"}, ".tar.gz"},
                 {makePath("zip", {"zip", "gzip"}), {".zip"}, ".zip"},
                 {"::" + makePath("nogz", {"bzip2"}) + "::" + makePath("tar", {"tar"}), {".tar", ".tar.bz2"}, ".tar"},
                 {makePath("odd", {".gzip", "xz->nowhere", "lzip/", "tar"}), {".tar", ".tar.lz"}, ".tar"},
                 {"", {}, ""}}) {
            qputenv("PATH", path.toUtf8());
            QCOMPARE(compressFormats(), formats);
            QCOMPARE(CompressDialog().findChild<QComboBox*>()->currentText(), current);
        }
        qputenv("PATH", m_all.toUtf8());
    }

    // The name proposed for a format, and the name after choosing another.
    void names()
    {
        for (const auto& [name, format, proposed, switched] : Table<const char*, const char*, const char*, const char*>{
                 {"photos", ".zip", "photos", "photos"}, {"notes.txt", ".tar.gz", "notes.txt.tar.gz", "notes.tar.gz"},
                 {"a.b.tar.gz", ".tar.bz2", "a.b.tar.gz.tar.bz2", "a.tar.bz2"}, {".profile", ".zip", ".profile", ".zip"},
                 {"a.b\nc", ".tar", "a.b\nc.tar", "a.tar"}}) {
            QCOMPARE(proposedName(name, format), proposed);
            QCOMPARE(renamedForFormat(name, format), switched);
        }
    }

    // OK closes the dialog and traces each line it starts (passwords
    // masked); Cancel, or nothing to pack, starts and traces nothing (the
    // extract dialog's Cancel is pressed on the screen, in tst_screen). The
    // name follows the format; an archive of that name, or an earlier split
    // set of it, is replaced only after "Replace", and "Cancel" leaves the
    // dialog open. While a job writes the archive (its record is held), a
    // second packing to it is refused, and the dialog stays open; once the
    // job has ended it starts. Then the extract dialog's refusals.
    void okAndCancel()
    {
        const QString data = m_tmp.filePath("data");
        QVERIFY(QDir().mkpath(data));
        TraceRecorder traces;
        CompressDialog cancelled, empty;
        cancelled.setFiles({data});
        findByText(&cancelled, "Cancel")->click();
        findByText(&empty, "OK")->click();
        QCOMPARE(traces.lines(), QStringList());

        CompressDialog compress;
        compress.setFiles({data});
        compress.setOutDir(m_tmp.path());
        compress.setArchiveName("a.b");
        compress.show();
        QTest::keyClick(compress.findChild<QComboBox*>(), Qt::Key_Home);
        QTest::keyClick(compress.findChild<QComboBox*>(), Qt::Key_Down);   // ".zip", the second format
        compress.findChild<QCheckBox*>()->parentWidget()->findChild<QLineEdit*>()->setText("s3cret");   // the zip password
        QVERIFY(QFile(m_tmp.filePath("a.z01")).open(QIODevice::WriteOnly));
        QCOMPARE(pressOk(&compress, "Cancel"), "a.z01 exists already. Replace it?");
        QVERIFY(compress.isVisible());
        const int job = arkive::openJobRecord(arkive::jobsFolder(), "Busy1", toLocalBytes(m_tmp.path()).toStdString(),
                                              toLocalBytes(archivePath(compress.request())).toStdString());
        QVERIFY(job >= 0);
        QCOMPARE(pressOk(&compress, "Replace"), "a.zip is being packed now; wait until that is done, or choose another name.");
        QVERIFY(compress.isVisible());
        QCOMPARE(traces.lines(), QStringList());
        ::close(job);
        QCOMPARE(pressOk(&compress, "Replace"), "a.z01 exists already. Replace it?");
        QVERIFY(!compress.isVisible());
        const CompressRequest r = compress.request();
        QCOMPARE(QStringList({r.name, r.format, r.password}), QStringList({"a.zip", ".zip", "s3cret"}));
        // The name of the partial archive and of the job's record.
        const QString token = QRegularExpression("\\.arkive-([A-Za-z0-9]{8})").match(traces.lines().value(0)).captured(1);
        const QString record = QString::fromStdString(arkive::jobsFolder()) + '/' + token;
        QCOMPARE(traces.lines(), QStringList{compressTrace(r, totalSize({data}), partialPath(r, token), record)});
        // Once packing has begun, SIGTERM and SIGUSR1 are told and the program goes on.
        OutputCapture out(STDOUT_FILENO);
        ::raise(SIGTERM);
        ::raise(SIGUSR1);
        QCOMPARE(out.text(), QByteArray("arkive: Signal SIGTERM is ignored\n").repeated(2));

        // What cannot be unpacked is said before the dialog closes, with the
        // package that would unpack it; with nothing left, it stays open.
        qputenv("PATH", makePath("no7z", {"tar", "gzip", "unzip"}).toUtf8());
        ExtractDialog refused;
        refused.setFiles({"/nowhere/a.7z"});
        refused.show();
        for (const auto& [outDir, message] : {std::pair{"", "Choose the folder to unpack into."},
                                              {"/nowhere/out", "a.7z needs 7zz to be unpacked: install the package 7zip."}}) {
            refused.setOutDir(outDir);
            QCOMPARE(pressOk(&refused), message);
            QVERIFY(refused.isVisible());
        }
        // A password that does not open a zip's entries is told before
        // anything runs, and stays selected in its field for typing another
        // (several entries: one entry's check byte lets one wrong password
        // in 256 through). With the right one the others start, each with
        // its own line; the password is masked.
        const QByteArray dir = QFile::encodeName(m_tmp.filePath("secret"));
        QVERIFY(runProgram({"/bin/mkdir", "-p", dir + "/t"}) == 0);
        for (const char* name : {"a", "b", "c", "d"})
            QVERIFY(writeBytes(dir + "/t/" + name, name));
        QVERIFY(runProgram({"/usr/bin/zip", "-qr", "-P", "s3cret", "secret.zip", "t"}, nullptr, dir) == 0);
        ExtractDialog extract;
        extract.setFiles({QFile::decodeName(dir + "/secret.zip"), "/nowhere/b.tar.gz", "/nowhere/notes"});
        extract.setOutDir("/nowhere/out");
        extract.show();
        QLineEdit* field = extract.findChild<QLineEdit*>();
        extract.setPassword("s3creT");
        QCOMPARE(pressOk(&extract), "notes is not an archive arkive can unpack.\n"
                                    "The password does not open secret.zip; type it again.");
        QVERIFY(extract.isVisible() && extract.focusWidget() == field);
        QCOMPARE(field->selectedText(), "s3creT");
        QCOMPARE(traces.lines().size(), 1);
        extract.setPassword("s3cret");
        QCOMPARE(pressOk(&extract), "notes is not an archive arkive can unpack.");
        QCOMPARE(traces.lines().size(), 3);
        QVERIFY2(traces.lines()[1].contains(dir + "/secret.zip") && traces.lines()[1].contains("***"), qPrintable(traces.lines()[1]));
        QVERIFY2(traces.lines()[2].contains("/nowhere/b.tar.gz"), qPrintable(traces.lines()[2]));
        QVERIFY(!traces.lines().join(' ').contains("s3cret"));
        qputenv("PATH", m_all.toUtf8());
        QVERIFY(reapAll());
        arkive::removeLeftovers(arkive::jobsFolder());
    }

    // Only the options a format uses can be changed, as the format changes:
    // the password, the level (ratio, Ultra), the volumes; the size of a
    // volume only while "Split" is ticked.
    void optionsFollowFormat()
    {
        CompressDialog dialog;
        QWidget* options = dialog.findChild<QCheckBox*>()->parentWidget();
        QAbstractButton* split = findByText(options, "Split");
        QSpinBox* ratio = nullptr;
        QSpinBox* size = nullptr;
        for (QSpinBox* spin : options->findChildren<QSpinBox*>())
            (spin->suffix().isEmpty() ? ratio : size) = spin;
        const QWidgetList password{findByText<QLabel>(options, "Password:"), options->findChild<QLineEdit*>()};
        const QWidgetList level{findByText<QLabel>(options, "Ratio:"), ratio, findByText(options, "Ultra")};
        QVERIFY(split && size && !password.contains(nullptr) && !level.contains(nullptr));
        const auto enabled = [](const QWidgetList& widgets) {
            return std::all_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isEnabled(); })
                   ? 1 : std::none_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isEnabled(); }) ? 0 : -1;
        };
        for (const auto& [format, ticked, withPassword, withLevel, withVolumes] : Table<const char*, bool, int, int, bool>{
                 {".tar.gz", false, 0, 0, false}, {".zip", false, 1, 1, true}, {".zip", true, 1, 1, true},
                 {".tar.xz", true, 0, 0, false}, {".7z", true, 1, 1, true}, {".7z", false, 1, 1, true}}) {
            dialog.findChild<QComboBox*>()->setCurrentText(format);
            if (split->isEnabled())
                split->setChecked(ticked);
            QCOMPARE(dialog.request().format, format);
            QCOMPARE(enabled(password), withPassword);
            QCOMPARE(enabled(level), withLevel);
            QCOMPARE(split->isEnabled(), withVolumes);
            QCOMPARE(size->isEnabled(), withVolumes && ticked);
        }
    }

    // A password is refused for a format that cannot hold one, also when it
    // was typed for another format before (it stays in its field, which can
    // no longer be changed), and a weak one is told; either way the dialog
    // stays open when the user says no.
    void passwords()
    {
        TraceRecorder traces;
        for (const auto& [path, typedFor, format, said] : Table<QString, const char*, const char*, const char*>{
                 {m_all, ".7z", ".tar.gz", "A .tar.gz archive cannot be protected by a password; choose .zip or .7z."},
                 {makePath("no7zz", {"zip", "tar", "gzip", "xz"}), ".zip", ".tar.xz",
                  "A .tar.xz archive cannot be protected by a password; choose .zip."},
                 {makePath("nozz", {"zip", "tar", "gzip"}), ".zip", ".zip", "zip's own encryption can be broken in minutes"}}) {
            qputenv("PATH", path.toUtf8());
            CompressDialog dialog;
            dialog.setFiles({m_tmp.path()});
            dialog.setOutDir(m_tmp.filePath("nowhere"));
            dialog.setArchiveName("p");
            dialog.show();
            QLineEdit* field = dialog.findChild<QCheckBox*>()->parentWidget()->findChild<QLineEdit*>();
            dialog.findChild<QComboBox*>()->setCurrentText(typedFor);
            QTest::keyClicks(field, "pw");
            dialog.findChild<QComboBox*>()->setCurrentText(format);
            QCOMPARE(field->text(), "pw");
            const QString told = pressOk(&dialog, "Cancel");
            QVERIFY2(told.startsWith(said), qPrintable(told));
            QVERIFY(dialog.isVisible());
            QCOMPARE(traces.lines(), QStringList());
        }
        qputenv("PATH", m_all.toUtf8());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
