#include "parsers.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "textutil.h"

namespace tally {

// --- FileProbe ---------------------------------------------------------------

std::optional<std::uint64_t> StatFileProbe::fileSize(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

std::optional<std::uint64_t> StatFileProbe::symlinkTargetSize(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return std::nullopt;
    if (::stat(path.c_str(), &st) != 0)
        return std::uint64_t{0};   // a dangling link: the total counted nothing either
    if (S_ISREG(st.st_mode))
        return static_cast<std::uint64_t>(st.st_size);
    return folderBytes(path, walked_);
}

std::optional<std::uint64_t> StatFileProbe::readPosition(const std::string& path)
{
    if (!reader_)
        if (const auto inode = pipeInode(inFd_))
            reader_ = findFileReader(*inode, path);
    return reader_ ? tally::readPosition(*reader_) : std::nullopt;
}

// --- Parser ------------------------------------------------------------------

void Parser::openLine(std::string_view, std::uint64_t) {}

void Parser::endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped)
{
    if (hasUnterminated)
        line(unterminated, dropped);
}

void Parser::setCurrent(std::string_view name)
{
    if (name.size() > kMaxNameBytes)
        name = name.substr(0, kMaxNameBytes);
    counts_.current.assign(name.data(), name.size());   // reuses the capacity
}

std::string Parser::onDisk(std::string_view name) const
{
    if (folder_.empty() || (!name.empty() && name.front() == '/'))
        return std::string(name);
    return folder_ + (folder_.back() == '/' ? "" : "/") + std::string(name);
}

void Parser::countWritten(std::string_view name)
{
    if (!countWritten_ || !probe_ || name.empty() || name.back() == '/')
        return;
    if (const auto size = probe_->fileSize(onDisk(name)))
        counts_.bytes = counts_.bytes + *size < counts_.bytes ? ~0ull : counts_.bytes + *size;
}

void Parser::addError(std::string_view text, std::uint64_t count)
{
    counts_.errors += count;
    if (sink_)
        sink_->message(text, count);
    if (counts_.firstError.empty()) {
        text = trimBlanks(text);
        if (text.size() > kMaxErrorBytes)
            text = text.substr(0, kMaxErrorBytes);
        counts_.firstError.assign(text.data(), text.size());
        if (counts_.firstError.empty())
            counts_.firstError = "error";
    }
}

namespace {

std::size_t skipSpaces(std::string_view s, std::size_t i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

bool isPermChar(char c)
{
    switch (c) {
    case 'r': case 'w': case 'x': case 's': case 'S': case 't': case 'T': case '-':
        return true;
    default:
        return false;
    }
}

std::uint64_t fnv1a(std::string_view s)
{
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t s = a + b;
    return s < a ? ~0ull : s;
}

} // namespace

// --- tar ---------------------------------------------------------------------

namespace {

// The type letters GNU tar writes in the first column of a -vv listing.
struct TypeTable {
    bool ok[256] = {};
    TypeTable()
    {
        for (const char c : std::string_view("-hlcbdpsCDKLMNSV?"))
            ok[static_cast<unsigned char>(c)] = true;
    }
};
const TypeTable kTarTypes;

// The NAME part of a member line that line() accepted ("" if none).
std::string_view tarName(std::string_view t)
{
    std::size_t i = skipSpaces(t, 11);
    std::size_t j = t.find(' ', i);                               // after OWNER/GROUP
    if (j == std::string_view::npos)
        return {};
    j = t.find(' ', skipSpaces(t, j));                            // after SIZE
    if (j == std::string_view::npos)
        return {};
    j = t.find(' ', j + 1);                                       // after DATE
    if (j == std::string_view::npos)
        return {};
    j = t.find(' ', j + 1);                                       // after TIME
    if (j == std::string_view::npos || j + 1 >= t.size())
        return {};
    std::string_view name = t.substr(j + 1);
    if (t[0] == 'l') {
        const auto arrow = name.find(" -> ");
        if (arrow != std::string_view::npos)
            name = name.substr(0, arrow);
    } else if (t[0] == 'h') {
        const auto link = name.find(" link to ");
        if (link != std::string_view::npos)
            name = name.substr(0, link);
    }
    return name;
}

} // namespace

namespace {

// Up to eight decimal digits that end just before p[k], read at once (SWAR).
// Returns how many digits there are (0 when p[k-1] is none, 8 when there
// may be more) and their value.
inline int digitsBefore(const char* p, std::size_t k, std::uint64_t& value)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::uint64_t w;
    std::memcpy(&w, p + k - 8, 8);   // p[k-8] in the lowest byte
    const std::uint64_t x = w ^ 0x3030303030303030ull;
    const std::uint64_t high = x & 0xF0F0F0F0F0F0F0F0ull;                                        // not 0x3?
    const std::uint64_t over = ((x & 0x0F0F0F0F0F0F0F0Full) + 0x0606060606060606ull) & 0x1010101010101010ull;  // > '9'
    const std::uint64_t bad = high | over;
    const std::uint64_t flags = (((bad & 0x7F7F7F7F7F7F7F7Full) + 0x7F7F7F7F7F7F7F7Full) | bad) & 0x8080808080808080ull;
    if (flags == 0)
        return 8;
    const int d = __builtin_clzll(flags) >> 3;   // digit bytes at the top (the end of the text)
    if (d == 0)
        return 0;
    std::uint64_t c = x & (~0ull << (8 * (8 - d)));   // the digits' values, the rest zero
    c = ((c & 0x0F000F000F000F00ull) >> 8) + (c & 0x000F000F000F000Full) * 10;
    c = ((c & 0x00FF000000FF0000ull) >> 16) + (c & 0x000000FF000000FFull) * 100;
    c = ((c & 0x0000FFFF00000000ull) >> 32) + (c & 0x000000000000FFFFull) * 10000;
    value = c;
    return d;
#else
    int d = 0;
    while (d < 8 && static_cast<unsigned>(p[k - 1 - static_cast<std::size_t>(d)] - '0') < 10)
        ++d;
    if (d == 0 || d == 8)
        return d;
    std::uint64_t v = 0;
    for (int i = d; i > 0; --i)
        v = v * 10 + static_cast<std::uint64_t>(p[k - static_cast<std::size_t>(i)] - '0');
    value = v;
    return d;
#endif
}

} // namespace

// The hot path: a million lines must cost less than `pv -l` counting them.
// tar pads OWNER/GROUP and SIZE to one width, so SIZE ends in the same
// column line after line (until a wider one comes): look there first, with
// DATE and TIME right after it, and read the digits in one go. The name is
// left to chunkEnd().
void TarParser::line(std::string_view t, std::uint64_t)
{
    const std::size_t n = t.size();
    const char* const p = t.data();
    // MODE: a type letter and nine permissions ("-rw-r--r--"), then a blank.
    if (n < 12 || p[10] != ' ' || !kTarTypes.ok[static_cast<unsigned char>(p[0])]) {
        slowLine(t);
        return;
    }
    const std::size_t k = sizeEnd_;
    if (k >= 20 && k + 18 < n && p[k] == ' ' && p[k + 5] == '-' && p[k + 8] == '-' && p[k + 11] == ' '
        && p[k + 14] == ':' && p[k + 17] == ' ' && p[11] != ' ' && p[0] != 'l' && p[0] != 'h') {
        std::uint64_t size = 0;
        const int d = digitsBefore(p, k, size);
        if (d > 0 && d < 8) {
            const char before = p[k - 1 - static_cast<std::size_t>(d)];
            if (before == ' ' || before == ',') {
                member(t, before == ',' ? 0 : size);
                return;
            }
        }
    }
    fullLine(t);
}

// The whole line read from the left: after a change of column widths, for
// links and devices, and for anything that does not look as expected.
void TarParser::fullLine(std::string_view t)
{
    const std::size_t n = t.size();
    const char* const p = t.data();
    for (std::size_t k = 1; k < 10; ++k)
        if (!isPermChar(p[k]))
            return;
    // OWNER/GROUP, or "Creating directory: NAME" (a folder tar makes on its
    // own, no member). The columns are padded to widths that grow.
    std::size_t i = 11;
    while (i < n && p[i] == ' ')
        ++i;
    const std::size_t owner = i;
    while (i < n && p[i] != ' ')
        ++i;
    if (i >= n)
        return;
    if (i - owner == 8 && std::memcmp(p + owner, "Creating", 8) == 0 && t.compare(i, 11, " directory:") == 0)
        return;
    while (i < n && p[i] == ' ')
        ++i;
    // SIZE: digits, or "MAJOR,MINOR" for devices (no data).
    const std::size_t sizeStart = i;
    std::uint64_t size = 0;
    while (i < n && static_cast<unsigned>(p[i] - '0') < 10) {
        size = size * 10 + static_cast<std::uint64_t>(p[i] - '0');
        ++i;
    }
    if (i == sizeStart || i >= n)
        return;
    if (i - sizeStart > 19)   // more than 64 bits can hold (the loop wrapped)
        size = leadingNumber(t.substr(sizeStart, i - sizeStart)).value_or(~0ull);
    if (p[i] == ',') {
        size = 0;
        ++i;
        while (i < n && static_cast<unsigned>(p[i] - '0') < 10)
            ++i;
    }
    if (i >= n || p[i] != ' ')
        return;
    const char type = p[0];
    if ((type == 'l' || type == 'h') || i + 18 > n) {
        // Links (and lines too short for DATE TIME NAME): the slower way.
        const std::string_view name = tarName(t);
        if (name.empty())
            return;
        if (probe_ && op_ == Operation::Packing && type != '-') {
            // The total counted what the link leads to; tar stores the link.
            const std::string path = onDisk(tarUnquote(name));
            const auto extra = type == 'l' ? probe_->symlinkTargetSize(path) : probe_->fileSize(path);
            if (extra)
                size = saturatingAdd(size, *extra);
        }
    }
    sizeEnd_ = i;
    member(t, size);
}

inline void TarParser::member(std::string_view t, std::uint64_t size)
{
    if (size > largeAbove_)
        largeMember(t, size);
    ++counts_.entries;
    counts_.bytes = saturatingAdd(counts_.bytes, size);
    pending_ = t.data();
    pendingSize_ = t.size();
    pendingBytes_ = size;
}

void TarParser::largeMember(std::string_view t, std::uint64_t size)
{
    if (large_.size() < kMaxLargeMembers && t[0] == '-')
        large_.emplace_back(tarUnquote(tarName(t)), size);
}

void TarParser::slowLine(std::string_view t)
{
    if (startsWith(t, "tar: ") && !contains(t, "Removing leading"))
        addError(t);
}

void TarParser::chunkEnd()
{
    if (!pending_)
        return;
    setCurrent(tarName(std::string_view(pending_, pendingSize_)));
    counts_.currentSize = pendingBytes_;
    pending_ = nullptr;
}

void TarParser::openLine(std::string_view, std::uint64_t)
{
    chunkEnd();
}

void TarParser::endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped)
{
    chunkEnd();
    if (hasUnterminated)
        line(unterminated, dropped);
    chunkEnd();
}

