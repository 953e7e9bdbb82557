#include "cardnames.h"

#include "textutil.h"

namespace tally {

CardRules rulesFrom(const ProbeFacts& facts)
{
    CardRules rules;
    rules.foldsCase = facts.variantIsSame;
    rules.refusesMarks = facts.markRefused;
    rules.dropsTrailing = facts.dotDropped || facts.dotRefused;
    if (facts.limitGiven)
        rules.fileLimit = facts.limitGiven;
    else if (facts.fileSizeBits > 0 && facts.fileSizeBits < 64)
        rules.fileLimit = (std::uint64_t(1) << facts.fileSizeBits) - 1;
    return rules;
}

std::string foldedPath(std::string_view path)
{
    while (path.size() >= 2 && path.substr(0, 2) == "./")
        path.remove_prefix(2);
    while (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    std::string folded(path);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

const char* unfitName(std::string_view path, const CardRules& rules)
{
    while (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
        if (name.empty() || name == "." || name == "..")
            continue;
        if (rules.refusesMarks && name.find_first_of(":*?\"<>|") != std::string_view::npos)
            return "a name on this card cannot hold : * ? \" < > |";
        if (rules.dropsTrailing && (name.back() == '.' || name.back() == ' '))
            return "a name on this card cannot end in a dot or a blank";
    }
    return nullptr;
}

namespace {

// tar quotes the names in its messages as in its listing, and a colon
// too ("x\:y").
std::string tarMessageName(std::string_view quoted)
{
    std::string kept;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == ':') {
            kept += ':';
            ++i;
        } else if (quoted[i] == '\\' && i + 1 < quoted.size()) {
            kept.append(quoted.substr(i, 2));
            ++i;
        } else {
            kept += quoted[i];
        }
    }
    return tarUnquote(kept);
}

Trouble troubleOf(std::string_view words)
{
    if (startsWith(words, "skipping existing file"))
        return Trouble::Taken;
    if (contains(words, "No space left on device") || startsWith(words, "Wrote only "))
        return Trouble::Full;
    if (contains(words, "File too large"))
        return Trouble::TooLarge;
    if (contains(words, "Operation not permitted") || contains(words, "Invalid argument"))
        return Trouble::BadName;
    return Trouble::None;
}

} // namespace

std::optional<Complaint> complaintIn(std::string_view line)
{
    if (startsWith(line, "tar: ")) {
        line.remove_prefix(5);
        // The name ends at the first colon that tar did not quote.
        std::size_t end = 0;
        while (end < line.size() && !(line[end] == ':' && end + 1 < line.size() && line[end + 1] == ' '))
            end += line[end] == '\\' ? 2 : 1;
        if (end == 0 || end >= line.size())
            return std::nullopt;
        const Trouble trouble = troubleOf(line.substr(end + 2));
        if (trouble == Trouble::None)
            return std::nullopt;
        return Complaint{trouble, tarMessageName(line.substr(0, end))};
    }
    if (startsWith(line, "fchmod (file attributes) error: "))
        return Complaint{Trouble::Modes, std::string()};
    if (startsWith(line, "ERROR: ")) {
        // 7-Zip: "ERROR: WHAT : errno=N : WORDS : NAME", the name relative
        // to the private folder it runs in.
        const std::size_t last = line.rfind(" : ");
        const std::size_t errnoAt = line.find(" : errno=");
        if (last == std::string_view::npos || errnoAt == std::string_view::npos || errnoAt >= last)
            return std::nullopt;
        const Trouble trouble = troubleOf(line.substr(errnoAt, last - errnoAt));
        std::string_view name = line.substr(last + 3);
        if (startsWith(name, "./"))
            name.remove_prefix(2);
        if (trouble == Trouble::None || trouble == Trouble::Taken || name.empty())
            return std::nullopt;
        return Complaint{trouble, std::string(name)};
    }
    return std::nullopt;
}

void noteListed(std::string_view member, std::unordered_map<std::string, std::string>& seen,
                std::vector<Clash>& clashes)
{
    std::string key = foldedPath(member);
    if (key.empty())
        return;
    const auto [at, added] = seen.try_emplace(std::move(key), member);
    if (added || at->second == member)
        return;
    const bool folder = !member.empty() && member.back() == '/' && !at->second.empty() && at->second.back() == '/';
    clashes.push_back({std::string(member), at->second, folder});
}

namespace {

std::string withoutSlash(std::string name)
{
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

} // namespace

std::string takenWords(const std::string& member, const std::string& earlier, bool renamed)
{
    const std::string holder = earlier.empty() || earlier == member ? "another member" : withoutSlash(earlier);
    return withoutSlash(member) + (renamed ? ": unpacked under another name: " : ": not unpacked: ") + holder
           + " has that name on this card";
}

std::string mergedWords(const std::string& member, const std::string& earlier)
{
    return withoutSlash(member) + ": put together with " + withoutSlash(earlier)
           + ": this card does not tell the case of letters apart";
}

std::string unfitWords(const std::string& member, const char* why)
{
    return withoutSlash(member) + ": not unpacked: " + why;
}

std::string modesWords()
{
    return "the files' permissions were not kept: this card holds none";
}

std::string fullWords(const std::string& member, bool keptAsPart)
{
    return member + ": not unpacked: the storage is full" + (keptAsPart ? " (what fitted is " + member + ".part)" : "");
}

std::string tooLargeWords(const std::string& member, std::optional<std::uint64_t> size, std::uint64_t limit,
                          bool keptAsPart)
{
    return member + ": not unpacked: " + (size ? "it is " + humanSize(*size) + "; " : std::string()) + "a file in this folder can hold at most "
           + std::to_string(limit) + " bytes" + (keptAsPart ? " (what was written is " + member + ".part)" : "");
}

} // namespace tally
