// libFuzzer target: the listing of an archive's members, read by libarchive
// from bytes anyone may have sent, and the browser's table of them. Every
// member handed on is checked for what the browser relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "members.h"
#include "membertable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t seen = 0;
    MemberTable table;
    const arkive::ListingResult r = arkive::listMembersInMemory(data, size, [&](arkive::Member&& m) {
        ++seen;
        // Listed paths are never empty, never begin with "./" nor end with "/".
        if (m.path.empty() || m.path.compare(0, 2, "./") == 0 || m.path.back() == '/')
            std::abort();
        // Each record made is found by its path, below a folder, with a name
        // that holds no "/".
        for (const std::uint32_t at : table.add(m)) {
            const MemberTable::Record& record = table.record(at);
            if (table.name(at).find('/') != std::string_view::npos
                || (record.parent != MemberTable::kTop && !table.record(record.parent).isFolder())
                || table.find(table.path(at)) == MemberTable::kNone)
                std::abort();
        }
    });
    if (r.members != seen)
        std::abort();
    table.squeeze();
    for (std::uint32_t at = 0; at < table.size(); ++at)
        if (table.pick(at).path.empty())
            std::abort();
    return 0;
}