std::string TarParser::displayName() const
{
    if (pending_)
        return tarUnquote(tarName(std::string_view(pending_, pendingSize_)));
    return tarUnquote(counts_.current);
}

// --- zip ---------------------------------------------------------------------

namespace {

// "adding: " and its kin, after leading blanks; returns the rest, or nothing.
std::optional<std::string_view> zipMemberRest(std::string_view t)
{
    static const std::array<std::string_view, 3> keywords = {"adding: ", "updating: ", "freshening: "};
    const std::string_view s = t.substr(std::min(t.size(), skipSpaces(t, 0)));
    for (const auto kw : keywords)
        if (startsWith(s, kw))
            return s.substr(kw.size());
    return std::nullopt;
}

// The name without the " ...." that zip writes after it while reading a big
// member, and without the blank that it writes before those dots.
std::string_view zipName(std::string_view name, std::uint64_t* dots)
{
    std::size_t k = 0;
    while (k < name.size() && name[name.size() - 1 - k] == '.')
        ++k;
    if (k > 0 && k < name.size() && name[name.size() - 1 - k] == ' ') {
        if (dots)
            *dots = k;
        name = name.substr(0, name.size() - k);
    }
    if (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

} // namespace

void ZipParser::line(std::string_view t, std::uint64_t dropped)
{
    if (const auto rest = zipMemberRest(t)) {
        const auto in = rest->rfind("\t(in=");
        counts_.openBytes = 0;
        if (in == std::string_view::npos) {
            // "adding: NAME" and no result: zip gave up on it (a warning
            // follows on a line of its own).
            setCurrent(zipName(*rest, nullptr));
            return;
        }
        std::uint64_t dots = 0;
        const std::string_view name = zipName(rest->substr(0, in), &dots);
        (void)dropped;
        std::uint64_t size = leadingNumber(rest->substr(in + 5)).value_or(0);
        if (probe_ && !name.empty() && name.back() != '/') {
            // zip -y stores a symbolic link as a link (in= is the length of
            // its target's name); the total counted the file it leads to.
            if (const auto target = probe_->symlinkTargetSize(onDisk(name)))
                size = *target;
        }
        ++counts_.entries;
        counts_.bytes = saturatingAdd(counts_.bytes, size);
        setCurrent(name);
        return;
    }
    if (contains(t, "zip warning:") || contains(t, "zip error:") || contains(t, "zip I/O error:")) {
        addError(t);
        return;
    }
    if (startsWith(t, "total bytes="))
        counts_.endMarker = true;
}

void ZipParser::openLine(std::string_view t, std::uint64_t dropped)
{
    const auto rest = zipMemberRest(t);
    if (!rest || rest->rfind("\t(in=") != std::string_view::npos)
        return;
    std::uint64_t dots = 0;
    setCurrent(zipName(*rest, &dots));
    // Dropped bytes of an open zip line are dots (one per 10 MiB).
    counts_.openBytes = (dots + dropped) * kZipDotBytes;
}

// --- unzip -------------------------------------------------------------------

namespace {

const std::array<std::string_view, 9> kUnzipKeywords = {"creating:",  "inflating:",   "extracting:",
                                                        "linking:",   "exploding:",   "unshrinking:",
                                                        "unreducing:", "expanding:",  "unimploding:"};

// Where the next member record starts inside text (" KEYWORD: " glued to a
// record that unzip did not finish), with its keyword.
std::size_t findGlued(std::string_view text, std::string_view& keyword)
{
    std::size_t best = std::string_view::npos;
    for (const auto kw : kUnzipKeywords) {
        std::size_t from = 0;
        while (true) {
            const auto p = text.find(kw, from);
            if (p == std::string_view::npos)
                break;
            if (p > 0 && text[p - 1] == ' ' && p + kw.size() < text.size() && text[p + kw.size()] == ' ') {
                if (p < best) {
                    best = p;
                    keyword = kw;
                }
                break;
            }
            from = p + 1;
        }
    }
    return best;
}

std::optional<std::string_view> unzipKeyword(std::string_view s)
{
    for (const auto kw : kUnzipKeywords)
        if (startsWith(s, kw) && s.size() > kw.size() && s[kw.size()] == ' ')
            return kw;
    return std::nullopt;
}

bool isUnzipError(std::string_view s)
{
    static const std::array<std::string_view, 10> starts = {
        "error",    "warning", "caution", "unzip:", "fatal",
        "file #",   "End-of-central-directory", "skipping:", "zipfile", "checkdir"};
    for (const auto p : starts)
        if (startsWith(s, p))
            return true;
    return contains(s, "bad CRC") || contains(s, "incorrect password") || contains(s, " error:")
        || contains(s, "write error");
}

} // namespace

void UnzipParser::member(std::string_view keyword, std::string_view name)
{
    name = trimRightBlanks(name);
    if (keyword == "linking:") {
        const auto arrow = name.find(" -> ");
        if (arrow != std::string_view::npos)
            name = trimRightBlanks(name.substr(0, arrow));
    }
    ++counts_.entries;
    setCurrent(name);
    if (keyword != "linking:" && keyword != "creating:")
        countWritten(name);
    // unzip lists no folder that exists already. Estimate those: parent
    // folders of listed files that no "creating:" line named.
    if (keyword == "creating:") {
        const std::uint64_t h = fnv1a(name);
        if (created_.size() < kMaxTrackedDirs && created_.insert(h).second && parents_.count(h)
            && counts_.impliedEntries > 0)
            --counts_.impliedEntries;
        return;
    }
    const auto slash = name.rfind('/');
    if (slash == std::string_view::npos)
        return;
    const std::uint64_t h = fnv1a(name.substr(0, slash + 1));
    if (parents_.size() < kMaxTrackedDirs && parents_.insert(h).second && !created_.count(h))
        ++counts_.impliedEntries;
}

void UnzipParser::line(std::string_view t, std::uint64_t)
{
    openFile_.clear();
    if (deferredLinks_ && startsWith(t, "  "))
        return;   // "  NAME -> TARGET" under "finishing deferred symbolic links:"
    deferredLinks_ = false;
    const std::string_view s = t.substr(std::min(t.size(), skipSpaces(t, 0)));
    if (s.empty())
        return;
    if (startsWith(s, "Archive:")) {
        setCurrent(trimBlanks(s.substr(8)));
        return;
    }
    if (startsWith(s, "finishing deferred symbolic links:")) {
        deferredLinks_ = true;
        return;
    }
    if (const auto kw = unzipKeyword(s)) {
        std::string_view keyword = *kw;
        std::string_view rest = s.substr(keyword.size() + 1);
        while (true) {
            std::string_view next;
            const auto g = findGlued(rest, next);
            if (g == std::string_view::npos)
                break;
            // The record before was never finished: unzip wrote a message
            // about it on its error output instead, which comes on its own.
            member(keyword, trimRightBlanks(rest.substr(0, g)));
            keyword = next;
            rest = rest.substr(g + next.size() + 1);
        }
        member(keyword, rest);
        return;
    }
    if (isUnzipError(s))
        addError(s);
}

void UnzipParser::openLine(std::string_view t, std::uint64_t)
{
    const std::string_view s = t.substr(std::min(t.size(), skipSpaces(t, 0)));
    if (const auto kw = unzipKeyword(s)) {
        std::string_view rest = s.substr(kw->size() + 1);
        std::string_view next;
        std::size_t g;
        while ((g = findGlued(rest, next)) != std::string_view::npos)
            rest = rest.substr(g + next.size() + 1);
        rest = trimRightBlanks(rest);
        if (*kw == "linking:") {
            const auto arrow = rest.find(" -> ");
            if (arrow != std::string_view::npos)
                rest = trimRightBlanks(rest.substr(0, arrow));
        }
        setCurrent(rest);
        if (countWritten_ && *kw != "linking:" && *kw != "creating:")
            openFile_ = onDisk(rest);
    }
}

void UnzipParser::endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped)
{
    if (!hasUnterminated)
        return;
    const std::string_view s = unterminated.substr(std::min(unterminated.size(), skipSpaces(unterminated, 0)));
    const auto before = counts_.entries;
    line(unterminated, dropped);
    if (unzipKeyword(s) && counts_.entries > before)
        addError(std::string("unzip did not finish ") + counts_.current);
}

// --- unrar -------------------------------------------------------------------

namespace {

// "%3d%%" at the start of s, or -1.
int leadingPercent(std::string_view s)
{
    if (s.size() < 4 || s[3] != '%')
        return -1;
    int value = -1;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            value = (value < 0 ? 0 : value * 10) + (c - '0');
        else if (c != ' ' || value >= 0)
            return -1;
    }
    return value <= 100 ? value : -1;
}

} // namespace

