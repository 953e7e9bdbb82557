#include "rarheaders.h"

#include "readat.h"

#include <fcntl.h>
#include <unistd.h>

namespace arkive {

namespace {

constexpr char Rar4Signature[] = "Rar!\x1a\x07\x00";
constexpr char Rar5Signature[] = "Rar!\x1a\x07\x01\x00";
constexpr std::size_t Rar4SignatureSize = 7;
constexpr std::size_t Rar5SignatureSize = 8;

std::uint64_t little(const std::string& s, std::size_t at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return v;
}

// rar 5's numbers: 7 bits a byte, the lowest first.
bool vint(const std::string& s, std::size_t& at, std::uint64_t& value)
{
    value = 0;
    for (int shift = 0; shift < 64 && at < s.size(); shift += 7) {
        const auto b = static_cast<unsigned char>(s[at++]);
        value |= std::uint64_t(b & 0x7f) << shift;
        if (!(b & 0x80))
            return true;
    }
    return false;
}

RarHeaders rar4Headers(const ReadAt& read, unsigned maxHeaders)
{
    constexpr unsigned MainType = 0x73, FileType = 0x74, EndType = 0x7b;
    constexpr std::uint64_t HeadersEncrypted = 0x0080, MemberEncrypted = 0x0004, HasAddSize = 0x8000,
                            LargeSizes = 0x0100, ContinuedFromBefore = 0x0001;
    RarHeaders headers;
    std::uint64_t at = Rar4SignatureSize;
    std::string h;
    for (unsigned n = 0; n < maxHeaders && read(at, 7, h); ++n) {
        const unsigned type = static_cast<unsigned char>(h[2]);
        const std::uint64_t flags = little(h, 3, 2), size = little(h, 5, 2);
        headers.encrypted = (type == MainType && (flags & HeadersEncrypted)) || (type == FileType && (flags & MemberEncrypted));
        if (headers.encrypted || type == EndType || size < 7)
            return headers;
        std::uint64_t data = 0;
        if (type == FileType || (flags & HasAddSize)) {
            // PACK_SIZE, then (a member) UNP_SIZE; their high halves further on.
            std::string more;
            if (!read(at + 7, type == FileType ? 8 : 4, more))
                return headers;
            data = little(more, 0, 4);
            std::uint64_t unpacked = type == FileType ? little(more, 4, 4) : 0;
            if (type == FileType && (flags & LargeSizes) && read(at + 32, 8, more)) {
                data |= little(more, 0, 4) << 32;
                unpacked |= little(more, 4, 4) << 32;
            }
            if (!(flags & ContinuedFromBefore))
                headers.bytes += unpacked;
        }
        at += size + data;
    }
    return headers;
}

RarHeaders rar5Headers(const ReadAt& read, unsigned maxHeaders)
{
    constexpr std::uint64_t FileType = 2, ServiceType = 3, EncryptionType = 4, EndType = 5;
    constexpr std::uint64_t HasExtra = 0x01, HasData = 0x02, EncryptionRecord = 0x01;
    constexpr std::uint64_t SizeUnknown = 0x0008, ContinuedFromBefore = 0x0008;
    RarHeaders headers;
    constexpr std::size_t MaxHeader = 2u << 20;
    std::uint64_t at = Rar5SignatureSize;
    std::string h;
    for (unsigned n = 0; n < maxHeaders && read(at, 4 + 3, h); ++n) {
        std::size_t p = 4;
        std::uint64_t headerSize = 0;
        if (!vint(h, p, headerSize) || headerSize > MaxHeader || !read(at, p + headerSize, h))
            return headers;
        const std::size_t end = p + headerSize;
        std::uint64_t type = 0, flags = 0, extra = 0, data = 0;
        if (!vint(h, p, type) || !vint(h, p, flags) || ((flags & HasExtra) && !vint(h, p, extra))
            || ((flags & HasData) && !vint(h, p, data)))
            return headers;
        headers.encrypted = type == EncryptionType;
        if (headers.encrypted || type == EndType)
            return headers;
        // A member: its flags, then its unpacked size.
        std::uint64_t fileFlags = 0, unpacked = 0;
        if (type == FileType && vint(h, p, fileFlags) && vint(h, p, unpacked) && !(fileFlags & SizeUnknown)
            && !(flags & ContinuedFromBefore))
            headers.bytes += unpacked;
        if ((type == FileType || type == ServiceType) && extra > 0 && extra <= headerSize) {
            // The records of the extra area, at the end of the header.
            for (std::size_t r = end - extra; r < end;) {
                std::uint64_t recordSize = 0, recordType = 0;
                std::size_t q = r;
                if (!vint(h, q, recordSize) || !vint(h, q, recordType))
                    break;
                if (type == FileType && recordType == EncryptionRecord) {
                    headers.encrypted = true;
                    return headers;
                }
                r = q - 1 + recordSize;   // the size counts from the type on
                if (recordSize == 0)
                    break;
            }
        }
        at += end + data;
    }
    return headers;
}

} // namespace

RarHeaders rarHeaders(const ReadAt& read, unsigned maxHeaders)
{
    std::string signature;
    if (read(0, Rar5SignatureSize, signature) && signature == std::string(Rar5Signature, Rar5SignatureSize))
        return rar5Headers(read, maxHeaders);
    if (read(0, Rar4SignatureSize, signature) && signature == std::string(Rar4Signature, Rar4SignatureSize))
        return rar4Headers(read, maxHeaders);
    return {};
}

RarHeaders rarFileHeaders(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const RarHeaders headers = rarHeaders(
        [fd](std::uint64_t offset, std::size_t size, std::string& out) { return readAt(fd, offset, size, out); });
    ::close(fd);
    return headers;
}

} // namespace arkive
