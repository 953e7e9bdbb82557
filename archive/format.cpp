#include "format.h"

namespace arkive {

namespace {

constexpr Tool Tar{"tar", "tar"};
constexpr Tool Gzip{"gzip", "gzip"};
constexpr Tool Bzip2{"bzip2", "bzip2"};
constexpr Tool Xz{"xz", "xz-utils"};
constexpr Tool Lzma{"lzma", "xz-utils"};
constexpr Tool Lzip{"lzip", "lzip"};
constexpr Tool Lzop{"lzop", "lzop"};
constexpr Tool Zstd{"zstd", "zstd"};
constexpr Tool Zip{"zip", "zip"};
constexpr Tool Unzip{"unzip", "unzip"};
constexpr Tool SevenZip{"7zz", "7zip"};
constexpr Tool Unrar{"unrar", "unrar"};
constexpr Tool Bsdtar{"bsdtar", "libarchive-tools"};
constexpr Tool Pigz{"pigz", "pigz"};
constexpr Tool Lbzip2{"lbzip2", "lbzip2"};
constexpr Tool Pbzip2{"pbzip2", "pbzip2"};
constexpr Tool Plzip{"plzip", "plzip"};

constexpr Capabilities Plain{};
constexpr Capabilities ZipCaps{true, true, true};

Format tarRow(const char* name, std::vector<Ending> endings, std::vector<const char*> mime, const char* compressor,
              bool packs, const Tool& tool, std::vector<ParallelTool> parallel = {})
{
    const bool plain = compressor == nullptr;
    return {name, Family::Tar, std::move(endings), std::move(mime), compressor, packs, Plain,
            plain ? std::vector<Tool>{Tar} : std::vector<Tool>{Tar, tool},
            plain ? std::vector<Tool>{Tar} : std::vector<Tool>{tool, Tar}, {}, std::move(parallel)};
}

std::vector<Format> makeTable()
{
    std::vector<Format> table;
    table.push_back(tarRow("tar.gz",
                           {{".tar.gz", true}, {".tgz", false}, {".mtf", true}, {".pkg", true}, {".mpkg", true}},
                           {"application/x-compressed-tar"}, "gzip", true, Gzip,
                           {{Pigz, {"pigz"}, {"pigz", "-d"}}}));
    table.push_back({"zip", Family::Zip, {{".zip", true}}, {"application/zip"}, nullptr, true, ZipCaps, {Zip},
                     {Unzip}, {SevenZip}, {}});
    table.push_back({"7z", Family::SevenZip, {{".7z", true}, {".7z.001", false}}, {"application/x-7z-compressed"},
                     nullptr, true, ZipCaps, {SevenZip}, {SevenZip}, {}, {}});
    // xz 5.4 and zstd have threads of their own; zstd unpacks on one core.
    table.push_back(tarRow("tar.xz", {{".tar.xz", true}, {".txz", false}}, {"application/x-xz-compressed-tar"}, "xz",
                           true, Xz, {{Xz, {"xz", "-T0"}, {"xz", "-T0", "-d"}}}));
    table.push_back(tarRow("tar.zst", {{".tar.zst", true}, {".tzst", false}, {".tar.zstd", false}},
                           {"application/x-zstd-compressed-tar"}, "zstd", true, Zstd, {{Zstd, {"zstd", "-T0"}, {}}}));
    table.push_back(tarRow("tar", {{".tar", true}}, {"application/x-tar"}, nullptr, true, Tar));
    table.push_back(tarRow("tar.bz2", {{".tar.bz2", true}, {".tbz2", false}, {".tbz", false}, {".tb2", false}},
                           {"application/x-bzip-compressed-tar", "application/x-bzip2-compressed-tar"}, "bzip2", true,
                           Bzip2, {{Lbzip2, {"lbzip2"}, {"lbzip2", "-d"}}, {Pbzip2, {"pbzip2"}, {"pbzip2", "-d"}}}));
    table.push_back(tarRow("tar.lz", {{".tar.lz", true}, {".tlz", false}}, {"application/x-lzip-compressed-tar"},
                           "lzip", true, Lzip, {{Plzip, {"plzip"}, {"plzip", "-d"}}}));
    table.push_back(tarRow("tar.lzo", {{".tar.lzo", true}, {".tlzo", false}, {".tzo", false}}, {"application/x-tzo"},
                           "lzop", true, Lzop));
    table.push_back(tarRow("tar.lzma", {{".tar.lzma", true}, {".tlzma", false}},
                           {"application/x-lzma-compressed-tar"}, "lzma", true, Lzma));
    // gzip reads compress's LZW; nobody should still make these.
    table.push_back(tarRow("tar.Z", {{".tar.Z", false}, {".taz", false}}, {"application/x-tarz"}, "gzip", false,
                           Gzip));
    table.push_back({"rar", Family::Rar, {{".rar", false}}, {"application/vnd.rar", "application/x-rar"}, nullptr,
                     false, Plain, {}, {Unrar}, {Bsdtar}, {}});
    return table;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameText(std::string_view a, std::string_view b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ignoreCase ? lower(a[i]) != lower(b[i]) : a[i] != b[i])
            return false;
    return true;
}

// ".tlz" names lzip's tars here and lzma's in shared-mime-info: lzip
// streams begin with "LZIP", anything else is taken for lzma.
const Format* settledByContent(const Format* format, std::string_view ending, std::string_view head)
{
    if (ending != "tlz" || head.empty() || head.substr(0, 4) == "LZIP")
        return format;
    return formatByEnding(".tar.lzma");
}

} // namespace

const char* listingName(Listing listing)
{
    switch (listing) {
    case Listing::Tar: return "tar";
    case Listing::Zip: return "zip";
    case Listing::Unzip: return "unzip";
    case Listing::Unrar: return "unrar";
    case Listing::SevenZip: return "7z";
    case Listing::Bsdtar: return "bsdtar";
    }
    return "tar";
}

bool listingFromName(std::string_view name, Listing& listing)
{
    for (int i = 0; i < kListingCount; ++i) {
        const Listing l = Listing(i);
        if (name == listingName(l)) {
            listing = l;
            return true;
        }
    }
    return false;
}

const std::vector<Format>& formats()
{
    static const std::vector<Format> table = makeTable();
    return table;
}

// The tally window shows a notice's meaning in the user's language.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

const std::vector<ToolWords>& toolWords()
{
    static const char* const relative = QT_TRANSLATE_NOOP("TallyWindow", "names were made relative to the folder");
    static const char* const trailing = QT_TRANSLATE_NOOP("TallyWindow", "bytes after the archive's end were left alone");
    static const std::vector<ToolWords> table{
        {"tar",
         {},
         {{"Removing leading `", relative},
          {"Ignoring unknown extended header keyword",
           QT_TRANSLATE_NOOP("TallyWindow", "extended attributes or access lists were not restored")},
          {"implausibly old time stamp", nullptr},
          {"in the future", nullptr},
          {"A lone zero block at", nullptr},
          {"Substituting `.' for empty member name", nullptr},
          {"extracted as normal file", nullptr}},
         {"Error is not recoverable: exiting now", "Child returned status"},
         {}},
        {"bzip2", {}, {{"trailing garbage after EOF ignored", trailing}}, {}, {}},
        // Said after its own message by each of its threads that quits.
        {"pbzip2", {}, {}, {"Terminator thread: premature exit requested"}, {}},
        {"gzip", {2}, {{"trailing garbage ignored", trailing}, {"trailing zero bytes ignored", trailing}}, {}, {}},
        {"xz", {2}, {}, {}, {}},
        {"lzop", {2}, {{"ignoring trailing garbage", trailing}}, {}, {}},
        {"unzip",
         {1},
         {{"extra bytes at beginning or within zipfile",
           QT_TRANSLATE_NOOP("TallyWindow", "bytes before the archive (a self-extracting program) were skipped")},
          {"appears to use backslashes as path separators",
           QT_TRANSLATE_NOOP("TallyWindow", "backslashes in names were taken as folder separators")},
          {"deferred symlink", nullptr},
          {"Unicode Path checksum invalid",
           QT_TRANSLATE_NOOP("TallyWindow", "a damaged Unicode name was left for the name beside it")}},
         {},
         {"incorrect password"}},
        {"7zz", {1}, {}, {}, {"Wrong password?"}},
        {"unrar", {1}, {}, {}, {}},
    };
    return table;
}

bool isWarningStatus(std::string_view program, int status)
{
    for (const ToolWords& tool : toolWords())
        if (program == tool.program)
            for (const int warning : tool.warningStatuses)
                if (status == warning)
                    return true;
    return false;
}

const Notice* noticeIn(std::string_view line)
{
    for (const ToolWords& tool : toolWords())
        for (const Notice& notice : tool.notices)
            if (line.find(notice.words) != std::string_view::npos)
                return &notice;
    return nullptr;
}

namespace {

bool holdsAny(std::string_view line, std::vector<const char*> ToolWords::*words)
{
    for (const ToolWords& tool : toolWords())
        for (const char* w : tool.*words)
            if (line.find(w) != std::string_view::npos)
                return true;
    return false;
}

} // namespace

bool isFollowUp(std::string_view line)
{
    return holdsAny(line, &ToolWords::followUps);
}

bool tellsWrongPassword(std::string_view line)
{
    return holdsAny(line, &ToolWords::wrongPassword);
}

bool endsWithEnding(std::string_view name, std::string_view ending, bool ignoreCase)
{
    return name.size() >= ending.size() && sameText(name.substr(name.size() - ending.size()), ending, ignoreCase);
}

const Format* formatByEnding(std::string_view ending)
{
    if (!ending.empty() && ending.front() == '.')
        ending.remove_prefix(1);
    for (const Format& format : formats())
        for (const Ending& e : format.endings)
            if (sameText(e.text + 1, ending, true))
                return &format;
    return nullptr;
}

namespace {

std::string_view fileNameOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The format whose ending the complete extension of the name ends with,
// the longest ending winning; `ending` gets it, without its dot.
const Format* formatByName(std::string_view name, std::string_view& ending)
{
    ending = {};
    const auto dot = name.find('.');
    if (dot == std::string_view::npos)
        return nullptr;
    const std::string_view extension = name.substr(dot + 1);
    const Format* best = nullptr;
    for (const Format& format : formats()) {
        for (const Ending& e : format.endings) {
            const std::string_view pattern = e.text + 1;   // without its dot
            if (pattern.size() > ending.size() && endsWithEnding(extension, pattern, true)) {
                best = &format;
                ending = pattern;
            }
        }
    }
    return best;
}

} // namespace

const Format* formatOfArchive(std::string_view path, std::string_view head)
{
    std::string_view ending;
    const Format* best = formatByName(fileNameOf(path), ending);
    return settledByContent(best, ending, head);
}

std::string_view archiveStem(std::string_view path)
{
    const std::string_view name = fileNameOf(path);
    std::string_view ending;
    if (!formatByName(name, ending))
        return name;
    return name.substr(0, name.size() - ending.size() - 1);   // the ending's dot too
}

} // namespace arkive
