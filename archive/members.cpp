#include "members.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace arkive {

namespace {

constexpr std::size_t kReadBlockBytes = 65536;

using Reader = std::unique_ptr<struct archive, int (*)(struct archive*)>;

Reader newReader()
{
    Reader a(archive_read_new(), archive_read_free);
    archive_read_support_filter_all(a.get());
    archive_read_support_format_all(a.get());
    return a;
}

std::string normalized(const char* stored)
{
    std::string path = stored ? stored : "";
    while (path.compare(0, 2, "./") == 0)
        path.erase(0, 2);
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path == "." ? std::string() : path;
}

std::string nameOr(const char* name, std::int64_t id)
{
    return name && *name ? std::string(name) : std::to_string(id);
}

Member memberOf(struct archive_entry* entry)
{
    Member m;
    const char* path = archive_entry_pathname(entry);
    m.path = normalized(path);
    m.stored = path ? path : "";
    while (m.stored.size() > 1 && m.stored.back() == '/')
        m.stored.pop_back();
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG: m.type = Member::Type::File; break;
    case AE_IFDIR: m.type = Member::Type::Folder; break;
    case AE_IFLNK: m.type = Member::Type::Link; break;
    default: m.type = Member::Type::Other; break;
    }
    if (const char* hard = archive_entry_hardlink(entry)) {
        m.type = Member::Type::HardLink;
        m.target = hard;
    } else if (const char* symbolic = archive_entry_symlink(entry)) {
        m.target = symbolic;
    }
    // A zip names a folder by its ending "/" alone.
    if (m.type == Member::Type::File && path && *path && path[std::strlen(path) - 1] == '/')
        m.type = Member::Type::Folder;
    if (archive_entry_size_is_set(entry) && m.type == Member::Type::File)
        m.size = static_cast<std::uint64_t>(archive_entry_size(entry));
    m.mtime = archive_entry_mtime_is_set(entry) ? archive_entry_mtime(entry) : 0;
    m.mode = archive_entry_perm(entry);
    m.owner = nameOr(archive_entry_uname(entry), archive_entry_uid(entry));
    m.group = nameOr(archive_entry_gname(entry), archive_entry_gid(entry));
    m.encrypted = archive_entry_is_data_encrypted(entry) != 0;
    return m;
}

// libarchive found no format it reads (its errno for that is EILSEQ).
bool noFormat(struct archive* a, const std::string& message)
{
    return archive_errno(a) == EILSEQ || message.find("Unrecognized archive format") != std::string::npos;
}

bool saysEncrypted(const std::string& message)
{
    for (const char* word : {"ncrypt", "assphrase", "assword"})
        if (message.find(word) != std::string::npos)
            return true;
    return false;
}

void noteBytes(struct archive* a, ListingControl* control)
{
    if (control)
        control->bytesRead.store(static_cast<std::uint64_t>(archive_filter_bytes(a, -1)), std::memory_order_relaxed);
}

ListingResult readAll(struct archive* a, const MemberSink& each, ListingControl* control)
{
    ListingResult r;
    struct archive_entry* entry = nullptr;
    for (;;) {
        if (control && control->cancel.load(std::memory_order_relaxed)) {
            r.end = ListingEnd::Cancelled;
            break;
        }
        const int got = archive_read_next_header(a, &entry);
        if (got == ARCHIVE_EOF)
            break;
        if (got < ARCHIVE_WARN) {
            const char* words = archive_error_string(a);
            r.message = words ? words : "";
            if (saysEncrypted(r.message))
                r.end = ListingEnd::Encrypted;
            else if (r.members == 0 && noFormat(a, r.message))
                r.end = ListingEnd::NotAnArchive;
            else
                r.end = ListingEnd::Broken;
            break;
        }
        Member m = memberOf(entry);
        r.someEncrypted = r.someEncrypted || m.encrypted;
        if (!m.path.empty()) {
            ++r.members;
            each(std::move(m));
        }
        noteBytes(a, control);
        // Only the headers are wanted. In a compressed stream (tar.gz) the
        // data must be decompressed to reach the next header: it is read
        // block by block, so that a large member shows progress and the
        // reading can stop in it. Elsewhere it is skipped, where a format
        // allows without decompressing it.
        int passed = ARCHIVE_OK;
        if (archive_filter_code(a, 0) != ARCHIVE_FILTER_NONE) {
            const void* block = nullptr;
            std::size_t size = 0;
            la_int64_t offset = 0;
            while ((passed = archive_read_data_block(a, &block, &size, &offset)) == ARCHIVE_OK) {
                noteBytes(a, control);
                if (control && control->cancel.load(std::memory_order_relaxed))
                    break;
            }
            if (passed == ARCHIVE_EOF)
                passed = ARCHIVE_OK;
        } else {
            passed = archive_read_data_skip(a);
        }
        if (passed < ARCHIVE_WARN && !saysEncrypted(archive_error_string(a) ? archive_error_string(a) : "")) {
            const char* words = archive_error_string(a);
            r.message = words ? words : "";
            r.end = ListingEnd::Broken;
            break;
        }
    }
    return r;
}

ListingResult openFailed(struct archive* a)
{
    ListingResult r;
    const char* words = archive_error_string(a);
    r.message = words ? words : "";
    r.end = noFormat(a, r.message)                    ? ListingEnd::NotAnArchive
            : saysEncrypted(r.message)                     ? ListingEnd::Encrypted
                                                           : ListingEnd::Broken;
    return r;
}

} // namespace

ListingResult listMembers(const std::string& archive, const MemberSink& each, ListingControl* control)
{
    const Reader a = newReader();
    if (archive_read_open_filename(a.get(), archive.c_str(), kReadBlockBytes) != ARCHIVE_OK)
        return openFailed(a.get());
    return readAll(a.get(), each, control);
}

ListingResult listMembersInMemory(const void* data, std::size_t size, const MemberSink& each)
{
    const Reader a = newReader();
    if (archive_read_open_memory(a.get(), data, size) != ARCHIVE_OK)
        return openFailed(a.get());
    return readAll(a.get(), each, nullptr);
}

} // namespace arkive
