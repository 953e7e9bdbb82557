// The folder chooser: its keys, "Back", and what getDir returns.
#include "browsertest.h"
#include "fileview.h"
#include "zfiledialog.h"
#include "zpushbutton.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr int FoldersOnly = 257;
constexpr int ByName = 20;
const char* const CardFolder = "/mmc/mmca1";

ZPushButton* button(QWidget* dialog, const QString& text)
{
    for (ZPushButton* candidate : dialog->findChildren<ZPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// Runs `act` on the chooser once its modal loop runs.
void whenModal(std::function<void(ZFileDialog*)> act, int tries = 200)
{
    QTimer::singleShot(tries == 200 ? 0 : 10, [act, tries]() {
        auto* dialog = qobject_cast<ZFileDialog*>(QApplication::activeModalWidget());
        if (dialog)
            act(dialog);
        else if (tries > 0)
            whenModal(act, tries - 1);
    });
}

bool cardPresent()
{
    return QDir(QLatin1String(CardFolder)).isReadable();
}

} // namespace

class TestZFileDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir root(m_dir.path());
        for (const char* folder : {"outer/inner", "outer/.cache"})
            QVERIFY(root.mkpath(QLatin1String(folder)));
        QVERIFY(makeFile(root.filePath(QStringLiteral("outer/file.txt"))));
    }

    void layout()
    {
        const QString outer = m_dir.filePath(QStringLiteral("outer"));
        ZFileDialog dialog(nullptr, outer, QStringLiteral("*"), FoldersOnly, ByName);
        QCOMPARE(dialog.objectName(), QStringLiteral("OpenFile Dialog"));
        QCOMPARE(dialog.dlgTitle(), QStringLiteral("Select a file plz"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.dlgContent(), static_cast<QWidget*>(dialog.fileView));
        QCOMPARE(dialog.fileView->objectName(), QStringLiteral("browser"));
        QVERIFY(dialog.fileView->dirsOnly());
        // Folders, hidden ones too, and never a file.
        QStringList names;
        for (int i = 0; i < dialog.fileView->topLevelItemCount(); ++i)
            names << dialog.fileView->topLevelItem(i)->text(0);
        QCOMPARE(names, QStringList({".cache", "inner"}));

        // The keys left to right: OK, Cancel, Back.
        QWidget* keys = dialog.dlgCst();
        QVERIFY(keys);
        QStringList texts;
        const auto buttons = keys->findChildren<ZPushButton*>();
        QCOMPARE(buttons.size(), 3);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(button(&dialog, QStringLiteral("OK"))->x() < button(&dialog, QStringLiteral("Cancel"))->x());
        QVERIFY(button(&dialog, QStringLiteral("Cancel"))->x() < button(&dialog, QStringLiteral("Back"))->x());
        QVERIFY(keys->geometry().top() >= dialog.fileView->geometry().bottom());
        QCOMPARE(dialog.width(), 240);
    }

    void backWalksUpAndStopsAtTheRoot()
    {
        const QString inner = m_dir.filePath(QStringLiteral("outer/inner"));
        ZFileDialog dialog(nullptr, inner, QStringLiteral("*"), FoldersOnly, ByName);
        ZPushButton* back = button(&dialog, QStringLiteral("Back"));
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(dialog.fileView->currentDir, m_dir.filePath(QStringLiteral("outer")));
        while (dialog.fileView->currentDir != QLatin1String("/") && back->isEnabled())
            back->click();
        QCOMPARE(dialog.fileView->currentDir, QStringLiteral("/"));
        QVERIFY(!back->isEnabled());

        ZFileDialog atRoot(nullptr, QStringLiteral("/"), QStringLiteral("*"), FoldersOnly, ByName);
        QVERIFY(!button(&atRoot, QStringLiteral("Back"))->isEnabled());
    }

    // Without a readable start folder the list is empty; "Back" then hands
    // the empty folder text on, which lists the working folder.
    void unreadableStartFolder()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.filePath(QStringLiteral("outer"))));
        ZFileDialog dialog(nullptr, QStringLiteral("/no/such/card"), QStringLiteral("*"),
                           FoldersOnly, ByName);
        QVERIFY(dialog.fileView->currentDir.isEmpty());
        QCOMPARE(dialog.fileView->topLevelItemCount(), 0);
        button(&dialog, QStringLiteral("Back"))->click();
        QCOMPARE(dialog.fileView->currentDir, QDir::currentPath());
        QCOMPARE(dialog.fileView->topLevelItemCount(), 2);
        QDir::setCurrent(previous);
    }

    void getDirCancelled()
    {
        whenModal([](ZFileDialog* dialog) {
            button(dialog, QStringLiteral("Back"))->click(); // a change, then cancelled
            button(dialog, QStringLiteral("Cancel"))->click();
        });
        QCOMPARE(ZFileDialog::getDir(nullptr), QString());
    }

    void getDirAtOnce()
    {
        whenModal([](ZFileDialog* dialog) { button(dialog, QStringLiteral("OK"))->click(); });
        QCOMPARE(ZFileDialog::getDir(nullptr),
                 cardPresent() ? QLatin1String(CardFolder) : QString());
    }

    // "OK" returns the folder shown, not an entry selected in it.
    void getDirReturnsTheFolderShown()
    {
        const QString previous = QDir::currentPath();
        const QString outer = m_dir.filePath(QStringLiteral("outer"));
        QVERIFY(QDir::setCurrent(outer));
        QString shown;
        whenModal([&shown](ZFileDialog* dialog) {
            button(dialog, QStringLiteral("Back"))->click();
            FileView* view = dialog->fileView;
            if (QTreeWidgetItem* first = view->topLevelItem(0)) {
                view->clearSelection();
                first->setSelected(true);
                view->selectedFiles = {view->currentDir + QLatin1Char('/') + first->text(0)};
            }
            shown = view->currentDir;
            button(dialog, QStringLiteral("OK"))->click();
        });
        const QString result = ZFileDialog::getDir(nullptr);
        QDir::setCurrent(previous);
        QCOMPARE(result, cardPresent() ? QStringLiteral("/mmc") : outer);
        QCOMPARE(result, shown);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestZFileDialog)
#include "tst_zfiledialog.moc"
