#pragma once

#include "fileviewitem.h"

#include <cstdint>

// A row of the file list for a member of the archive shown: its facts are
// those the archive stores, kept in the view's member table.
class MemberViewItem : public FileViewItem
{
public:
    MemberViewItem(quint32 nameAt, std::uint32_t record);

    std::uint32_t record() const { return m_record; }
    // "1.5 KiB · 2009-3-7 08:05:09 · → target · -rw-r--r-- · user:group",
    // as far as the archive tells them.
    QString detailText() const override;

private:
    std::uint32_t m_record;
};
