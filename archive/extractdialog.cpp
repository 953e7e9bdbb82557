#include "extractdialog.h"

#include "dialogtitle.h"
#include "folderpath.h"
#include "extractcommand.h"
#include "jobrecord.h"
#include "jobrecords.h"
#include "pipeline.h"
#include "selectionlist.h"
#include "shellline.h"
#include "localbytes.h"
#include "passwordfield.h"
#include "zapplication.h"
#include "zfiledialog.h"
#include "zglobal.h"
#include "zippassword.h"
#include "zmessagebox.h"
#include "zmultilineedit.h"
#include "zpushbutton.h"
#include "zscrollview.h"

#include <QCheckBox>
#include <QDebug>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace {
constexpr int GridMargin = 10;        // pixels
constexpr int ShownEntries = 3;       // lines of the entries before they scroll
constexpr int GridSpacing = 4;        // pixels
constexpr int DirButtonWidth = 60;    // pixels
constexpr int DirButtonHeight = 25;   // pixels
constexpr int FieldLines = 2;
const char* const FieldTitle = "               "; // room for the Dir button
} // namespace

struct ExtractDialogPrivate
{
    ZPushButton* dirButton = nullptr;
    ZMultiLineEdit* outDirEdit = nullptr;
    QCheckBox* overwriteBox = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* passwordLabel = nullptr;
    SelectionList* entries = nullptr; // the archives, or the members of the one
    QCheckBox* ownFolderBox = nullptr;
    QStringList files;
    std::vector<arkive::MemberPick> members;
    bool oneTopEntry = false;
    ExtractDialog* dialog = nullptr;
};

ExtractDialog::ExtractDialog(QWidget* parent, const char* name, Qt::WindowFlags f)
    : ZBaseDialog(parent, name, 1, f)
    , d(new ExtractDialogPrivate)
{
    d->dialog = this;

    d->titleLabel = newDialogTitle(QObject::tr("Extract into a folder"), this);

    auto* scrollView = new ZScrollView(this);
    scrollView->enableClipper(true);
    scrollView->setResizePolicy(ZScrollView::AutoOneFit);
    scrollView->setHScrollBarMode(ZScrollView::AlwaysOff);
    auto* content = new QWidget(scrollView->viewport());
    scrollView->addChild(content, 0, 0);

    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(GridMargin, GridMargin, GridMargin, GridMargin);
    grid->setSpacing(GridSpacing);

    d->outDirEdit = new ZMultiLineEdit(content, true, FieldLines);
    d->outDirEdit->setInputFilter(QRegularExpression(QStringLiteral("\n")), false);
    d->outDirEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    d->outDirEdit->setTitlePosition(ZMultiLineEdit::TitleLeft);
    d->outDirEdit->setTitle(QLatin1String(FieldTitle));

    d->dirButton = new ZPushButton(QString(), QObject::tr("Dir"), d->outDirEdit, 0, -1, -1);
    d->dirButton->setFixedSize(ZGlobal::touch(DirButtonWidth), ZGlobal::touch(DirButtonHeight));

    d->overwriteBox = new QCheckBox(QObject::tr("Overwrite existences"), content);
    d->overwriteBox->setChecked(true);

    // Ticked unless the user clears it: an archive of loose files is not
    // scattered among what the folder holds.
    d->ownFolderBox = new QCheckBox(content);
    d->ownFolderBox->setChecked(true);
    d->ownFolderBox->hide();

    d->passwordLabel = new QLabel(QObject::tr("Password"), content);
    auto* passwordField = new PasswordField(content);
    d->passwordEdit = passwordField->lineEdit();
    d->passwordEdit->setEnabled(true);
    ZApplication::setMouseMode(d->passwordEdit, 1);

    auto* buttonRow = new QWidget(this);
    auto* buttonLayout = new QHBoxLayout(buttonRow);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    auto* cancelButton = new ZPushButton(QString(), QObject::tr("Cancel"), buttonRow, 0, -1, -1);
    auto* okButton = new ZPushButton(QString(), QObject::tr("OK"), buttonRow, 0, -1, -1);
    buttonLayout->addWidget(cancelButton);
    buttonLayout->addWidget(okButton);

    d->entries = new SelectionList(false, ShownEntries, content);

    grid->addWidget(d->entries, 0, 0, 1, 2);
    grid->addWidget(d->outDirEdit, 1, 0, 1, 2);
    grid->addWidget(d->passwordLabel, 2, 0);
    grid->addWidget(passwordField, 2, 1);
    grid->addWidget(d->overwriteBox, 3, 0, 1, 2);
    grid->addWidget(d->ownFolderBox, 4, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->titleLabel, 0);
    layout->addWidget(scrollView, 0);
    layout->addWidget(buttonRow, 0);
    adjustSize();

    connect(d->dirButton, &QPushButton::clicked, this, &ExtractDialog::slotSetOutDir);
    connect(d->outDirEdit, &ZMultiLineEdit::textChanged, this, &ExtractDialog::slotOutDirChanged);
    connect(cancelButton, &QPushButton::clicked, this, &ExtractDialog::reject);
    connect(okButton, &QPushButton::clicked, this, &ExtractDialog::accept);
}

