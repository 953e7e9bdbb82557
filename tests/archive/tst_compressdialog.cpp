// The compress dialog as the user sees and drives it. PATH holds stand-ins
// that are not executable, so the formats are known and nothing really runs.
#include "compresscommand.h"
#include "compressdialog.h"
#include "totalsize.h"
#include "zglobal.h"
#include "zpushbutton.h"
#include "zscrollview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

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

// Row, column, row span and column span of a widget in its parent's grid.
QList<int> cell(QWidget* widget)
{
    auto* grid = qobject_cast<QGridLayout*>(widget->parentWidget()->layout());
    if (!grid)
        return {};
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(widget), &row, &column, &rows, &columns);
    return {row, column, rows, columns};
}

QLabel* label(const QWidget& dialog, const QString& text)
{
    for (QLabel* candidate : dialog.findChildren<QLabel*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

QCheckBox* checkBox(const QWidget& dialog, const QString& text)
{
    for (QCheckBox* candidate : dialog.findChildren<QCheckBox*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// The widget in the grid cell to the right of `widget`.
template<typename T>
T* rightOf(QWidget* widget)
{
    auto* grid = qobject_cast<QGridLayout*>(widget->parentWidget()->layout());
    const QList<int> at = cell(widget);
    QLayoutItem* item = grid->itemAtPosition(at[0], at[1] + at[3]);
    return item ? qobject_cast<T*>(item->widget()) : nullptr;
}

// Presses "Cancel" in the modal folder chooser once it is up; gives up when
// the caller says the chooser has returned.
void cancelChooserWhenUp(const bool* returned, int triesLeft = 200)
{
    QTimer::singleShot(20, [returned, triesLeft] {
        if (*returned || triesLeft == 0)
            return;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            for (QPushButton* candidate : modal->findChildren<QPushButton*>()) {
                if (candidate->text() == QLatin1String("Cancel")) {
                    candidate->click();
                    return;
                }
            }
        }
        cancelChooserWhenUp(returned, triesLeft - 1);
    });
}

} // namespace

class TestCompressDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_all = m_tmp.path() + QStringLiteral("/all");
        m_zipOnly = m_tmp.path() + QStringLiteral("/zip-only");
        m_noGzip = m_tmp.path() + QStringLiteral("/no-gzip");
        for (const char* program : {"tar", "gzip", "bzip2", "lzip", "lzop", "lzma", "xz", "zip"})
            stub(m_all, program);
        stub(m_zipOnly, "zip");
        stub(m_noGzip, "tar");
        stub(m_noGzip, "bzip2");
        qputenv("PATH", m_all.toUtf8());
        QVERIFY(QDir::setCurrent(m_tmp.path()));
    }

    void layout()
    {
        CompressDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.pos(), QPoint(5, 65));
        QVERIFY(dialog.width() <= ZGlobal::ScreenWidth && dialog.height() <= ZGlobal::ScreenHeight);

        QLabel* title = label(dialog, QStringLiteral("Compress Dialog"));
        QVERIFY(title);
        QCOMPARE(title->size(), ZGlobal::getDlgTitleLR().size());
        QCOMPARE(title->alignment(), Qt::AlignCenter);

        QLabel* name = label(dialog, QStringLiteral("Name:"));
        QWidget* nameGroup = name->parentWidget();
        QCOMPARE(nameGroup->size(), QSize(220, 60));
        QCOMPARE(nameGroup->minimumSize(), nameGroup->maximumSize());
        QCOMPARE(cell(name), QList<int>({0, 0, 1, 1}));
        QCOMPARE(cell(rightOf<QLineEdit>(name)), QList<int>({0, 1, 1, 4}));
        ZPushButton* dir = button(dialog, QStringLiteral("..."));
        ZPushButton* advance = button(dialog, QStringLiteral("+"));
        QCOMPARE(cell(dir), QList<int>({0, 5, 1, 1}));
        QCOMPARE(cell(advance), QList<int>({1, 0, 1, 1}));
        QCOMPARE(dir->size(), QSize(30, 30));
        QCOMPARE(advance->size(), QSize(30, 30));
        auto* formatBox = dialog.findChild<QComboBox*>();
        QCOMPARE(cell(formatBox), QList<int>({1, 4, 1, 2}));
        QVERIFY(!formatBox->isEditable());
        QCOMPARE(nameGroup->layout()->contentsMargins(), QMargins(2, 2, 2, 2));
        QCOMPARE(nameGroup->parentWidget()->layout()->contentsMargins(), QMargins(2, 2, 2, 2));
        QCOMPARE(nameGroup->parentWidget()->parentWidget(), dialog.findChild<ZScrollView*>()->viewport());

        QLabel* password = label(dialog, QStringLiteral("Password:"));
        QLabel* ratio = label(dialog, QStringLiteral("Ratio:"));
        QCheckBox* ultra = checkBox(dialog, QStringLiteral("Ultra"));
        QCheckBox* split = checkBox(dialog, QStringLiteral("Split"));
        QVERIFY(password && ratio && ultra && split);
        QVERIFY(!password->parentWidget()->isVisible());
        QCOMPARE(cell(password), QList<int>({0, 0, 1, 1}));
        QCOMPARE(cell(rightOf<QLineEdit>(password)), QList<int>({0, 1, 1, 2}));
        QCOMPARE(rightOf<QLineEdit>(password)->echoMode(), QLineEdit::Normal);
        QCOMPARE(cell(rightOf<QSpinBox>(ratio)), QList<int>({1, 1, 1, 1}));
        QCOMPARE(cell(ultra), QList<int>({1, 2, 1, 1}));
        QCOMPARE(cell(split), QList<int>({2, 0, 1, 1}));
        QCOMPARE(cell(rightOf<QSpinBox>(split)), QList<int>({2, 1, 1, 2}));
        QVERIFY(!ultra->isChecked() && !split->isChecked());

        QSpinBox* ratioSpin = rightOf<QSpinBox>(ratio);
        QCOMPARE(ratioSpin->value(), 6);
        QSpinBox* splitSpin = rightOf<QSpinBox>(split);
        QCOMPARE(splitSpin->minimum(), 0);
        QCOMPARE(splitSpin->maximum(), 99);
        QCOMPARE(splitSpin->value(), 0);
        QCOMPARE(splitSpin->buttonSymbols(), QAbstractSpinBox::PlusMinus);
        QVERIFY(!splitSpin->isEnabled());

        ZPushButton* cancel = button(dialog, QStringLiteral("Cancel"));
        ZPushButton* ok = button(dialog, QStringLiteral("OK"));
        QVERIFY(cancel && ok);
        QCOMPARE(cancel->size(), ZGlobal::getDlgA2a_2R().size());
        QCOMPARE(ok->size(), ZGlobal::getDlgA2a_2R().size());
        QVERIFY(cancel->mapTo(&dialog, QPoint()).x() < ok->mapTo(&dialog, QPoint()).x());
        QVERIFY(ok->mapTo(&dialog, QPoint()).y() + ok->height() <= dialog.height());
    }

    void formats()
    {
        CompressDialog dialog;
        auto* box = dialog.findChild<QComboBox*>();
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, QStringList({".mpkg", ".mtf", ".pkg", ".tar", ".tar.bz2", ".tar.gz", ".tar.lz",
                                     ".tar.lzma", ".tar.lzo", ".tar.xz", ".zip"}));
        QCOMPARE(box->currentText(), QStringLiteral(".tar.gz"));
        dialog.setArchiveName(QStringLiteral("notes.txt"));
        QCOMPARE(dialog.request().name, QStringLiteral("notes.txt.tar.gz"));

        qputenv("PATH", m_zipOnly.toUtf8());
        CompressDialog zipOnly;
        QCOMPARE(zipOnly.request().format, QStringLiteral(".zip"));
        zipOnly.setArchiveName(QStringLiteral("report.txt"));
        QCOMPARE(zipOnly.request().name, QStringLiteral("report.txt.zip"));

        // No entry holds "tar.gz": the first stays current.
        qputenv("PATH", m_noGzip.toUtf8());
        CompressDialog noGzip;
        QCOMPARE(noGzip.request().format, QStringLiteral(".tar"));

        qunsetenv("PATH");
        CompressDialog none;
        QCOMPARE(none.findChild<QComboBox*>()->count(), 0);
        qputenv("PATH", m_all.toUtf8());
    }

    void names()
    {
        CompressDialog dialog;
        dialog.setArchiveName(QStringLiteral("photos"));
        QCOMPARE(dialog.request().name, QStringLiteral("photos"));
        dialog.setArchiveName(QStringLiteral(".profile"));
        QCOMPARE(dialog.request().name, QStringLiteral(".profile"));

        // The user steps the closed box from ".tar.gz" up to ".tar.bz2".
        auto* box = dialog.findChild<QComboBox*>();
        dialog.findChild<QLineEdit*>()->setText(QStringLiteral("a.b.tar.gz"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->currentText(), QStringLiteral(".tar.bz2"));
        QCOMPARE(dialog.request().name, QStringLiteral("a.tar.bz2"));
        dialog.findChild<QLineEdit*>()->setText(QStringLiteral("photos"));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(dialog.request().format, QStringLiteral(".tar.gz"));
        QCOMPARE(dialog.request().name, QStringLiteral("photos"));
    }

    void outputFolder()
    {
        CompressDialog dialog;
        QVERIFY(dialog.outDir().isEmpty());
        dialog.setOutDir(QStringLiteral("/mmc/mmca1"));
        QCOMPARE(dialog.outDir(), QStringLiteral("/mmc/mmca1/"));
        dialog.setOutDir(QStringLiteral("/mmc/mmca1/"));
        QCOMPARE(dialog.outDir(), QStringLiteral("/mmc/mmca1/"));
        dialog.setOutDir(QStringLiteral("/"));
        QCOMPARE(dialog.outDir(), QStringLiteral("/"));

        // A cancelled chooser leaves the folder as it was.
        dialog.show();
        bool returned = false;
        cancelChooserWhenUp(&returned);
        QTest::mouseClick(button(dialog, QStringLiteral("...")), Qt::LeftButton);
        returned = true;
        QCOMPARE(dialog.outDir(), QStringLiteral("/"));
    }

    void options()
    {
        CompressDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QSize compact = dialog.size();
        ZPushButton* advance = button(dialog, QStringLiteral("+"));
        QWidget* optionsGroup = label(dialog, QStringLiteral("Ratio:"))->parentWidget();

        QTest::mouseClick(advance, Qt::LeftButton);
        QCOMPARE(advance->text(), QStringLiteral("-"));
        QVERIFY(optionsGroup->isVisible());
        QCOMPARE(dialog.width(), compact.width());
        QCOMPARE(dialog.height(), dialog.findChild<ZScrollView*>()->contentsWidth());
        // Both groups fit without scrolling.
        QVERIFY(optionsGroup->mapTo(&dialog, QPoint(0, optionsGroup->height())).y()
                <= button(dialog, QStringLiteral("OK"))->mapTo(&dialog, QPoint()).y());

        QTest::mouseClick(advance, Qt::LeftButton);
        QCOMPARE(advance->text(), QStringLiteral("+"));
        QVERIFY(!optionsGroup->isVisible());
        QCOMPARE(dialog.size(), compact);

        QTest::mouseClick(advance, Qt::LeftButton);
        QSpinBox* ratio = rightOf<QSpinBox>(label(dialog, QStringLiteral("Ratio:")));
        ratio->setValue(9);
        ratio->stepUp();
        QCOMPARE(ratio->value(), 0);
        ratio->stepDown();
        QCOMPARE(ratio->value(), 9);

        QCheckBox* split = checkBox(dialog, QStringLiteral("Split"));
        QSpinBox* splitSpin = rightOf<QSpinBox>(split);
        QTest::mouseClick(split, Qt::LeftButton);
        QVERIFY(split->isChecked() && splitSpin->isEnabled());
        splitSpin->setValue(12);
        QTest::mouseClick(checkBox(dialog, QStringLiteral("Ultra")), Qt::LeftButton);
        rightOf<QLineEdit>(label(dialog, QStringLiteral("Password:")))->setText(QStringLiteral("pw"));
        const CompressRequest request = dialog.request();
        QCOMPARE(request.ratio, 9);
        QVERIFY(request.ultra && request.split);
        QCOMPARE(request.splitSize, 12);
        QCOMPARE(request.password, QStringLiteral("pw"));
        QTest::mouseClick(split, Qt::LeftButton);
        QVERIFY(!splitSpin->isEnabled());
    }

    // OK closes the dialog, deletes an old zip, traces the line with the
    // password masked and leaves SIGTERM and SIGUSR1 handled.
    void okStartsTheCommand()
    {
        const QString out = m_tmp.path() + QStringLiteral("/out/");
        QDir().mkpath(out + QStringLiteral("data"));
        QFile data(out + QStringLiteral("data/file"));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("12345");
        data.close();
        QFile old(out + QStringLiteral("pack.zip"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();

        CompressDialog dialog;
        dialog.setFiles({out + QStringLiteral("data")});
        dialog.setOutDir(out);
        dialog.setArchiveName(QStringLiteral("pack"));
        auto* box = dialog.findChild<QComboBox*>();
        box->setCurrentIndex(box->findText(QStringLiteral(".zip")));
        button(dialog, QStringLiteral("+"))->click();
        rightOf<QLineEdit>(label(dialog, QStringLiteral("Password:")))->setText(QStringLiteral("s3cret"));
        dialog.show();

        traces.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
        QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton);
        qInstallMessageHandler(previous);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!QFile::exists(out + QStringLiteral("pack.zip")));
        QCOMPARE(traces, QStringList{compressTrace(dialog.request(), 5)});
        QVERIFY(traces.first().contains(QLatin1String(" -P *** ")));
        for (int signal : {SIGTERM, SIGUSR1}) {
            struct sigaction action;
            QCOMPARE(sigaction(signal, nullptr, &action), 0);
            QVERIFY(action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN);
        }
    }

    void nothingToStart()
    {
        const QString out = m_tmp.path() + QStringLiteral("/none/");
        QDir().mkpath(out);
        QFile old(out + QStringLiteral("keep.zip"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();

        const QtMessageHandler previous = qInstallMessageHandler(recordTrace);
        traces.clear();
        {
            CompressDialog noFiles;
            noFiles.setOutDir(out);
            noFiles.setArchiveName(QStringLiteral("keep"));
            noFiles.findChild<QComboBox*>()->setCurrentIndex(noFiles.findChild<QComboBox*>()->findText(".zip"));
            noFiles.show();
            QTest::mouseClick(button(noFiles, QStringLiteral("OK")), Qt::LeftButton);
            QCOMPARE(noFiles.result(), int(QDialog::Accepted));
            QVERIFY(!noFiles.isVisible());
        }
        {
            CompressDialog cancelled;
            cancelled.setFiles({out});
            cancelled.setOutDir(out);
            cancelled.setArchiveName(QStringLiteral("keep"));
            cancelled.findChild<QComboBox*>()->setCurrentIndex(cancelled.findChild<QComboBox*>()->findText(".zip"));
            cancelled.show();
            QTest::mouseClick(button(cancelled, QStringLiteral("Cancel")), Qt::LeftButton);
            QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        }
        {
            qunsetenv("PATH");
            CompressDialog noFormats;
            qputenv("PATH", m_all.toUtf8());
            noFormats.setFiles({out});
            noFormats.setOutDir(out);
            noFormats.show();
            QTest::mouseClick(button(noFormats, QStringLiteral("OK")), Qt::LeftButton);
        }
        qInstallMessageHandler(previous);
        QVERIFY(traces.isEmpty());
        QVERIFY(QFile::exists(out + QStringLiteral("keep.zip")));
    }

private:
    static void stub(const QString& folder, const char* program)
    {
        QDir().mkpath(folder);
        QFile file(folder + QLatin1Char('/') + QLatin1String(program));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_tmp;
    QString m_all;
    QString m_zipOnly;
    QString m_noGzip;
};

QTEST_MAIN(TestCompressDialog)
#include "tst_compressdialog.moc"
