// An archive's members as the browser holds them while it shows the
// archive: one small record each, in the order read, with the folders the
// archive only implies by its paths ("a/b" without "a/") made as records of
// their own. Names, stored names and link targets lie in one block of
// bytes. Plain C++.
#pragma once

#include "members.h"
#include "plan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class MemberTable
{
public:
    static constexpr std::uint32_t kTop = 0xFFFFFFFFu;  // the archive's top level, as a parent
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu; // no text in the block

    struct Record {
        std::uint64_t size = 0;       // bytes; see sizeKnown
        std::int64_t mtime = 0;       // seconds since the epoch; 0 when not stored
        std::uint32_t nameAt = 0;     // the last part of the path
        std::uint32_t parent = kTop;  // a folder's record
        std::uint32_t storedAt = kNone; // the stored name when it is not the path
        std::uint32_t targetAt = kNone; // a link's target
        std::uint32_t ownerAt = 0;    // "owner:group", shared by the records that have it
        std::uint16_t mode = 0;       // the permission bits as stored
        arkive::Member::Type type : 4;
        bool sizeKnown : 1;
        bool encrypted : 1;
        bool implied : 1;             // a folder the archive holds no entry for

        Record() : type(arkive::Member::Type::File), sizeKnown(false), encrypted(false), implied(false) {}
        bool isFolder() const { return type == arkive::Member::Type::Folder; }
    };

    // Takes a member as read. Returns the records it made: the member's
    // own (none when it only tells the facts of a folder already made) and
    // those of the folders it implies, parents first. A folder listed twice
    // keeps one record, with the facts given last.
    std::vector<std::uint32_t> add(const arkive::Member& member);

    std::size_t size() const { return m_records.size(); }
    const Record& record(std::uint32_t i) const { return m_records[i]; }
    std::string_view name(std::uint32_t i) const { return text(m_records[i].nameAt); }
    std::string_view target(std::uint32_t i) const { return text(m_records[i].targetAt); }
    // The names and other texts, each ended by a NUL, where a record's
    // nameAt, targetAt ... point.
    const char* textBlock() const { return m_block.data(); }
    std::string_view owner(std::uint32_t i) const { return text(m_records[i].ownerAt); }
    // The path below the archive's top, parts joined by "/".
    std::string path(std::uint32_t i) const;
    // The name the archive stores, as its tools are told it.
    std::string stored(std::uint32_t i) const;
    // The records whose parent is `folder` (kTop: the top level), in the
    // order read.
    std::vector<std::uint32_t> children(std::uint32_t folder) const;
    // The record of a path as path() gives it, or kNone.
    std::uint32_t find(std::string_view path) const;
    // The member as the unpacking line names it.
    arkive::MemberPick pick(std::uint32_t i) const;
    // Gives back the room kept for more members, once all are read.
    void squeeze();

private:
    std::string_view text(std::uint32_t at) const;
    std::uint32_t putText(std::string_view text);
    std::uint32_t folderRecord(std::string_view path, std::string_view stored, std::uint32_t parent,
                               std::uint32_t nameAt, std::vector<std::uint32_t>& made);
    void setFacts(Record& r, const arkive::Member& member);

    std::vector<Record> m_records;
    std::string m_block;
    // Folders by path, so that the members below them find their parent.
    std::unordered_map<std::string, std::uint32_t> m_folders;
    std::unordered_map<std::string, std::uint32_t> m_owners; // "owner:group" to where it lies
};

// st_mode of a record: the file type bits of its type and its permissions.
unsigned statMode(const MemberTable::Record& record);
