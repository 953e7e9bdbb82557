// What an archive holds, read from its headers with libarchive, without
// unpacking anything: the listing the browser shows inside an archive.
// Plain C++; the archive is untrusted input.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace arkive {

struct Member {
    enum class Type { File, Folder, Link, HardLink, Other };
    std::string path;                    // as stored (bytes), less a leading "./" and a trailing "/"
    std::string stored;                  // as stored, less a trailing "/": the name a tool is told
    Type type = Type::File;
    std::optional<std::uint64_t> size;   // when the archive tells it
    std::int64_t mtime = 0;              // seconds since the epoch; 0 when not stored
    std::uint32_t mode = 0;              // the permission bits as stored
    std::string owner;                   // the names as stored, or the ids
    std::string group;
    std::string target;                  // a link's target
    bool encrypted = false;              // its data needs a password
};

enum class ListingEnd {
    Complete,
    Cancelled,     // asked to stop
    Broken,        // the archive ends or breaks before its last member
    Encrypted,     // its names are hidden behind a password
    NotAnArchive,  // no format libarchive reads
};

struct ListingResult {
    ListingEnd end = ListingEnd::Complete;
    std::uint64_t members = 0;
    std::string message;                 // libarchive's words when it stopped early
    bool someEncrypted = false;          // members whose data needs a password
};

// Watched and stopped from another thread while the listing is read.
struct ListingControl {
    std::atomic<bool> cancel{false};
    std::atomic<std::uint64_t> bytesRead{0};   // of the archive file, for a progress
};

using MemberSink = std::function<void(Member&&)>;

// Hands each member to `each` as its header is read; the archive "." entry
// is left out.
ListingResult listMembers(const std::string& archive, const MemberSink& each, ListingControl* control = nullptr);

// The same for an archive in memory (for the fuzzer).
ListingResult listMembersInMemory(const void* data, std::size_t size, const MemberSink& each);

} // namespace arkive
