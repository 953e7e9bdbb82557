// The world of the end-to-end tests: the real archivers and the real tally,
// behind a stand-in that logs how each tally ended (stubs/tally), rar
// through the unrar stand-in (stubs/unrar, which fails, and so makes tally
// fail, when its words are not the expected ones); archives packed and
// unpacked by the dialogs' own OK; every pipeline waited for. Paths are bytes.
#pragma once

#include "compresscommand.h"
#include "compressdialog.h"
#include "extractdialog.h"
#include "localbytes.h"
#include "plan.h"

#include "bytefiles.h"
#include "hostilenames.h"
#include "processes.h"
#include "widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace e2e {

// How one tally ended: its exit status and its last line.
struct TallyEnd
{
    int status = -1;
    QByteArray summary;
};

class World
{
public:
    // Sets up PATH, the log and the job records; the tests run in `work`, where a word of a
    // name that ran as a command would leave a file.
    bool setUp()
    {
        root = QFile::encodeName(QFileInfo(m_tmp.path()).canonicalFilePath());
        work = root + "/work";
        m_log = root + "/tally.log";
        qputenv("ARKIVE_TALLY_LOG", m_log);
        qputenv("ARKIVE_REAL_TALLY", ARKIVE_PROGRAM_DIR "/bin/tally");
        qputenv("PATH", ARKIVE_TEST_SOURCE_DIR "/stubs:" + qgetenv("PATH"));
        qputenv("XDG_STATE_HOME", root + "/state");   // job records of its own
        return becomeSubreaper() && writeBytes(m_log, {}, 0666) && ::mkdir(work, 0755) == 0 && ::chdir(work) == 0;
    }
    ~World() { removeTree(root); }   // QTemporaryDir cannot remove names that are not UTF-8

    // A new folder below the root.
    QByteArray folder(const QByteArray& name)
    {
        const QByteArray path = root + '/' + name + ' ' + QByteArray::number(++m_folders);
        return ::mkdir(path, 0755) == 0 ? path : QByteArray();
    }

    // A tree of every hostile name as a file, an empty folder, a subfolder,
    // two links (one dangling) and a larger file of random bytes.
    QByteArray tree(bool forZip)
    {
        const QByteArray tree = folder("tree $t") + "/tree", sub = tree + "/sub $dir 'x'";
        QByteArray big(1 << 19, '\0');
        QRandomGenerator(4711).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        bool ok = ::mkdir(tree, 0755) == 0 && ::mkdir(tree + "/empty folder", 0755) == 0 && ::mkdir(sub, 0755) == 0
                  && writeBytes(sub + "/-nested `x`", "nested\n") && writeBytes(sub + "/.hidden", "packed too\n")
                  && writeBytes(tree + "/big.bin", big) && ::symlink("sub $dir 'x'/-nested `x`", tree + "/link to nested") == 0
                  && ::symlink("../nowhere $x", tree + "/dangling link") == 0;
        for (const QByteArray& name : hostileNames())
            if (!forZip || zipKeepsName(name))
                ok = ok && writeBytes(tree + '/' + name, "content of " + name + '\n' + QByteArray(600, 'c'));
        return ok ? tree : QByteArray();
    }

    // Packs `files` through the compress dialog's OK, answering the question
    // whether to replace an archive with `answer`; returns the archive.
    // `meanwhile` runs before it waits for the pipeline.
    QByteArray pack(const QByteArrayList& files, const QByteArray& outDir, const QString& format,
                    const CompressRequest& options = CompressRequest(), const char* answer = "Replace",
                    const std::function<void()>& meanwhile = {})
    {
        CompressDialog dialog;
        // A weak zip password is packed anyway, as the user would.
        WhileModal<QMessageBox> answering([answer](QMessageBox* box) {
            QAbstractButton* pack = findByText(box, "Pack");
            (pack ? pack : findByText(box, answer))->click();
        });
        QStringList list;
        for (const QByteArray& file : files)
            list << fromLocalBytes(file);
        dialog.setFiles(list);
        dialog.setOutDir(fromLocalBytes(outDir));
        dialog.setArchiveName("pack $n ;`x` -");
        dialog.findChild<QComboBox*>()->setCurrentText(format);
        QWidget* group = dialog.findChild<QCheckBox*>()->parentWidget();   // the zip options
        for (QCheckBox* box : group->findChildren<QCheckBox*>())
            box->setChecked(box->text() == "Ultra" ? options.ultra : options.split);
        group->findChildren<QSpinBox*>().first()->setValue(options.ratio);
        group->findChildren<QSpinBox*>().last()->setValue(options.splitSize);
        group->findChild<QLineEdit*>()->setText(options.password);
        dialog.accept();
        if (dialog.result() != QDialog::Accepted)
            return "(not accepted)";
        if (meanwhile)
            meanwhile();
        return reapAll() ? toLocalBytes(archivePath(dialog.request())) : QByteArray();
    }

