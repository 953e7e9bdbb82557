// The stages of each line as argument lists, from the format table and the
// user's choices. Plain C++: values in, values out; which programs are
// installed is asked through `Installed`.
#pragma once

#include "format.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace arkive {

// One program of a line.
struct Stage {
    std::string name;                 // the program, as tally names it
    std::vector<std::string> words;   // the program and its arguments, unquoted
    std::string folder;               // run in this folder; empty: where the line runs
    std::string input;                // standard input from this file
    std::string output;               // standard output into this file (made, or emptied)
    std::string fd4;                  // opened as descriptor 4, for a name the tool would take as a pattern
    bool noInput = false;             // standard input from /dev/null
    bool errorsInListing = false;     // its error output goes with its listing (bsdtar lists there)
    // The words instead where the output folder does not tell case apart
    // (a memory card): the program never replaces a file it unpacked in the
    // private folder, which would lose a member whose name differs only in
    // case. Empty: the same words everywhere.
    std::vector<std::string> foldingWords;
};

using Installed = std::function<bool(const char* program)>;

enum class Refusal {
    None,
    NoFormat,   // the name has no format arkive knows
    Missing,    // no installed program unpacks it; `missing` names the package
    NeedsUnrar, // an encrypted rar: RARLAB's unrar alone decrypts it
    NotLiteral, // a chosen member's name the tool cannot be told exactly; `name` is it
};

struct Plan {
    std::vector<Stage> stages;
    std::vector<std::string> tally;   // tally's words, without --stages (the line adds it)
    std::vector<Stage> prepare;       // run first, one after another; the stages run only when all succeed
    Refusal refusal = Refusal::None;
    const Tool* missing = nullptr;
    std::string name;                 // NotLiteral: the member's stored name
    bool weakPassword = false;        // packing: only zip's traditional encryption was at hand
    // Unpacking: a path that exists only where the output folder folds
    // case (the private folder's name in capitals); the stages take their
    // foldingWords when it does.
    std::string foldCheck;
};

struct PackJob {
    std::string archive;              // where tally puts the archive (absolute)
    std::string partial;              // where the line writes it (absolute)
    std::vector<std::string> files;   // the paths to pack (absolute)
    std::string password;             // empty: none
    int level = 6;                    // 0 to 9
    unsigned volumeMegabytes = 0;     // 0: one file
    // What tally measures the progress against: the bytes of the tar
    // stream for the tar family (tarStreamBytes), the bytes of the files
    // for zip (totalSize); 7-Zip tells its own progress.
    std::uint64_t total = 0;
    std::string record;               // the job's record, which tally removes at the end; empty: none
};

// What an archive stores of the paths chosen: each under its name below the
// deepest folder that holds them all ("/m/photos" and "/m/notes.txt" give
// "photos" and "notes.txt" in "/m"). Paths of no common folder (relative
// and absolute ones mixed) are stored as they are, from where the line runs.
struct PackNames {
    std::string base;                 // empty: where the line runs
    std::vector<std::string> names;   // in the order of the paths
};
PackNames packNames(const std::vector<std::string>& files);

// A member to unpack, named exactly as the archive stores it ("./a" is not
// "a" to tar); a folder brings everything below it.
struct MemberPick {
    std::string path;
    bool folder = false;
};

struct UnpackJob {
    std::string archive;
    std::string cwd;                  // where a relative archive path starts (for tools run in a folder)
    std::string folder;               // the output folder
    std::string staging;              // the private folder in it
    std::string password;
    bool overwrite = true;
    bool split = false;               // zip: volumes NAME.z01 ... beside it
    bool unzipCannotRead = false;     // zip: methods or encryption that unzip lacks
    bool encrypted = false;           // rar: its headers say it is encrypted
    std::optional<std::uint64_t> entries;   // zip: the entries its directory holds
    std::optional<std::uint64_t> archiveBytes;   // the archive's size: the bytes a tar line reads
    std::optional<std::uint64_t> memberBytes;    // zip, rar: the bytes its members unpack to
    std::vector<MemberPick> members;  // only these; empty: the whole archive
    std::string ownFolder;            // more than one entry at the top goes into this folder of the output folder; empty: none
    std::string record;               // the job's record, which tally removes at the end; empty: none
};

// The packing line's plan; no stages for a format arkive does not pack.
// Each path is stored under its name in packNames(); tar is told the names
// after "--" from the folder they are in (-C), zip and 7-Zip run in it. A
// tar stream to be compressed goes through `tally --pass`, which counts it
// for the progress, into the compressor: its parallel tool where one is
// installed.
Plan packPlan(const Format& format, const PackJob& job, const Installed& installed);

// The unpacking line's plan, or a refusal. Chosen members are named to
// each tool so that it takes the names literally: tar with --no-wildcards
// and --no-unquote, 7-Zip with -spd, unzip with its pattern characters in
// brackets, bsdtar with them after a backslash; all after "--" where the
// tool reads one. A rar's members go through bsdtar. A compressed tar line
// reads the archive through `tally --pass`, which counts what it reads, and
// decompresses with the parallel tool where one is installed and faster.
Plan unpackPlan(const Format* format, const UnpackJob& job, const Installed& installed);

// What every file and folder a line works in before its result is in place
// is named with, before the job's token (the job records rely on it).
constexpr const char* kPrivatePrefix = ".arkive-";

// Where an archive of the format is written before it is complete: the
// tools of zip and 7z insist on their ending.
std::string partialName(const Format& format, const std::string& token);

// The private folder a packing line works in beside its partial archive
// (.arkive-TOKEN for .arkive-TOKEN.zip), which tally removes at the end.
std::string scratchOf(const std::string& partial);

// The path with the ASCII letters of its last name in capitals: where a
// file system folds case, it names the same entry as `path`.
std::string caseVariant(const std::string& path);

// Whether a password given for the format would only get zip's
// traditional encryption, which known-plaintext attacks break.
bool weakZipPassword(const Format& format, bool split, const Installed& installed);

} // namespace arkive
