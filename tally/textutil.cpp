#include "textutil.h"

#include <cstdio>
#include <limits>

namespace tally {

namespace {

// Decodes one UTF-8 sequence at s[i]; returns its length and the code point,
// or length 0 for an invalid sequence.
std::size_t decodeOne(std::string_view s, std::size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

std::size_t columnsOf(char32_t cp)
{
    if ((cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0xFE00 && cp <= 0xFE0F))
        return 0;
    if ((cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3)
        || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60)
        || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) || (cp >= 0x1F900 && cp <= 0x1F9FF)
        || (cp >= 0x20000 && cp <= 0x3FFFD))
        return 2;
    return 1;
}

// Lengths (bytes) of the code points of valid UTF-8 text, walked by callers.
std::size_t stepOf(std::string_view s, std::size_t i, char32_t& cp)
{
    const std::size_t n = decodeOne(s, i, cp);
    if (n == 0) {
        cp = '?';
        return 1;
    }
    return n;
}

} // namespace

std::string sanitize(std::string_view bytes, std::size_t maxBytes)
{
    if (bytes.size() > maxBytes)
        bytes = bytes.substr(0, maxBytes);
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp;
        const std::size_t n = decodeOne(bytes, i, cp);
        if (n == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0x2028 || cp == 0x2029 || cp == 0xFEFF
            || (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069))
            out.push_back('?');
        else
            out.append(bytes.substr(i, n));
        i += n;
    }
    return out;
}

std::size_t displayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        i += stepOf(utf8, i, cp);
        width += columnsOf(cp);
    }
    return width;
}

std::string cutToWidth(std::string_view utf8, std::size_t maxColumns)
{
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        const std::size_t n = stepOf(utf8, i, cp);
        const std::size_t w = columnsOf(cp);
        if (width + w > maxColumns)
            break;
        width += w;
        i += n;
    }
    return std::string(utf8.substr(0, i));
}

std::string elideMiddle(std::string_view utf8, std::size_t maxColumns)
{
    if (displayWidth(utf8) <= maxColumns)
        return std::string(utf8);
    if (maxColumns == 0)
        return std::string();
    if (maxColumns == 1)
        return "\u2026";
    const std::size_t keep = maxColumns - 1;   // one column for the ellipsis
    const std::size_t tailColumns = (keep + 1) / 2;
    const std::size_t headColumns = keep - tailColumns;
    std::string head = cutToWidth(utf8, headColumns);
    // The tail: walk back from the end over whole code points.
    std::size_t start = utf8.size();
    std::size_t width = 0;
    while (start > 0) {
        std::size_t p = start - 1;
        while (p > 0 && (static_cast<unsigned char>(utf8[p]) & 0xC0) == 0x80 && start - p < 4)
            --p;
        char32_t cp;
        std::size_t n = decodeOne(utf8, p, cp);
        if (n != start - p) {   // not a valid sequence ending here: one byte
            p = start - 1;
            cp = '?';
        }
        const std::size_t w = columnsOf(cp);
        if (width + w > tailColumns)
            break;
        width += w;
        start = p;
    }
    return head + "\u2026" + std::string(utf8.substr(start));
}

std::string humanSize(std::uint64_t bytes)
{
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1023.95 && unit < 5) {
        value /= 1024.0;
        ++unit;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f %s", value, units[unit]);
    return buf;
}

std::string humanDuration(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    const std::int64_t h = seconds / 3600;
    const std::int64_t m = (seconds / 60) % 60;
    const std::int64_t s = seconds % 60;
    char buf[48];
    if (h > 0)
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", static_cast<long long>(h), static_cast<long long>(m),
                      static_cast<long long>(s));
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld", static_cast<long long>(m), static_cast<long long>(s));
    return buf;
}

std::string tarUnquote(std::string_view q)
{
    std::string out;
    out.reserve(q.size());
    for (std::size_t i = 0; i < q.size(); ++i) {
        const char c = q[i];
        if (c != '\\' || i + 1 >= q.size()) {
            out.push_back(c);
            continue;
        }
        const char e = q[i + 1];
        char r = 0;
        switch (e) {
        case '\\': r = '\\'; break;
        case 'n': r = '\n'; break;
        case 't': r = '\t'; break;
        case 'r': r = '\r'; break;
        case 'a': r = '\a'; break;
        case 'b': r = '\b'; break;
        case 'f': r = '\f'; break;
        case 'v': r = '\v'; break;
        case '?': r = '?'; break;
        default: break;
        }
        if (r != 0) {
            out.push_back(r);
            ++i;
            continue;
        }
        if (i + 3 < q.size() && e >= '0' && e <= '3' && q[i + 2] >= '0' && q[i + 2] <= '7' && q[i + 3] >= '0'
            && q[i + 3] <= '7') {
            out.push_back(static_cast<char>(((e - '0') << 6) | ((q[i + 2] - '0') << 3) | (q[i + 3] - '0')));
            i += 3;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

std::optional<std::uint64_t> leadingNumber(std::string_view text)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::string_view trimRightBlanks(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return trimRightBlanks(text);
}

} // namespace tally
