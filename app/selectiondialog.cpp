#include "selectiondialog.h"

#include "dialogtitle.h"
#include "selectionlist.h"
#include "zglobal.h"
#include "zpushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int ShownEntries = 6;   // lines before the list scrolls
constexpr int Margin = 6;         // pixels around the list
} // namespace

SelectionDialog::SelectionDialog(const QStringList& selected, const QString& shownFolder, QWidget* parent)
    : ZBaseDialog(parent, "Selection Dialog")
{
    m_list = new SelectionList(true, ShownEntries, this);
    m_list->setShownFolder(shownFolder);
    m_list->setEntries(selected);

    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* cancel = new ZPushButton(QString(), tr("Cancel"), buttons);
    auto* ok = new ZPushButton(QString(), tr("OK"), buttons);
    for (ZPushButton* button : {cancel, ok}) {
        button->setFixedSize(ZGlobal::getDlgA2a_2R().size());
        row->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(newDialogTitle(tr("Selected entries"), this));
    auto* body = new QVBoxLayout;
    body->setContentsMargins(Margin, Margin, Margin, Margin);
    body->addWidget(m_list);
    layout->addLayout(body);
    layout->addWidget(buttons);
    adjustSize();

    connect(cancel, &QPushButton::clicked, this, &SelectionDialog::reject);
    connect(ok, &QPushButton::clicked, this, &SelectionDialog::accept);
}

QStringList SelectionDialog::kept() const
{
    return m_list->entries();
}
