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
    QStringList parts;
    if (r.sizeKnown)
        parts << sizeString(r.size);
    if (r.mtime != 0)
        parts << dateString(r.mtime, QStringLiteral("-"));
    if (!table->target(m_record).empty())
        parts << QStringLiteral("\u2192 ") + fromBytes(table->target(m_record));
    parts << modeString(statMode(r));
    if (!r.implied)
        parts << fromBytes(table->owner(m_record));
    return parts.join(detailSeparator());
}
