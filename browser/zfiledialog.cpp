#include "zfiledialog.h"

#include "fileview.h"
#include "folderpath.h"
#include "zpushbutton.h"

#include <QDir>
#include <QHBoxLayout>

namespace {
const char* const StartFolder = "/mmc/mmca1";
constexpr int FoldersOnly = QDir::Dirs | QDir::Hidden;
constexpr int ByName = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;
} // namespace

ZFileDialog::ZFileDialog(QWidget* parent, const QString& startDir, const QString& nameFilter,
                         int filterSpec, int sortSpec)
    : UTIL_Dialog(UTIL_Dialog::DialogType(0), true, parent, "OpenFile Dialog", 1, {})
{
    fileView = new FileView(nameFilter, filterSpec, this, sortSpec, "browser", {});

    auto* keys = new QWidget(this);
    auto* keyLayout = new QHBoxLayout(keys);
    keyLayout->setContentsMargins(0, 0, 0, 0);
    keyLayout->setSpacing(0);
    auto* ok = new ZPushButton(QString(), tr("OK"), keys, 0, -1, -1);
    auto* cancel = new ZPushButton(QString(), tr("Cancel"), keys, 0, -1, -1);
    auto* back = new ZPushButton(QString(), tr("Back"), keys, 0, -1, -1);
    for (ZPushButton* button : {ok, cancel, back})
        keyLayout->addWidget(button);
    connect(ok, &QPushButton::clicked, this, &ZFileDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ZFileDialog::reject);
    connect(back, &QPushButton::clicked, this, &ZFileDialog::dirUp);
    // Connected before the first listing, so that "Back" starts disabled at
    // the root.
    connect(fileView, &FileView::rootDir, back, &QWidget::setDisabled);
    fileView->setDir(startDir);

    setHasTitle(true);
    // The title names the folder that "OK" would choose.
    setDlgTitle(fileView->currentDir.isEmpty() ? tr("Choose a folder") : fileView->currentDir);
    connect(fileView, &FileView::folderShown, this, &ZFileDialog::setDlgTitle);
    setDlgContent(fileView);
    setDlgCst(keys);
}

QString firstListable(const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (!folder.isEmpty() && canList(folder))
            return QDir::cleanPath(folder);
    }
    return QString();
}

void ZFileDialog::dirUp()
{
    fileView->setDir(parentFolder(fileView->currentDir));
}

void ZFileDialog::back()
{
    if (fileView->currentDir.isEmpty() || fileView->currentDir == QLatin1String("/"))
        reject();
    else
        dirUp();
}

QString ZFileDialog::getDir(QWidget* parent, const QString& outDir)
{
    QString result;
    const QString start = firstListable({QLatin1String(StartFolder), outDir, QDir::homePath()});
    auto* dialog = new ZFileDialog(parent, start, QStringLiteral("*"), FoldersOnly, ByName);
    if (dialog->exec() == QDialog::Accepted)
        result = dialog->fileView->currentDir;
    delete dialog;
    return result;
}
