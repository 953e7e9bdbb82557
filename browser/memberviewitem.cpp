#include "memberviewitem.h"

#include "filetext.h"
#include "fileview.h"
#include "localbytes.h"
#include "membertable.h"

namespace {

QString fromBytes(std::string_view text)
{
    return fromLocalBytes(QByteArray(text.data(), qsizetype(text.size())));
}

} // namespace

MemberViewItem::MemberViewItem(quint32 nameAt, std::uint32_t record)
    : FileViewItem(nameAt)
    , m_record(record)
{
}

QString MemberViewItem::detailText() const
{
    const auto* view = qobject_cast<const FileView*>(treeWidget());
    const MemberTable* table = view ? view->memberTable() : nullptr;
    if (!table || m_record >= table->size())
        return QString();
    const MemberTable::Record& r = table->record(m_record);
    QString first = modeString(statMode(r));
    if (!r.implied)
        first += QLatin1Char(' ') + fromBytes(table->owner(m_record));
    if (!table->target(m_record).empty())
        first += QStringLiteral(" \u2192 ") + fromBytes(table->target(m_record));
    const QString size = r.sizeKnown ? sizeString(r.size) : QString();
    const QString date = r.mtime != 0 ? dateString(r.mtime, QStringLiteral("-")) : QString();
    return first + QLatin1Char('\n') + size + QLatin1Char(' ') + date;
}
