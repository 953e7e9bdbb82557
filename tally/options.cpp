#include "options.h"

#include "textutil.h"

namespace tally {

std::optional<Kind> kindFromName(std::string_view name)
{
    Kind kind;
    return arkive::listingFromName(name, kind) ? std::optional<Kind>(kind) : std::nullopt;
}

const char* kindName(Kind kind)
{
    return arkive::listingName(kind);
}

Operation operationOf(const Options& options)
{
    if (options.operation)
        return *options.operation;
    switch (options.kind) {
    case Kind::Tar: return options.total || !options.partial.empty() ? Operation::Packing : Operation::Unpacking;
    case Kind::Zip: return Operation::Packing;
    case Kind::Unzip:
    case Kind::Unrar:
    case Kind::SevenZip:
    case Kind::Bsdtar: return Operation::Unpacking;
    }
    return Operation::Unpacking;
}

namespace {

bool isOption(std::string_view word)
{
    return word.size() >= 2 && word[0] == '-';
}

void takeKind(Options& o, std::string_view value)
{
    if (const auto k = kindFromName(value)) {
        o.kind = *k;
        o.kindGiven = true;
    } else {
        o.ignored.emplace_back(value);
    }
}

// zipinfo may write a warning before its summary: the number leads the
// last line that is not empty.
void takeTotal(Options& o, std::string_view value)
{
    while (!value.empty() && value.back() == '\n')
        value.remove_suffix(1);
    const auto nl = value.rfind('\n');
    if (const auto n = leadingNumber(nl == std::string_view::npos ? value : value.substr(nl + 1)))
        o.total = *n;
}

// "--name=value": the value when word is that option.
std::optional<std::string_view> valueOf(std::string_view word, std::string_view name)
{
    if (startsWith(word, name) && word.size() > name.size() && word[name.size()] == '=')
        return word.substr(name.size() + 1);
    return std::nullopt;
}

} // namespace

Options parseOptions(const std::vector<std::string_view>& args)
{
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view w = args[i];
        const bool hasNext = i + 1 < args.size();
        const std::string_view next = hasNext ? args[i + 1] : std::string_view();
        if (w == "-t") {
            // Only a word that is no option is taken as the kind.
            if (hasNext && !isOption(next)) {
                takeKind(o, next);
                ++i;
            }
        } else if (w == "-T") {
            // The count, however it came out (empty, or zipinfo's complaint),
            // is one word; only an option right after -T is left for the
            // next round.
            if (hasNext && !isOption(next)) {
                takeTotal(o, next);
                ++i;
            }
        } else if (const auto v = valueOf(w, "--type")) {
            takeKind(o, *v);
        } else if (const auto v = valueOf(w, "--total")) {
            takeTotal(o, *v);
        } else if (const auto v = valueOf(w, "--bytes")) {
            if (const auto n = leadingNumber(*v))
                o.bytes = *n;
            else
                o.ignored.emplace_back(w);
        } else if (const auto v = valueOf(w, "--base")) {
            o.base = *v;
        } else if (const auto v = valueOf(w, "--archive")) {
            o.archive = *v;
        } else if (const auto v = valueOf(w, "--folder")) {
            o.folder = *v;
        } else if (const auto v = valueOf(w, "--partial")) {
            o.partial = *v;
        } else if (const auto v = valueOf(w, "--staging")) {
            o.staging = *v;
        } else if (const auto v = valueOf(w, "--own-folder")) {
            o.ownFolder = *v;
        } else if (const auto v = valueOf(w, "--scratch")) {
            o.scratch = *v;
        } else if (const auto v = valueOf(w, "--record")) {
            o.record = *v;
        } else if (const auto v = valueOf(w, "--stages")) {
            if (const auto n = leadingNumber(*v); n && *n < 100)
                o.stages = static_cast<unsigned>(*n);
            else
                o.ignored.emplace_back(w);
        } else if (w == "--pack") {
            o.operation = Operation::Packing;
        } else if (w == "--unpack") {
            o.operation = Operation::Unpacking;
        } else if (w == "--keep") {
            o.keep = true;
        } else if (w == "--relay") {
            o.relay = true;
        } else if (w == "--pass") {
            o.pass = true;
        } else if (w.size() > 2 && startsWith(w, "-t")) {
            takeKind(o, w.substr(2));
        } else if (w.size() > 2 && startsWith(w, "-T")) {
            takeTotal(o, w.substr(2));
        } else if (w == "--text") {
            o.forceText = true;
        } else if (w == "-h" || w == "--help") {
            o.help = true;
        } else {
            o.ignored.emplace_back(w);
        }
    }
    return o;
}