int eraseBackspaces(std::string_view raw, std::string& visible, std::size_t limit)
{
    visible.clear();
    std::size_t unkept = 0;   // written beyond the limit: taken back first
    int percent = -1;
    std::size_t at = 0;
    while (true) {
        const std::size_t bs = raw.find('\b', at);
        const std::string_view stretch = raw.substr(at, bs == std::string_view::npos ? bs : bs - at);
        percent = std::max(percent, leadingPercent(stretch));
        const std::size_t room = unkept == 0 && visible.size() < limit ? limit - visible.size() : 0;
        visible.append(stretch.data(), std::min(room, stretch.size()));
        unkept += stretch.size() - std::min(room, stretch.size());
        if (bs == std::string_view::npos)
            return percent;
        at = bs;
        while (at < raw.size() && raw[at] == '\b')
            ++at;
        std::size_t back = at - bs;
        const std::size_t fromUnkept = std::min(back, unkept);
        unkept -= fromUnkept;
        back -= fromUnkept;
        visible.resize(visible.size() - std::min(back, visible.size()));
    }
}

void UnrarParser::line(std::string_view t, std::uint64_t)
{
    message(t, true);
}

void UnrarParser::openLine(std::string_view t, std::uint64_t)
{
    message(t, false);
}

void UnrarParser::message(std::string_view raw, bool complete)
{
    // The highest "NNN%" written: its position in the whole archive.
    counts_.percent = std::max(counts_.percent, eraseBackspaces(raw, visible_, kMaxNameBytes + 64));
    const std::string_view v = trimBlanks(visible_);
    if (v.empty())
        return;
    if (startsWith(v, "Extracting from ")) {
        setCurrent(trimBlanks(v.substr(16)));
        return;
    }
    static const std::array<std::string_view, 3> kinds = {"Extracting ", "Creating ", "Skipping "};
    for (const auto kind : kinds) {
        if (!startsWith(v, kind))
            continue;
        std::string_view name = trimBlanks(v.substr(kind.size()));
        if (endsWith(name, " OK"))
            name = trimRightBlanks(name.substr(0, name.size() - 3));
        // An update still showing (the member is being unpacked): " 47%".
        if (endsWith(name, "%")) {
            std::size_t k = name.size() - 1;
            while (k > 0 && name.size() - 1 - k < 3 && name[k - 1] >= '0' && name[k - 1] <= '9')
                --k;
            if (k < name.size() - 1 && k > 0 && name[k - 1] == ' ')
                name = trimRightBlanks(name.substr(0, k));
        }
        setCurrent(name);
        if (complete)
            ++counts_.entries;
        return;
    }
    if (!complete)
        return;
    if (v == "All OK") {
        counts_.endMarker = true;
        return;
    }
    if (startsWith(v, "Total errors:")) {
        counts_.endMarker = true;
        const std::uint64_t n = leadingNumber(trimBlanks(v.substr(13))).value_or(1);
        const std::uint64_t listed = counts_.errors;
        addError(v, 0);
        counts_.errors = std::max<std::uint64_t>({listed, n, std::uint64_t{1}});
        return;
    }
    static const std::array<std::string_view, 16> errors = {
        "CRC failed",       "Checksum error",     "checksum error",  "ERROR",
        "Cannot ",          "cannot ",            "password is incorrect", "Incorrect password",
        "is not RAR archive", "Corrupt",          "Unexpected end of archive", "No files to extract",
        "Write error",      "Data error",         "error",           "Error"};
    for (const auto e : errors) {
        if (contains(v, e)) {
            addError(v);
            return;
        }
    }
}

