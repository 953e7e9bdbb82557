#include "membertable.h"

#include <cstring>

#include <sys/stat.h>

namespace {

// The parts of a path: what lies between its "/", empty parts and "."
// left out, with where each ends in the path.
struct Part {
    std::string_view text;
    std::size_t end;
};

std::vector<Part> partsOf(std::string_view path)
{
    std::vector<Part> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos)
            slash = path.size();
        const std::string_view part = path.substr(start, slash - start);
        if (!part.empty() && part != ".")
            parts.push_back({part, slash});
        start = slash + 1;
    }
    return parts;
}

} // namespace

std::string_view MemberTable::text(std::uint32_t at) const
{
    if (at == kNone)
        return {};
    const char* p = m_block.data() + at;
    return std::string_view(p, std::strlen(p));
}

std::uint32_t MemberTable::putText(std::string_view text)
{
    const auto at = std::uint32_t(m_block.size());
    m_block.append(text).push_back('\0');
    return at;
}

void MemberTable::setFacts(Record& r, const arkive::Member& member)
{
    r.type = member.type;
    r.size = member.size.value_or(0);
    r.sizeKnown = member.size.has_value();
    r.mtime = member.mtime;
    r.mode = std::uint16_t(member.mode & 07777u);
    r.encrypted = member.encrypted;
    r.implied = false;
    r.targetAt = member.target.empty() ? kNone : putText(member.target);
    const std::string owner = member.owner + ':' + member.group;
    const auto known = m_owners.find(owner);
    if (known != m_owners.end()) {
        r.ownerAt = known->second;
    } else {
        r.ownerAt = putText(owner);
        m_owners.emplace(owner, r.ownerAt);
    }
}

std::uint32_t MemberTable::folderRecord(std::string_view path, std::string_view stored, std::uint32_t parent,
                                        std::uint32_t nameAt, std::vector<std::uint32_t>& made)
{
    const auto known = m_folders.find(std::string(path));
    if (known != m_folders.end())
        return known->second;
    Record r;
    r.type = arkive::Member::Type::Folder;
    r.implied = true;
    r.parent = parent;
    r.nameAt = nameAt;
    r.storedAt = stored == path ? kNone : putText(stored);
    const auto at = std::uint32_t(m_records.size());
    m_records.push_back(r);
    m_folders.emplace(std::string(path), at);
    made.push_back(at);
    return at;
}

std::vector<std::uint32_t> MemberTable::add(const arkive::Member& member)
{
    std::vector<std::uint32_t> made;
    const std::string_view path = member.path;
    const std::vector<Part> parts = partsOf(path);
    if (parts.empty())
        return made;
    // What the stored name has before the path ("./"), which the names of
    // the folders it implies have too.
    const std::string_view stored = member.stored;
    const std::string lead(stored.size() >= path.size() && stored.substr(stored.size() - path.size()) == path
                               ? stored.substr(0, stored.size() - path.size())
                               : std::string_view());
    std::uint32_t parent = kTop;
    std::string joined;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        if (!joined.empty())
            joined += '/';
        joined.append(parts[i].text);
        const std::string folderStored = lead + std::string(path.substr(0, parts[i].end));
        const std::size_t before = made.size();
        const std::uint32_t at = folderRecord(joined, folderStored, parent, kNone, made);
        if (made.size() > before)
            m_records[at].nameAt = putText(parts[i].text);
        parent = at;
    }
    if (!joined.empty())
        joined += '/';
    joined.append(parts.back().text);
    if (member.type == arkive::Member::Type::Folder) {
        const std::size_t before = made.size();
        const std::uint32_t at = folderRecord(joined, stored, parent, kNone, made);
        Record& r = m_records[at];
        if (made.size() > before)
            r.nameAt = putText(parts.back().text);
        setFacts(r, member);
        r.storedAt = stored == joined ? kNone : putText(stored);
        return made;
    }
    Record r;
    r.parent = parent;
    r.nameAt = putText(parts.back().text);
    r.storedAt = stored == joined ? kNone : putText(stored);
    setFacts(r, member);
    made.push_back(std::uint32_t(m_records.size()));
    m_records.push_back(r);
    return made;
}

std::string MemberTable::path(std::uint32_t i) const
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t at = i; at != kTop; at = m_records[at].parent)
        chain.push_back(at);
    std::string out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!out.empty())
            out += '/';
        out.append(name(*it));
    }
    return out;
}

std::string MemberTable::stored(std::uint32_t i) const
{
    const Record& r = m_records[i];
    return r.storedAt == kNone ? path(i) : std::string(text(r.storedAt));
}

std::vector<std::uint32_t> MemberTable::children(std::uint32_t folder) const
{
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].parent == folder)
            out.push_back(i);
    return out;
}

std::uint32_t MemberTable::find(std::string_view path) const
{
    const std::vector<Part> parts = partsOf(path);
    if (parts.empty())
        return kNone;
    // The folders on the way have one record each, whatever files share
    // their names.
    std::uint32_t folder = kTop;
    if (parts.size() > 1) {
        std::string joined;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i)
            joined.append(joined.empty() ? "" : "/").append(parts[i].text);
        const auto known = m_folders.find(joined);
        if (known == m_folders.end())
            return kNone;
        folder = known->second;
    }
    // Of several records of the name, the last wins, as the tools unpack
    // the last.
    std::uint32_t found = kNone;
    for (std::uint32_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].parent == folder && name(i) == parts.back().text)
            found = i;
    return found;
}

arkive::MemberPick MemberTable::pick(std::uint32_t i) const
{
    return {stored(i), m_records[i].isFolder()};
}

void MemberTable::squeeze()
{
    m_records.shrink_to_fit();
    m_block.shrink_to_fit();
}

unsigned statMode(const MemberTable::Record& record)
{
    switch (record.type) {
    case arkive::Member::Type::Folder: return S_IFDIR | record.mode;
    case arkive::Member::Type::Link: return S_IFLNK | record.mode;
    case arkive::Member::Type::File:
    case arkive::Member::Type::HardLink: return S_IFREG | record.mode;
    case arkive::Member::Type::Other: break;
    }
    return record.mode;
}