ExtractDialog::~ExtractDialog()
{
    delete d;
}

void ExtractDialog::setFiles(const QStringList& list)
{
    d->files = list;
    d->members.clear();
    d->entries->setEntries(list);
    d->ownFolderBox->setText(list.size() == 1 ? QObject::tr("Into a folder of its own: %1").arg(ownFolderName(list.first()))
                                              : QObject::tr("Each into a folder of its own"));
    slotOutDirChanged();
}
QStringList ExtractDialog::files() const { return d->files; }

void ExtractDialog::setShownFolder(const QString& folder)
{
    d->entries->setShownFolder(folder);
}

// The members are named by their paths in the archive, after its name.
void ExtractDialog::setMembers(const std::vector<arkive::MemberPick>& members)
{
    d->members = members;
    if (d->files.size() == 1 && !members.empty()) {
        const QString archive = d->files.first();
        QStringList paths;
        for (const arkive::MemberPick& member : members)
            paths << childPath(archive, fromLocalBytes(QByteArray::fromStdString(member.path)));
        d->entries->setShownFolder(parentFolder(archive));
        d->entries->setEntries(paths);
    }
    slotOutDirChanged();
}

void ExtractDialog::setOneTopEntry(bool one)
{
    d->oneTopEntry = one;
    slotOutDirChanged();
}

bool ExtractDialog::ownFolderOffered() const { return !d->ownFolderBox->isHidden(); }
bool ExtractDialog::ownFolder() const { return ownFolderOffered() && d->ownFolderBox->isChecked(); }
void ExtractDialog::setOwnFolder(bool on) { d->ownFolderBox->setChecked(on); }

void ExtractDialog::slotOutDirChanged()
{
    const bool archives = std::any_of(d->files.cbegin(), d->files.cend(), [](const QString& file) {
        return arkive::formatOfArchive(toLocalBytes(file).toStdString()) != nullptr;
    });
    d->ownFolderBox->setHidden(!archives || !d->members.empty() || d->oneTopEntry || !holdsEntries(outDir()));
}
void ExtractDialog::setOutDir(const QString& dir)
{
    d->outDirEdit->setText(dir);
    slotOutDirChanged();
}
QString ExtractDialog::outDir() const { return d->outDirEdit->text(); }
QString ExtractDialog::password() const { return d->passwordEdit->text(); }
void ExtractDialog::setPassword(const QString& text) { d->passwordEdit->setText(text); }
bool ExtractDialog::overwrite() const { return d->overwriteBox->isChecked(); }
void ExtractDialog::setOverwrite(bool on) { d->overwriteBox->setChecked(on); }

void ExtractDialog::slotSetOutDir()
{
    const QString dir = ZFileDialog::getDir(nullptr, outDir());
    if (!dir.isEmpty())
        setOutDir(dir);
}