// --- 7z ----------------------------------------------------------------------

void SevenZipParser::line(std::string_view t, std::uint64_t)
{
    counts_.percent = std::max(counts_.percent, eraseBackspaces(t, visible_, kMaxNameBytes + 64));
    const std::string_view v = visible_;
    if (v.size() > 2 && v[1] == ' ' && (v[0] == '+' || v[0] == '-' || v[0] == 'T')) {
        // "T": after a data error in a solid block 7-Zip only tests the
        // members that follow; nothing of them is written.
        if (v[0] != 'T')
            ++counts_.entries;
        setCurrent(v.substr(2));
    } else if (trimBlanks(v) == "Everything is Ok") {
        counts_.endMarker = true;   // on the line of the last updates when unpacking
    } else if (startsWith(v, "ERROR:")) {
        addError(v);   // its error output merged by hand
    }
}

void SevenZipParser::openLine(std::string_view t, std::uint64_t)
{
    // A big member: the updates go on while its line stays open.
    counts_.percent = std::max(counts_.percent, eraseBackspaces(t, visible_, kMaxNameBytes + 64));
}

// --- bsdtar ------------------------------------------------------------------

namespace {

constexpr std::string_view kPrompt = "Enter passphrase:";
constexpr std::string_view kDelayed = "bsdtar: Error exit delayed from previous errors.";

bool containsNoCase(std::string_view s, std::string_view lower)
{
    const auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(s.begin(), s.end(), lower.begin(), lower.end(),
                       [&low](char a, char b) { return low(a) == b; })
        != s.end();
}

bool tellsEncrypted(std::string_view message)
{
    return containsNoCase(message, "encrypt") || containsNoCase(message, "decrypt")
        || containsNoCase(message, "passphrase") || containsNoCase(message, "password")
        // libarchive 3.6.2 does not look at rar's encryption flags: a member
        // stored encrypted comes out as its cipher text, and the AES padding
        // beyond its size is all that shows.
        || startsWith(message, "Too much data");
}

// bsdtar ends its messages with the text of the system's error number
// ("Unknown error -1" when there was none). In the C locale only: in
// another one the message waits for the run's closing complaint.
bool endsLikeMessage(std::string_view message)
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        for (int e = 1; e < 134; ++e)
            t.emplace_back(std::strerror(e));
        return t;
    }();
    const auto colon = message.rfind(": ");
    const std::string_view last = colon == std::string_view::npos ? message : message.substr(colon + 2);
    return last == "Success" || startsWith(last, "Unknown error")
        || std::find(texts.begin(), texts.end(), last) != texts.end();
}

