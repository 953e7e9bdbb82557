#include "zipdirectory.h"

#include "readat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace arkive {

namespace {

constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t Zip64EndSignature = 0x06064b50;
constexpr std::uint32_t EntrySignature = 0x02014b50;
constexpr std::uint32_t LocalSignature = 0x04034b50;
constexpr std::size_t EndSize = 22;
constexpr std::size_t LocatorSize = 20;
constexpr std::size_t EntrySize = 46;
constexpr std::size_t LocalSize = 30;
constexpr std::size_t MaxTail = 65535 + EndSize;
constexpr std::uint64_t MaxDirectory = 64ull << 20;   // bytes read of a directory
constexpr std::uint16_t Encrypted = 0x01;
constexpr std::uint16_t StrongEncryption = 0x40;
constexpr std::uint16_t AesMethod = 99;
constexpr std::uint16_t Zip64Extra = 0x0001;
constexpr std::uint16_t AesExtra = 0x9901;
constexpr std::uint64_t Unknown32 = 0xffffffff;   // a ZIP64 extra field has the value

std::uint64_t little(std::string_view s, std::size_t at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return v;
}

bool unzipMethod(std::uint64_t method)
{
    return method <= 6 || method == 8 || method == 9 || method == 12;
}

} // namespace

DirectorySpan findDirectory(std::string_view tail, std::uint64_t fileSize)
{
    DirectorySpan span;
    if (tail.size() < EndSize || tail.size() > fileSize)
        return span;
    std::size_t at = tail.size() - EndSize;
    while (true) {
        // The record's comment must reach the end of the file exactly.
        if (little(tail, at, 4) == EndSignature && at + EndSize + little(tail, at + 20, 2) == tail.size())
            break;
        if (at == 0)
            return span;
        --at;
    }
    const std::uint64_t endAt = fileSize - tail.size() + at;   // in the file
    span.entries = little(tail, at + 10, 2);
    span.size = little(tail, at + 12, 4);
    span.offset = little(tail, at + 16, 4);
    const std::uint64_t disk = little(tail, at + 4, 2);
    span.lastVolume = disk != 0 && disk != 0xffff;
    if (at >= LocatorSize && little(tail, at - LocatorSize, 4) == Zip64LocatorSignature) {
        const std::uint64_t end64 = little(tail, at - LocatorSize + 8, 8);
        const std::uint64_t tailStart = fileSize - tail.size();
        if (end64 >= tailStart && end64 - tailStart + 56 <= at && little(tail, end64 - tailStart, 4) == Zip64EndSignature) {
            const std::size_t e = end64 - tailStart;
            span.entries = little(tail, e + 32, 8);
            span.size = little(tail, e + 40, 8);
            span.offset = little(tail, e + 48, 8);
            span.lastVolume = little(tail, e + 16, 4) != 0;
        }
    }
    const std::uint64_t recorded = span.offset;
    // Bytes before the archive (a self-extractor) shift every offset: the
    // directory ends where the end records begin.
    if (span.size <= endAt)
        span.offset = endAt - span.size;
    if (at >= LocatorSize && little(tail, at - LocatorSize, 4) == Zip64LocatorSignature && span.offset >= 56 + LocatorSize)
        span.offset = std::min(span.offset, endAt - LocatorSize - 56 - span.size);
    span.bias = span.offset > recorded ? span.offset - recorded : 0;
    span.found = true;
    return span;
}

namespace {

// Whether a directory entry begins at `at`.
bool entryAt(std::string_view directory, std::size_t at)
{
    return at + EntrySize <= directory.size() && little(directory, at, 4) == EntrySignature;
}

// Where the entry after the one at `at` begins: past its name, extra field and comment.
std::size_t nextEntry(std::string_view directory, std::size_t at)
{
    return at + EntrySize + little(directory, at + 28, 2) + little(directory, at + 30, 2) + little(directory, at + 32, 2);
}

} // namespace

bool beyondUnzip(std::string_view directory)
{
    for (std::size_t at = 0; entryAt(directory, at); at = nextEntry(directory, at)) {
        const std::uint64_t flags = little(directory, at + 8, 2);
        if (!unzipMethod(little(directory, at + 10, 2)) || (flags & StrongEncryption))
            return true;
    }
    return false;
}

std::uint64_t unpackedBytes(std::string_view directory)
{
    std::uint64_t total = 0;
    for (std::size_t at = 0; entryAt(directory, at); at = nextEntry(directory, at)) {
        std::uint64_t size = little(directory, at + 24, 4);
        if (size == Unknown32) {
            // ZIP64: the uncompressed size comes first in its extra field.
            const std::size_t extraAt = std::min<std::size_t>(at + EntrySize + little(directory, at + 28, 2), directory.size());
            const std::string_view extra = directory.substr(extraAt, little(directory, at + 30, 2));
            for (std::size_t e = 0; e + 4 <= extra.size(); e += 4 + little(extra, e + 2, 2))
                if (little(extra, e, 2) == Zip64Extra && e + 12 <= extra.size())
                    size = little(extra, e + 4, 8);
        }
        total += size;
    }
    return total;
}