namespace {

// Why an archive is not unpacked, in the user's words; empty when it is.
QString refusalText(const QString& archive, const arkive::Plan& plan)
{
    const QString name = QFileInfo(archive).fileName();
    switch (plan.refusal) {
    case arkive::Refusal::None: return QString();
    case arkive::Refusal::NoFormat: return QObject::tr("%1 is not an archive arkive can unpack.").arg(name);
    case arkive::Refusal::Missing:
        return QObject::tr("%1 needs %2 to be unpacked: install the package %3.")
            .arg(name, QString::fromLatin1(plan.missing->program), QString::fromLatin1(plan.missing->package));
    case arkive::Refusal::NeedsUnrar:
        return QObject::tr("%1 is encrypted: only RARLAB's unrar unpacks it (the non-free package unrar).").arg(name);
    case arkive::Refusal::NotLiteral:
        return QObject::tr("%1: the member %2 cannot be named to its tool exactly; unpack the whole archive instead.")
            .arg(name, fromLocalBytes(QByteArray::fromStdString(plan.name)));
    }
    return QString();
}

// Whether the password typed is known not to open the archive's encrypted
// entries (zip only: other formats are told by their tools). A split set's
// entries lie in its other volumes and are not checked.
bool passwordFails(const ExtractRequest& request, const ArchiveFacts& facts)
{
    return facts.format && facts.format->family == arkive::Family::Zip && !facts.split
           && arkive::checkZipPassword(toLocalBytes(request.archive).toStdString(),
                                       toLocalBytes(request.password).toStdString())
                  == arkive::PasswordCheck::DoesNotMatch;
}

} // namespace

// Starts one unpacking pipeline per archive, then closes. Every line ends
// in "&", so the shell returns at once and the pipelines run side by side.
// Archives that cannot be unpacked are told first; when none can, the
// dialog stays open. So it does when the password does not open a zip,
// with the password selected for typing it again.
void ExtractDialog::accept()
{
    struct Job
    {
        ExtractRequest request;
        ArchiveFacts facts;
        QString token;
        arkive::Plan plan;
    };
    if (outDir().isEmpty() && !d->files.isEmpty()) {
        ZMessageBox::information(this, QPixmap(), QObject::tr("Choose the folder to unpack into."), QObject::tr("OK"));
        return;
    }
    QList<Job> jobs;
    QStringList refused, wrongPassword;
    for (const QString& archive : std::as_const(d->files)) {
        // The tools may run in another folder: the archive's path stands whole.
        ExtractRequest request{QFileInfo(archive).absoluteFilePath(), outDir(), password(), overwrite(), d->members,
                               ownFolder() ? ownFolderName(archive) : QString()};
        const QString token = randomToken();
        const ArchiveFacts facts = archiveFacts(request.archive);
        arkive::Plan plan = extractPlan(request, facts, token);
        const QString why = refusalText(archive, plan);
        if (!why.isEmpty())
            refused << why;
        else if (passwordFails(request, facts))
            wrongPassword << QObject::tr("The password does not open %1; type it again.")
                                 .arg(QFileInfo(archive).fileName());
        else
            jobs.append({request, facts, token, std::move(plan)});
    }
    if (!refused.isEmpty() || !wrongPassword.isEmpty())
        ZMessageBox::information(this, QPixmap(), (refused + wrongPassword).join(QLatin1Char('\n')), QObject::tr("OK"));
    if (!wrongPassword.isEmpty()) {
        d->passwordEdit->setFocus(Qt::OtherFocusReason);
        d->passwordEdit->selectAll();
        return;
    }
    if (jobs.isEmpty() && !d->files.isEmpty())
        return;
    // Extraction pipelines inherit SIGTERM ignored: no archiver dies of one
    // in the middle of a member. tally catches it and ends the job cleanly,
    // removing what it has not placed.
    std::signal(SIGTERM, SIG_IGN);
    ZBaseDialog::accept();
    const std::string records = arkive::jobsFolder();
    for (Job& job : jobs) {
        const JobRecord record(records, job.token, job.request.outDir, job.request.archive);
        if (!record.path().isEmpty())
            job.plan = extractPlan(job.request, job.facts, job.token, record.path());
        qDebug().noquote() << extractTrace(job.request, job.facts, job.token, record.path());
        std::system(arkive::shellLine(job.plan).c_str());
    }
}