// Where a message glued to a member's name begins: at the first ": " before
// a capital letter (bsdtar's messages begin with one), else at the first.
std::size_t gluedAt(std::string_view rest)
{
    const std::size_t first = rest.find(": ");
    for (std::size_t at = first; at != std::string_view::npos; at = rest.find(": ", at + 1))
        if (at + 2 < rest.size() && rest[at + 2] >= 'A' && rest[at + 2] <= 'Z')
            return at;
    return first;
}

} // namespace

void BsdtarParser::line(std::string_view t, std::uint64_t)
{
    openFile_.clear();
    if (startsWith(t, "x ")) {
        const std::string_view rest = t.substr(2);
        const auto prompt = rest.find(kPrompt);
        if (prompt != std::string_view::npos) {
            // libarchive asked for a passphrase, with no one to answer, until
            // it gave up; its message follows the last prompt.
            std::string_view message = rest.substr(rest.rfind(kPrompt) + kPrompt.size());
            if (startsWith(message, ": "))
                message.remove_prefix(2);
            const std::string_view name = rest.substr(0, prompt);
            ++counts_.entries;
            setCurrent(name);
            failed(std::string(name) + ": " + std::string(message.empty() ? "passphrase asked for" : message), name,
                   true, true);
            return;
        }
        ++counts_.entries;
        // Folders end in "/", messages never do.
        const std::size_t at = rest.empty() || rest.back() == '/' ? std::string_view::npos : gluedAt(rest);
        if (at == std::string_view::npos) {
            setCurrent(rest);
            if (countWritten_)
                countWritten(tarUnquote(rest));
            return;
        }
        const std::string_view name = rest.substr(0, at);
        const std::string_view message = rest.substr(at + 2);
        const bool encrypted = tellsEncrypted(message);
        const bool certain = encrypted || endsLikeMessage(message);
        setCurrent(certain ? name : rest);   // a doubtful one is most likely all name
        failed(rest, name, encrypted, certain);
        return;
    }
    if (t == kDelayed) {
        // Not an error of its own, but it tells that the doubtful ones were.
        if (counts_.errors == 0 && doubtfulCount_ > 0)
            addError(doubtful_, doubtfulCount_);
        doubtfulCount_ = 0;
        return;
    }
    if (startsWith(t, "bsdtar: "))
        failed(t, std::string_view(), tellsEncrypted(t), true);   // no member: it may be about the next one
}

