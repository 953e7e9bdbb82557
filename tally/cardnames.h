// What a memory card does to the names and sizes of what is unpacked onto
// it, and what tally says about it. Pure functions: values in, values out
// (the probing that feeds them is in cardprobe.h). Names are bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tally {

// The largest file FAT holds (bytes): 4 GiB less one.
constexpr std::uint64_t kFatFileLimit = 0xFFFFFFFFull;

// What the file system of the output folder does to names and sizes.
struct CardRules {
    bool foldsCase = false;        // "A.txt" and "a.txt" name one file
    bool refusesMarks = false;     // refuses names holding : * ? " < > |
    bool dropsTrailing = false;    // "x." becomes "x" (and "x " too)
    std::optional<std::uint64_t> fileLimit;   // the largest file it holds, bytes
};

// What the probe saw in the output folder.
struct ProbeFacts {
    bool variantIsSame = false;    // the private folder's name in capitals is the private folder
    bool markRefused = false;      // a name with ":" could not be made (EPERM, EINVAL)
    bool dotDropped = false;       // a file made as "P." is found as "P"
    bool dotRefused = false;       // a name ending in "." could not be made
    int fileSizeBits = 64;         // what pathconf tells of the largest file (_PC_FILESIZEBITS)
    std::optional<std::uint64_t> limitGiven;   // a limit set from outside (tests)
};

CardRules rulesFrom(const ProbeFacts& facts);

// A path as a file system that folds case compares it: ASCII letters in
// small letters, no "./" in front, no "/" at the end.
std::string foldedPath(std::string_view path);

// Why the card cannot hold a name of the path, or null.
const char* unfitName(std::string_view path, const CardRules& rules);

// What an archiver said about a member it could not put down as it is.
enum class Trouble { None, Taken, BadName, Full, TooLarge, Modes };

struct Complaint {
    Trouble trouble = Trouble::None;
    std::string member;   // as the archive names it (tar's quoting undone)
};

// The member and the trouble a line of an archiver's error output tells:
//   tar: NAME: skipping existing file                  Taken
//   tar: NAME: Cannot open: Operation not permitted   BadName (also Invalid argument)
//   tar: NAME: Cannot write: No space left on device   Full (also Cannot open:, Wrote only N of M bytes)
//   tar: NAME: Cannot write: File too large            TooLarge
//   ERROR: ... : errno=N : WORDS : ./NAME              7-Zip's, the same words
//   fchmod (file attributes) error: WORDS              Modes (unzip's, naming nothing)
std::optional<Complaint> complaintIn(std::string_view line);

// A member that another member's name took, as the listing showed.
struct Clash {
    std::string member;
    std::string earlier;   // the member that has the name on the card
    bool folder = false;   // both are folders: they were merged
};

// The clashes of a listing on a card that folds case: each name is compared
// with the ones listed before it. `seen` maps folded paths to the first
// member listed under them and grows as names come.
void noteListed(std::string_view member, std::unordered_map<std::string, std::string>& seen,
                std::vector<Clash>& clashes);

// tally's words. `earlier` empty: the name of another member.
std::string takenWords(const std::string& member, const std::string& earlier, bool renamed);
std::string mergedWords(const std::string& member, const std::string& earlier);
std::string unfitWords(const std::string& member, const char* why);
std::string modesWords();
std::string fullWords(const std::string& member, bool keptAsPart);
std::string tooLargeWords(const std::string& member, std::optional<std::uint64_t> size, std::uint64_t limit,
                          bool keptAsPart);

} // namespace tally
