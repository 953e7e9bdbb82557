#include "compressdialog.h"

#include "compresscommand.h"
#include "compressformats.h"
#include "pipeline.h"
#include "dialogtitle.h"
#include "elidedlabel.h"
#include "extractcommand.h"
#include "format.h"
#include "filestatus.h"
#include "jobrecord.h"
#include "jobrecords.h"
#include "localbytes.h"
#include "passwordfield.h"
#include "selectionlist.h"
#include "zfiledialog.h"
#include "zglobal.h"
#include "zmessagebox.h"
#include "zpushbutton.h"
#include "zscrollview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int ContentMargin = 2;    // pixels
constexpr int ContentSpacing = 2;   // pixels
constexpr int GroupMargin = 2;      // pixels
constexpr int GroupInset = 10;      // pixels the groups leave of the dialog's width
constexpr int NameGroupHeight = 60; // pixels
constexpr int OptionsGroupHeight = 90; // pixels
constexpr int SmallButtonSize = 30; // pixels
constexpr int ShownEntries = 3;     // lines of what is packed before they scroll
constexpr int MaxRatio = 9;
constexpr int StartRatio = 6;
constexpr int DialogX = 5;          // pixels, on the screen
constexpr int DialogY = 65;         // pixels

// Once an archiving command has been started, SIGTERM and SIGUSR1 must not
// end the program. Only async-signal-safe calls here: write(), not stdio.
void ignoreSignal(int)
{
    static const char message[] = "arkive: Signal SIGTERM is ignored\n";
    const ssize_t written = write(STDOUT_FILENO, message, sizeof message - 1);
    (void)written;
}

// On a phone-shaped screen a spin box's own arrows are too small for a
// finger: it gets a button of a finger's size on each side instead. The
// returned widget holds them (the spin box itself elsewhere).
QWidget* fingerSpin(QSpinBox* spin, QWidget* parent)
{
    if (!ZGlobal::isPhoneScreen())
        return spin;
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    spin->setParent(holder);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto* down = new ZPushButton(QStringLiteral("Dialog_Down_Arr"), holder);
    auto* up = new ZPushButton(QStringLiteral("Dialog_Up_Arr"), holder);
    row->addWidget(down);
    row->addWidget(spin, 1);
    row->addWidget(up);
    QObject::connect(down, &QPushButton::clicked, spin, &QSpinBox::stepDown);
    QObject::connect(up, &QPushButton::clicked, spin, &QSpinBox::stepUp);
    return holder;
}

} // namespace

struct CompressDialogPrivate
{
    QWidget* nameGroup = nullptr;
    QWidget* optionsGroup = nullptr;
    QWidget* content = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* passwordLabel = nullptr;
    QLabel* ratioLabel = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QWidget* passwordField = nullptr;  // the edit with its "Show"
    QComboBox* formatBox = nullptr;
    QCheckBox* ultraBox = nullptr;
    QCheckBox* splitBox = nullptr;
    QSpinBox* ratioSpin = nullptr;
    QSpinBox* splitSpin = nullptr;
    QWidget* ratioHolder = nullptr; // the spin box, or on a phone it with its buttons
    QWidget* splitHolder = nullptr;
    ZPushButton* dirButton = nullptr;
    ZPushButton* advanceButton = nullptr;
    ZPushButton* okButton = nullptr;
    ZPushButton* cancelButton = nullptr;
    QWidget* buttonBar = nullptr;
    QLabel* titleLabel = nullptr;
    ZScrollView* scrollView = nullptr;
    QSpacerItem* spacer = nullptr;
    ElidedLabel* outDirLabel = nullptr; // the output folder, its end in sight
    SelectionList* entries = nullptr;   // what is packed
    QString outDir;
    QStringList formats;
    QStringList files;
};