Options parseOptions(int argc, const char* const* argv)
{
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    return parseOptions(args);
}

std::string usageText()
{
    return "Usage: ARCHIVER ... | tally -t tar|zip|unzip|unrar|7z|bsdtar [-T TOTAL] [OPTION...]\n"
           "Shows how far the archiver whose verbose listing comes on standard input has got,\n"
           "and how it ended.\n"
           "  -t KIND          the listing: tar (-vv), zip (-v), unzip, unrar, 7z (7zz a or x with\n"
           "                   -bb1 -bsp1), bsdtar (-xv with its error output merged)\n"
           "  --pack, --unpack what the archiver does; without them: tar packs with -T or\n"
           "                   --partial, zip packs, the others unpack\n"
           "  -T TOTAL         bytes to pack (tar, zip) or entries to unpack (unzip): the number\n"
           "                   that leads the last line of the word; 7z tells its own progress\n"
           "  --bytes=N        the bytes the line moves, which the progress is measured by: what\n"
           "                   tally --pass counts, or else what unzip and bsdtar write, or else\n"
           "                   what tar wrote of the partial archive or read of the archive\n"
           "  --base=PATH      packing: the folder the listed names are relative to\n"
           "  --archive=PATH   the archive made or read, to name the job\n"
           "  --folder=PATH    the folder it is unpacked into\n"
           "  --partial=PATH   packing: the file put at the archive's path when all went well\n"
           "                   (or its volumes PATH.001 ...)\n"
           "  --staging=PATH   unpacking: the folder whose contents are moved into the folder\n"
           "  --own-folder=NAME unpacking: more than one entry at the top goes into the\n"
           "                   folder NAME in the folder (\"NAME (2)\" where a file has the name)\n"
           "  --keep           files that exist in the folder are kept, not replaced\n"
           "  --scratch=PATH   a folder of the line's own, removed with what it holds at the end\n"
           "  --record=PATH    the job's record, removed once the result is in place\n"
           "  --stages=N       how many programs of the line report their exit status\n"
           "  --relay          hand the error output on standard input on as records\n"
           "  --pass           pass standard input on to standard output, telling how many\n"
           "                   bytes have passed on descriptor 3\n"
           "  --text           report on standard error even when a display is available\n"
           "On SIGTERM, SIGHUP (and SIGINT unless it came ignored) the job is stopped and\n"
           "nothing of it is placed.\n"
           "Exit status: 0 done, 4 done with warnings, 1 errors reported, 2 ended early,\n"
           "3 stopped (by the user or a signal).\n";
}

namespace {

bool isSet(const char* v)
{
    return v != nullptr && *v != '\0';
}

std::string_view firstPlatform(std::string_view list)
{
    const auto semi = list.find(';');
    return semi == std::string_view::npos ? list : list.substr(0, semi);
}

} // namespace

bool isHeadlessPlatform(std::string_view name)
{
    const auto colon = name.find(':');
    const std::string_view base = colon == std::string_view::npos ? name : name.substr(0, colon);
    return base == "offscreen" || base == "minimal";
}

Face chooseFace(bool forceText, const char* qpaPlatform, const char* display, const char* waylandDisplay)
{
    if (forceText)
        return Face::Text;
    if (isSet(qpaPlatform))
        return isHeadlessPlatform(firstPlatform(qpaPlatform)) ? Face::Text : Face::Window;
    return isSet(display) || isSet(waylandDisplay) ? Face::Window : Face::Text;
}

std::string platformWithFallback(const char* qpaPlatform, const char* waylandDisplay)
{
    std::string list;
    if (isSet(qpaPlatform))
        list = qpaPlatform;
    else if (isSet(waylandDisplay))
        list = "wayland;xcb";
    else
        list = "xcb";
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::string_view one = firstPlatform(rest);
        if (isHeadlessPlatform(one))
            return list;
        rest.remove_prefix(std::min(rest.size(), one.size() + 1));
    }
    return list + ";offscreen";
}

} // namespace tally