namespace {

// The directory of the open zip of `size` bytes (up to 64 MiB of it).
bool readDirectory(int fd, std::uint64_t size, DirectorySpan& span, std::string& directory)
{
    std::string tail;
    const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, MaxTail));
    if (size < EndSize || !readAt(fd, size - tailSize, tailSize, tail))
        return false;
    span = findDirectory(tail, size);
    return span.found && span.offset + span.size <= size
           && readAt(fd, span.offset, static_cast<std::size_t>(std::min(span.size, MaxDirectory)), directory);
}

// The size of the open file, or 0 when it is not a regular file.
std::uint64_t regularSize(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
}

} // namespace

ZipDirectory readZipDirectory(const std::string& path)
{
    ZipDirectory zip;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return zip;
    DirectorySpan span;
    std::string directory;
    const bool read = readDirectory(fd, regularSize(fd), span, directory);
    zip.found = span.found;
    zip.entries = span.entries;
    if (read) {
        zip.unzipCannotRead = beyondUnzip(directory);
        zip.bytes = unpackedBytes(directory);
    }
    ::close(fd);
    return zip;
}

std::vector<std::string> entryNames(std::string_view directory)
{
    std::vector<std::string> names;
    for (std::size_t at = 0; entryAt(directory, at); at = nextEntry(directory, at))
        names.emplace_back(directory.substr(at + EntrySize, little(directory, at + 28, 2)));
    return names;
}

std::vector<std::string> readZipNames(const std::string& path)
{
    std::vector<std::string> names;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DirectorySpan span;
    std::string directory;
    if (readDirectory(fd, regularSize(fd), span, directory))
        names = entryNames(directory);
    ::close(fd);
    return names;
}

std::vector<ZipEntryHeader> encryptedEntries(std::string_view directory, std::size_t most)
{
    std::vector<ZipEntryHeader> found;
    for (std::size_t at = 0; found.size() < most && entryAt(directory, at); at = nextEntry(directory, at)) {
        const std::size_t nameSize = little(directory, at + 28, 2);
        const std::size_t extraSize = little(directory, at + 30, 2);
        ZipEntryHeader entry;
        entry.flags = static_cast<std::uint16_t>(little(directory, at + 8, 2));
        entry.method = static_cast<std::uint16_t>(little(directory, at + 10, 2));
        entry.modTime = static_cast<std::uint16_t>(little(directory, at + 12, 2));
        entry.crc = static_cast<std::uint32_t>(little(directory, at + 16, 4));
        entry.localOffset = little(directory, at + 42, 4);
        const bool unknownSizes[] = {little(directory, at + 24, 4) == Unknown32,
                                     little(directory, at + 20, 4) == Unknown32};
        const std::size_t extraAt = std::min(at + EntrySize + nameSize, directory.size());
        const std::string_view extra = directory.substr(extraAt, extraSize);
        for (std::size_t e = 0; e + 4 <= extra.size(); e += 4 + little(extra, e + 2, 2)) {
            const std::string_view body = extra.substr(e + 4, little(extra, e + 2, 2));
            const std::uint64_t id = little(extra, e, 2);
            // ZIP64: the sizes come first, each only when its field is full.
            const std::size_t offsetAt = 8 * (std::size_t(unknownSizes[0]) + std::size_t(unknownSizes[1]));
            if (id == Zip64Extra && entry.localOffset == Unknown32 && offsetAt + 8 <= body.size())
                entry.localOffset = little(body, offsetAt, 8);
            else if (id == AesExtra && entry.method == AesMethod && body.size() >= 7)
                entry.aesStrength = static_cast<unsigned char>(body[4]);
        }
        const bool aesKnown = entry.aesStrength >= 1 && entry.aesStrength <= 3;
        if ((entry.flags & Encrypted) && !(entry.flags & StrongEncryption) && (entry.method != AesMethod || aesKnown))
            found.push_back(entry);
    }
    return found;
}

std::size_t encryptionHeaderSize(const ZipEntryHeader& header)
{
    return header.aesStrength ? 4 + 4 * static_cast<std::size_t>(header.aesStrength) + 2 : 12;
}

std::vector<EncryptedStart> readEncryptedStarts(const std::string& path, std::size_t most)
{
    std::vector<EncryptedStart> starts;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return starts;
    DirectorySpan span;
    std::string directory, local, start;
    if (readDirectory(fd, regularSize(fd), span, directory) && !span.lastVolume) {
        for (const ZipEntryHeader& entry : encryptedEntries(directory, most)) {
            const std::uint64_t at = entry.localOffset + span.bias;
            if (!readAt(fd, at, LocalSize, local) || little(local, 0, 4) != LocalSignature)
                continue;
            const std::uint64_t dataAt = at + LocalSize + little(local, 26, 2) + little(local, 28, 2);
            if (readAt(fd, dataAt, encryptionHeaderSize(entry), start))
                starts.push_back({entry, start});
        }
    }
    ::close(fd);
    return starts;
}

} // namespace arkive
