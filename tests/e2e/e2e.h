// The world of the end-to-end tests: the real archivers and the real tally,
// behind a stand-in that logs how each tally ended (stubs/tally), rar
// through the unrar stand-in (stubs/unrar); archives packed and unpacked by
// the dialogs' own OK; every pipeline waited for. Paths are bytes.
#pragma once

#include "compresscommand.h"
#include "compressdialog.h"
#include "extractdialog.h"
#include "localbytes.h"

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

#include <cstdlib>

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
    // Sets up PATH and the logs; the tests run in `work`, where a word of a
    // name that ran as a command would leave a file.
    bool setUp()
    {
        if (!m_tmp.isValid() || !becomeSubreaper())
            return false;
        char* real = ::realpath(QFile::encodeName(m_tmp.path()).constData(), nullptr);
        root = real;
        std::free(real);
        work = root + "/work";
        m_log = root + "/tally.log";
        writeBytes(m_log, QByteArray(), 0666);
        ::setenv("ARKIVE_TALLY_LOG", m_log.constData(), 1);
        ::setenv("ARKIVE_REAL_TALLY", ARKIVE_PROGRAM_DIR "/bin/tally", 1);
        ::setenv("ARKIVE_UNRAR_FAILURES", (root + "/unrar-failures").constData(), 1);
        ::setenv("PATH", (ARKIVE_TEST_SOURCE_DIR "/stubs:" + qgetenv("PATH")).constData(), 1);
        return ::mkdir(work.constData(), 0755) == 0 && ::chdir(work.constData()) == 0;
    }
    ~World() { removeTree(root); }   // QTemporaryDir cannot remove names that are not UTF-8

    // A new folder below the root.
    QByteArray folder(const QByteArray& name)
    {
        const QByteArray path = root + '/' + name + ' ' + QByteArray::number(++m_folders);
        return ::mkdir(path.constData(), 0755) == 0 ? path : QByteArray();
    }

    // A tree of every hostile name as a file, an empty folder, a subfolder,
    // two links (one dangling) and a larger file of random bytes.
    QByteArray tree(bool forZip)
    {
        const QByteArray tree = folder("tree $t") + "/tree";
        bool ok = ::mkdir(tree.constData(), 0755) == 0;
        for (const QByteArray& name : hostileNames())
            if (!forZip || zipKeepsName(name))
                ok = ok && writeBytes(tree + '/' + name, "content of " + name + '\n' + QByteArray(600, 'c'));
        QByteArray big(1 << 19, '\0');
        QRandomGenerator(4711).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        const QByteArray sub = tree + "/sub $dir 'x'";
        ok = ok && ::mkdir((tree + "/empty folder").constData(), 0755) == 0 && ::mkdir(sub.constData(), 0755) == 0
             && writeBytes(sub + "/-nested `x`", "nested\n") && writeBytes(sub + "/.hidden", "packed too\n")
             && writeBytes(tree + "/big.bin", big)
             && ::symlink("sub $dir 'x'/-nested `x`", (tree + "/link to nested").constData()) == 0
             && ::symlink("../nowhere $x", (tree + "/dangling link").constData()) == 0;
        return ok ? tree : QByteArray();
    }

    // Packs `files` through the compress dialog's OK, answering the question
    // whether to replace an archive with `answer`; returns the archive.
    QByteArray pack(const QByteArrayList& files, const QByteArray& outDir, const QString& format,
                    const CompressRequest& options = CompressRequest(), const char* answer = "Replace")
    {
        CompressDialog dialog;
        WhileModal<QMessageBox> answering([answer](QMessageBox* box) {
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QLatin1String(answer))
                    button->click();
        });
        QStringList list;
        for (const QByteArray& file : files)
            list << fromLocalBytes(file);
        dialog.setFiles(list);
        dialog.setOutDir(fromLocalBytes(outDir));
        dialog.setArchiveName(QStringLiteral("pack $n ;`x` -"));
        dialog.findChild<QComboBox*>()->setCurrentText(format);
        QWidget* group = dialog.findChild<QCheckBox*>()->parentWidget();   // the zip options
        for (QCheckBox* box : group->findChildren<QCheckBox*>())
            box->setChecked(box->text() == QLatin1String("Ultra") ? options.ultra : options.split);
        const QList<QSpinBox*> spins = group->findChildren<QSpinBox*>();
        spins.first()->setValue(options.ratio);
        spins.last()->setValue(options.splitSize);
        group->findChild<QLineEdit*>()->setText(options.password);
        dialog.accept();
        if (dialog.result() != QDialog::Accepted)
            return "(not accepted)";
        return reapAll() ? toLocalBytes(archivePath(dialog.request())) : QByteArray();
    }

    // Unpacks the archives through one extract dialog's OK.
    bool unpack(const QByteArrayList& archives, const QByteArray& outDir, const QByteArray& password = {},
                bool overwrite = true)
    {
        ::setenv("ARKIVE_UNRAR_EXPECT_O", overwrite ? "-o+" : "-o-", 1);
        ::setenv("ARKIVE_UNRAR_EXPECT_P", password.isEmpty() ? "-p-" : ("-p" + password).constData(), 1);
        ExtractDialog dialog;
        QStringList list;
        for (const QByteArray& archive : archives)
            list << fromLocalBytes(archive);
        dialog.setFiles(list);
        dialog.setOutDir(fromLocalBytes(outDir));
        dialog.setPassword(fromLocalBytes(password));
        dialog.setOverwrite(overwrite);
        dialog.accept();
        return reapAll();
    }

    // Runs a command line as the user "nobody" (when the tests run as root,
    // so that permission bits hold), and waits for what it started.
    bool runAsNobody(const QString& line)
    {
        ::chmod(root.constData(), 0755);
        ::chmod(m_log.constData(), 0666);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(126);
            ::execl("/bin/sh", "sh", "-c", toLocalBytes(line).constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid > 0 && reapAll();
    }

    // How the tallies ended since the last call, in the order they ended.
    QList<TallyEnd> tallyEnds()
    {
        const QByteArray log = readBytes(m_log);
        const qsizetype end = log.lastIndexOf('\n') + 1;   // whole lines only
        QList<TallyEnd> ends;
        for (const QByteArray& line : log.mid(m_logRead, end - m_logRead).split('\n')) {
            const int blank = line.indexOf(' ');
            if (blank > 0)
                ends << TallyEnd{line.left(blank).toInt(), line.mid(blank + 1)};
        }
        m_logRead = end;
        return ends;
    }

    // What the unrar stand-in found wrong with its words.
    QByteArray unrarFailures()
    {
        const QByteArray path = root + "/unrar-failures";
        const QByteArray text = ::access(path.constData(), F_OK) == 0 ? readBytes(path) : QByteArray();
        ::unlink(path.constData());
        return text;
    }

    QByteArray root;
    QByteArray work;

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
