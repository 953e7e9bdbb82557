// libFuzzer target: the listing of an archive's members, read by libarchive
// from bytes anyone may have sent. Every member handed on is checked for
// what the browser relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "members.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t seen = 0;
    const arkive::ListingResult r = arkive::listMembersInMemory(data, size, [&seen](arkive::Member&& m) {
        ++seen;
        // Listed paths are never empty, never begin with "./" nor end with "/".
        if (m.path.empty() || m.path.compare(0, 2, "./") == 0 || m.path.back() == '/')
            std::abort();
    });
    if (r.members != seen)
        std::abort();
    return 0;
}