void BsdtarParser::failed(std::string_view words, std::string_view name, bool encrypted, bool certain)
{
    if (!certain) {
        if (doubtfulCount_++ == 0)
            doubtful_.assign(words.substr(0, kMaxErrorBytes));
        return;
    }
    addError(words);
    if (encrypted && !toldEncrypted_) {
        // In tally's words, ahead of any other: what to do about it.
        toldEncrypted_ = true;
        counts_.firstError = name.empty() ? std::string("encrypted archive")
                                          : tarUnquote(name.substr(0, kMaxErrorBytes - 64)) + ": encrypted";
        counts_.firstError += ", needs unrar (RARLAB's unrar unpacks it)";
        if (sink_)
            sink_->lead(counts_.firstError);
    }
}

void BsdtarParser::openLine(std::string_view t, std::uint64_t)
{
    // bsdtar writes "x NAME" before it unpacks the member, the end of the
    // line after.
    if (startsWith(t, "x ")) {
        const std::string_view rest = t.substr(2);
        setCurrent(rest.substr(0, rest.find(kPrompt)));
        if (countWritten_ && !rest.empty() && rest.back() != '/')
            openFile_ = onDisk(tarUnquote(counts_.current));
    }
}

std::string BsdtarParser::displayName() const
{
    return tarUnquote(counts_.current);
}

bool countsBounded(const Counts& c)
{
    return c.current.size() <= kMaxNameBytes && c.firstError.size() <= kMaxErrorBytes + 64
        && (c.percent >= -1 && c.percent <= 100);
}

// --- factory -----------------------------------------------------------------

std::unique_ptr<Parser> makeParser(Kind kind, Operation op)
{
    switch (kind) {
    case Kind::Tar: return std::make_unique<TarParser>(op);
    case Kind::Zip: return std::make_unique<ZipParser>();
    case Kind::Unzip: return std::make_unique<UnzipParser>();
    case Kind::Unrar: return std::make_unique<UnrarParser>();
    case Kind::SevenZip: return std::make_unique<SevenZipParser>();
    case Kind::Bsdtar: return std::make_unique<BsdtarParser>();
    }
    return std::make_unique<TarParser>(op);
}

} // namespace tally