    // Unpacks the archives (or only the `members` of the one) through one
    // extract dialog's OK; runs `meanwhile` before it waits for the pipelines.
    bool unpack(const QByteArrayList& archives, const QByteArray& outDir, const QByteArray& password = {},
                bool overwrite = true, const std::function<void()>& meanwhile = {},
                const std::vector<arkive::MemberPick>& members = {})
    {
        qputenv("ARKIVE_UNRAR_EXPECT_O", overwrite ? "-o+" : "-o-");
        qputenv("ARKIVE_UNRAR_EXPECT_P", password.isEmpty() ? "-p-" : "-p" + password);
        ExtractDialog dialog;
        WhileModal<QMessageBox> answering([](QMessageBox* box) { findByText(box, "OK")->click(); });   // a refusal
        QStringList list;
        for (const QByteArray& archive : archives)
            list << fromLocalBytes(archive);
        dialog.setFiles(list);
        dialog.setOutDir(fromLocalBytes(outDir));
        dialog.setPassword(fromLocalBytes(password));
        dialog.setOverwrite(overwrite);
        dialog.setMembers(members);
        dialog.accept();
        if (meanwhile)
            meanwhile();
        return reapAll();
    }

    // Runs a command line as the user "nobody" (when the tests run as root,
    // so that permission bits hold), and waits for what it started.
    bool runAsNobody(const QString& line)
    {
        const QByteArrayList nobody{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        const QByteArrayList words = QByteArrayList{"/bin/sh", "-c", toLocalBytes(line)};
        return ::chmod(root, 0755) == 0 && ::chmod(m_log, 0666) == 0
               && runProgram(::geteuid() == 0 ? nobody + words : words) >= 0 && reapAll();
    }

    // How the tallies ended since the last call, in the order they ended.
    QList<TallyEnd> tallyEnds()
    {
        const QByteArray log = readBytes(m_log);
        const qsizetype end = log.lastIndexOf('\n') + 1;   // whole lines only
        QList<TallyEnd> ends;
        for (const QByteArray& line : log.mid(m_logRead, end - m_logRead).split('\n'))
            if (line.indexOf(' ') > 0)
                ends << TallyEnd{line.left(line.indexOf(' ')).toInt(), line.mid(line.indexOf(' ') + 1)};
        m_logRead = end;
        return ends;
    }

    QByteArray root, work;

private:
    QTemporaryDir m_tmp;
    QByteArray m_log;
    qsizetype m_logRead = 0;
    int m_folders = 0;
};

} // namespace e2e

// Every tally since the last look ended with this status.
#define COMPARE_TALLIES(world, count, wanted)                                                     \
    do {                                                                                          \
        const QList<e2e::TallyEnd> ends_ = (world).tallyEnds();                                   \
        QCOMPARE(ends_.size(), (count));                                                          \
        for (const e2e::TallyEnd& end_ : ends_)                                                   \
            QVERIFY2(end_.status == (wanted), end_.summary.constData());                          \
    } while (false)
// One tally ended since the last look, with this status and these words in its last line.
#define COMPARE_TALLY(world, wanted, words)                                                       \
    do {                                                                                          \
        const QList<e2e::TallyEnd> ends_ = (world).tallyEnds();                                   \
        QCOMPARE(ends_.size(), 1);                                                                \
        QVERIFY2(ends_.first().status == (wanted) && ends_.first().summary.contains(words),       \
                 ends_.first().summary.constData());                                              \
    } while (false)
