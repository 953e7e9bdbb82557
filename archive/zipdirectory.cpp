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
constexpr std::size_t EndSize = 22;
constexpr std::size_t LocatorSize = 20;
constexpr std::size_t EntrySize = 46;
constexpr std::size_t MaxTail = 65535 + EndSize;
constexpr std::uint64_t MaxDirectory = 64ull << 20;   // bytes read of a directory
constexpr std::uint16_t StrongEncryption = 0x40;

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
    if (at >= LocatorSize && little(tail, at - LocatorSize, 4) == Zip64LocatorSignature) {
        const std::uint64_t end64 = little(tail, at - LocatorSize + 8, 8);
        const std::uint64_t tailStart = fileSize - tail.size();
        if (end64 >= tailStart && end64 - tailStart + 56 <= at && little(tail, end64 - tailStart, 4) == Zip64EndSignature) {
            const std::size_t e = end64 - tailStart;
            span.entries = little(tail, e + 32, 8);
            span.size = little(tail, e + 40, 8);
            span.offset = little(tail, e + 48, 8);
        }
    }
    // Bytes before the archive (a self-extractor) shift every offset: the
    // directory ends where the end records begin.
    if (span.size <= endAt)
        span.offset = endAt - span.size;
    if (at >= LocatorSize && little(tail, at - LocatorSize, 4) == Zip64LocatorSignature && span.offset >= 56 + LocatorSize)
        span.offset = std::min(span.offset, endAt - LocatorSize - 56 - span.size);
    span.found = true;
    return span;
}

bool beyondUnzip(std::string_view directory)
{
    std::size_t at = 0;
    while (at + EntrySize <= directory.size() && little(directory, at, 4) == EntrySignature) {
        const std::uint64_t flags = little(directory, at + 8, 2);
        if (!unzipMethod(little(directory, at + 10, 2)) || (flags & StrongEncryption))
            return true;
        at += EntrySize + little(directory, at + 28, 2) + little(directory, at + 30, 2) + little(directory, at + 32, 2);
    }
    return false;
}

ZipDirectory readZipDirectory(const std::string& path)
{
    ZipDirectory zip;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return zip;
    struct stat st;
    std::string tail, directory;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= static_cast<off_t>(EndSize)) {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, MaxTail));
        if (readAt(fd, size - tailSize, tailSize, tail)) {
            const DirectorySpan span = findDirectory(tail, size);
            zip.found = span.found;
            zip.entries = span.entries;
            if (span.found && span.offset + span.size <= size
                && readAt(fd, span.offset, static_cast<std::size_t>(std::min(span.size, MaxDirectory)), directory))
                zip.unzipCannotRead = beyondUnzip(directory);
        }
    }
    ::close(fd);
    return zip;
}

} // namespace arkive
