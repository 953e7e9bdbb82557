// Lists an archive's members with libarchive, keeping every one, as the
// browser will: `membersbench ARCHIVE` prints the members and the bytes
// the records hold per member (their own size and their strings' heap).
#include <cstdio>
#include <string>
#include <vector>

#include "members.h"

namespace {

// Heap bytes of a string beyond what the record itself holds.
std::size_t heapOf(const std::string& s)
{
    return s.capacity() > std::string().capacity() ? s.capacity() + 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: membersbench ARCHIVE\n");
        return 2;
    }
    std::vector<arkive::Member> members;
    const arkive::ListingResult r =
        arkive::listMembers(argv[1], [&members](arkive::Member&& m) { members.push_back(std::move(m)); });
    std::size_t bytes = members.capacity() * sizeof(arkive::Member);
    for (const arkive::Member& m : members)
        bytes += heapOf(m.path) + heapOf(m.stored) + heapOf(m.owner) + heapOf(m.group) + heapOf(m.target);
    std::printf("%llu members, %.0f bytes held per member\n", static_cast<unsigned long long>(r.members),
                members.empty() ? 0.0 : double(bytes) / double(members.size()));
    return r.end == arkive::ListingEnd::Complete ? 0 : 1;
}