CompressDialog::CompressDialog(QWidget* parent, const char* name, Qt::WindowFlags f)
    : ZBaseDialog(parent, name, 0, f)
    , d(new CompressDialogPrivate)
{
    buildFormatList();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    d->titleLabel = newDialogTitle(tr("Compress into an archive"), this);

    d->scrollView = new ZScrollView(this);
    d->scrollView->setResizePolicy(ZScrollView::AutoOneFit);
    d->scrollView->setHScrollBarMode(ZScrollView::AlwaysOff);
    d->content = new QWidget(d->scrollView->viewport());
    d->scrollView->addChild(d->content, 0, 0);
    auto* contentLayout = new QVBoxLayout(d->content);
    contentLayout->setContentsMargins(ContentMargin, ContentMargin, ContentMargin, ContentMargin);
    contentLayout->setSpacing(ContentSpacing);

    // The groups are as wide as the view shows them, which grows with the
    // screen's width and leaves room for a scroll bar.
    const int groupWidth = ZGlobal::getDlgTitleLR().width() - GroupInset;
    d->nameGroup = new QWidget(d->content);
    auto* nameGrid = new QGridLayout(d->nameGroup);
    nameGrid->setContentsMargins(GroupMargin, GroupMargin, GroupMargin, GroupMargin);
    nameGrid->setSpacing(0);
    d->nameLabel = new QLabel(tr("Name:"), d->nameGroup);
    d->nameLabel->setAlignment(Qt::AlignCenter);
    d->nameEdit = new QLineEdit(d->nameGroup);
    d->dirButton = new ZPushButton(QString(), QStringLiteral("..."), d->nameGroup);
    d->dirButton->setFixedSize(ZGlobal::touch(SmallButtonSize), ZGlobal::touch(SmallButtonSize));
    d->advanceButton = new ZPushButton(QString(), QStringLiteral("+"), d->nameGroup);
    d->advanceButton->setFixedSize(ZGlobal::touch(SmallButtonSize), ZGlobal::touch(SmallButtonSize));
    d->spacer = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    d->formatBox = new QComboBox(d->nameGroup);
    d->formatBox->setEditable(false);
    d->formatBox->addItems(d->formats);
    nameGrid->addWidget(d->nameLabel, 0, 0);
    nameGrid->addWidget(d->nameEdit, 0, 1, 1, 4);
    nameGrid->addWidget(d->dirButton, 0, 5);
    nameGrid->addWidget(d->advanceButton, 1, 0, Qt::AlignLeft);
    nameGrid->addItem(d->spacer, 1, 1, 1, 3);
    nameGrid->addWidget(d->formatBox, 1, 4, 1, 2);
    connect(d->dirButton, &QPushButton::clicked, this, &CompressDialog::slotSetOutDir);
    connect(d->advanceButton, &QPushButton::clicked, this, &CompressDialog::slotAdvance);
    connect(d->formatBox, &QComboBox::textActivated, this, &CompressDialog::slotSetFormat);
    // Two rows of a finger's size need more than the phone's 60 pixels.
    d->nameGroup->setFixedHeight(qMax(NameGroupHeight, nameGrid->minimumSize().height()));

    d->optionsGroup = new QWidget(d->content);
    d->optionsGroup->resize(groupWidth, OptionsGroupHeight);
    auto* optionsGrid = new QGridLayout(d->optionsGroup);
    optionsGrid->setContentsMargins(GroupMargin, GroupMargin, GroupMargin, GroupMargin);
    optionsGrid->setSpacing(0);
    d->passwordLabel = new QLabel(tr("Password:"), d->optionsGroup);
    auto* passwordField = new PasswordField(d->optionsGroup);
    d->passwordField = passwordField;
    d->passwordEdit = passwordField->lineEdit();
    d->ratioLabel = new QLabel(tr("Ratio:"), d->optionsGroup);
    d->ratioSpin = new QSpinBox(d->optionsGroup);
    d->ratioSpin->setMaximum(MaxRatio);
    d->ratioSpin->setWrapping(true);
    d->ratioSpin->setValue(StartRatio);
    d->ultraBox = new QCheckBox(tr("Ultra"), d->optionsGroup);
    d->splitBox = new QCheckBox(tr("Split"), d->optionsGroup);
    d->splitSpin = new QSpinBox(d->optionsGroup);
    d->splitSpin->setButtonSymbols(QAbstractSpinBox::PlusMinus);
    d->splitSpin->setSuffix(tr(" MB"));
    optionsGrid->addWidget(d->passwordLabel, 0, 0);
    d->ratioHolder = fingerSpin(d->ratioSpin, d->optionsGroup);
    d->splitHolder = fingerSpin(d->splitSpin, d->optionsGroup);
    optionsGrid->addWidget(passwordField, 0, 1, 1, 2);
    optionsGrid->addWidget(d->ratioLabel, 1, 0);
    optionsGrid->addWidget(d->ratioHolder, 1, 1);
    optionsGrid->addWidget(d->ultraBox, 1, 2);
    optionsGrid->addWidget(d->splitBox, 2, 0);
    optionsGrid->addWidget(d->splitHolder, 2, 1, 1, 2);
    connect(d->splitBox, &QCheckBox::toggled, this, &CompressDialog::updateOptions);
    d->optionsGroup->hide();

    d->outDirLabel = new ElidedLabel(d->content, Qt::ElideLeft);
    contentLayout->addWidget(d->outDirLabel);
    contentLayout->addWidget(d->nameGroup);
    d->entries = new SelectionList(false, ShownEntries, d->content);
    contentLayout->addWidget(d->entries);
    contentLayout->addWidget(d->optionsGroup);

    d->buttonBar = new QWidget(this);
    auto* barLayout = new QHBoxLayout(d->buttonBar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(0);
    const QSize buttonSize = ZGlobal::getDlgA2a_2R().size();
    d->cancelButton = new ZPushButton(QString(), tr("Cancel"), d->buttonBar);
    d->cancelButton->setFixedSize(buttonSize);
    d->okButton = new ZPushButton(QString(), tr("OK"), d->buttonBar);
    d->okButton->setFixedSize(buttonSize);
    barLayout->addWidget(d->cancelButton);
    barLayout->addWidget(d->okButton);

    layout->addWidget(d->titleLabel, 0);
    layout->addWidget(d->scrollView, 0);
    layout->addWidget(d->buttonBar, 0);
    adjustSize();

    move(DialogX, DialogY);

    connect(d->cancelButton, &QPushButton::clicked, this, &CompressDialog::reject);
    connect(d->okButton, &QPushButton::clicked, this, &CompressDialog::accept);

    selectFormat(QStringLiteral("tar.gz"));
    updateOptions();
    connect(d->formatBox, &QComboBox::currentIndexChanged, this, &CompressDialog::updateOptions);
}

CompressDialog::~CompressDialog()
{
    delete d;
}

void CompressDialog::buildFormatList()
{
    d->formats = compressFormats();
}

void CompressDialog::selectFormat(const QString& text)
{
    for (int i = 0; i < d->formatBox->count(); ++i) {
        if (d->formatBox->itemText(i).contains(text)) {
            d->formatBox->setCurrentIndex(i);
            return;
        }
    }
}

// Only the options the format uses can be changed. A password typed for
// another format stays in its field, so that OK tells the user instead of
// dropping it.
void CompressDialog::updateOptions()
{
    const arkive::Format* format = formatOfEntry(d->formatBox->currentText());
    const arkive::Capabilities caps = format ? format->caps : arkive::Capabilities{};
    for (QWidget* widget : QWidgetList{d->passwordLabel, d->passwordField})
        widget->setEnabled(caps.password);
    for (QWidget* widget : QWidgetList{d->ratioLabel, d->ratioHolder, d->ultraBox})
        widget->setEnabled(caps.level);
    d->splitBox->setEnabled(caps.volumes);
    d->splitHolder->setEnabled(caps.volumes && d->splitBox->isChecked());
}

void CompressDialog::setFiles(const QStringList& list)
{
    d->files = list;
    d->entries->setEntries(list);
    adjustSize();
}

void CompressDialog::setShownFolder(const QString& folder)
{
    d->entries->setShownFolder(folder);
}
QStringList CompressDialog::files() const { return d->files; }
QString CompressDialog::outDir() const { return d->outDir; }

void CompressDialog::setOutDir(const QString& path)
{
    d->outDir = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    d->outDirLabel->setText(d->outDir);
}

void CompressDialog::setArchiveName(const QString& name)
{
    d->nameEdit->setText(proposedName(name, d->formatBox->currentText()));
}

CompressRequest CompressDialog::request() const
{
    CompressRequest request;
    request.outDir = d->outDir;
    request.name = d->nameEdit->text();
    request.format = d->formatBox->currentText();
    request.files = d->files;
    request.ratio = d->ratioSpin->value();
    request.ultra = d->ultraBox->isChecked();
    request.split = d->splitBox->isChecked();
    request.splitSize = d->splitSpin->value();
    request.password = d->passwordEdit->text();
    return request;
}

void CompressDialog::slotSetFormat(const QString& entry)
{
    d->nameEdit->setText(renamedForFormat(d->nameEdit->text(), entry));
}

void CompressDialog::slotSetOutDir()
{
    const QString dir = ZFileDialog::getDir(nullptr, d->outDir);
    if (!dir.isEmpty())
        setOutDir(dir);
}

void CompressDialog::slotAdvance()
{
    if (d->advanceButton->text() == QLatin1String("+")) {
        d->advanceButton->setText(QStringLiteral("-"));
        d->optionsGroup->show();
        // As tall as the contents are wide, and never so low that the
        // options hide behind a scroll bar where the screen has room.
        const int whole = height() - d->scrollView->viewport()->height() + d->content->sizeHint().height();
        resize(width(), qMin(qMax(d->scrollView->contentsWidth(), whole), maximumHeight()));
    } else {
        d->advanceButton->setText(QStringLiteral("+"));
        d->optionsGroup->hide();
        adjustSize();
    }
}

namespace {

// The formats that can hold a password and are offered: ".zip or .7z".
QString passwordFormats(const QStringList& offered)
{
    QStringList names;
    for (const QString& entry : offered) {
        const arkive::Format* format = formatOfEntry(entry);
        if (format && format->caps.password && entry == QLatin1String(format->endings.front().text))
            names << entry;
    }
    if (names.size() < 2)
        return names.join(QString());
    return CompressDialog::tr("%1 or %2").arg(names.mid(0, names.size() - 1).join(QLatin1String(", ")), names.last());
}

// What an earlier archive of that name left: the archive itself, or the
// first volume of an earlier set of it (whose volumes the new archive
// replaces or removes).
QString existingArchive(const QString& archive)
{
    if (linkStatus(archive).valid)
        return archive;
    if (isSplitZip(archive))
        return firstVolume(archive);
    const QString numbered = archive + QLatin1String(".001");
    return linkStatus(numbered).valid ? numbered : QString();
}

} // namespace

// Closes the dialog, then starts the archiving pipeline. The line ends in
// "&", so the shell returns at once and the pipeline runs on its own.
void CompressDialog::accept()
{
    const CompressRequest request = this->request();
    const arkive::Format* format = formatOfEntry(request.format);
    const bool runs = !request.files.isEmpty() && format && format->packs;
    // A password is never dropped without a word, and a weak one is told.
    if (runs && !request.password.isEmpty() && !format->caps.password) {
        ZMessageBox::information(this, QPixmap(),
                                 tr("A %1 archive cannot be protected by a password; choose %2.")
                                     .arg(request.format, passwordFormats(d->formats)),
                                 tr("OK"));
        return;
    }
    if (runs && !request.password.isEmpty() && arkive::weakZipPassword(*format, request.split, isOnPath)
        && ZMessageBox::information(
               this, QPixmap(),
               request.split ? tr("Split zip volumes get zip's own encryption, which can be broken in minutes; "
                                  ".7z protects with AES. Pack anyway?")
                             : tr("zip's own encryption can be broken in minutes; with 7-Zip installed (package "
                                  "7zip), zips are protected with AES. Pack anyway?"),
               tr("Pack"), tr("Cancel"))
               != 0)
        return;
    // An archive of that name, or an earlier set of it, is replaced only
    // when the user says so; the dialog stays open with its fields otherwise.
    const QString archive = archivePath(request);
    const QString existing = runs ? existingArchive(archive) : QString();
    if (!existing.isEmpty()
        && ZMessageBox::information(this, QPixmap(),
                                    tr("%1 exists already. Replace it?").arg(existing.section(QLatin1Char('/'), -1)),
                                    tr("Replace"), tr("Cancel"))
               != 0)
        return;
    // Two jobs never write one archive: the one that ended last would
    // replace the other, and both would say they were done.
    const std::string jobs = arkive::jobsFolder();
    if (runs && arkive::jobWorksOn(jobs, toLocalBytes(archive).toStdString())) {
        ZMessageBox::information(this, QPixmap(),
                                 tr("%1 is being packed now; wait until that is done, or choose another name.")
                                     .arg(archive.section(QLatin1Char('/'), -1)),
                                 tr("OK"));
        return;
    }
    ZBaseDialog::accept();
    if (!runs)
        return;
    const quint64 total = packingTotal(request);
    const QString token = randomToken();
    const QString partial = partialPath(request, token);
    const JobRecord record(jobs, token, request.outDir, archive);
    qDebug().noquote() << compressTrace(request, total, partial, record.path());
    std::signal(SIGUSR1, ignoreSignal);
    std::signal(SIGTERM, ignoreSignal);
    const int status = std::system(toLocalBytes(compressCommand(request, total, partial, record.path())).constData());
    (void)status;
}
