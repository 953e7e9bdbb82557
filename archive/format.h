// Every archive format arkive knows, in one table: how its archives are
// named, which programs pack and unpack them and which Debian packages
// bring those, what it can hold, and the stages of each line. Plain C++
// without Qt: arkive and tally both link it. Paths and names are bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arkive {

// The listings tally reads, one parser each.
enum class Listing { Tar, Zip, Unzip, Unrar, SevenZip, Bsdtar };
constexpr int kListingCount = 6;
const char* listingName(Listing listing);           // the word after tally's -t
bool listingFromName(std::string_view name, Listing& listing);

// The program a stage runs and the package that brings it.
struct Tool {
    const char* program;
    const char* package;
};

// An ending of a format's archive names, with the dot (".tar.gz").
struct Ending {
    const char* text;
    bool offered;   // the compress dialog offers it as a format entry
};

// What the compress dialog offers and the line can do.
struct Capabilities {
    bool password = false;   // the archive can be protected by a password
    bool level = false;      // a compression level 0 to 9 applies
    bool volumes = false;    // it can be split into volumes of a given size
};

enum class Family { Tar, Zip, SevenZip, Rar };

// A program that writes and reads a compressor's format on every online
// core, taken in the compressor's place where it is installed. What it
// writes is the standard format (the compressor reads it), and it reads
// what the compressor writes.
struct ParallelTool {
    Tool tool;
    std::vector<const char*> pack;     // its words that compress standard input to standard output
    std::vector<const char*> unpack;   // ... that decompress; empty: the compressor unpacks as fast
};

struct Format {
    const char* name;                  // the one name: "tar.gz", "zip", "7z"
    Family family;
    std::vector<Ending> endings;       // the first is the one packing appends
    std::vector<const char*> mimeTypes;
    const char* compressor;            // tar family: the program between tar and the file, or nullptr
    bool packs;                        // arkive makes archives of this format
    Capabilities caps;
    std::vector<Tool> packTools;       // all of them must be installed to pack
    std::vector<Tool> unpackTools;     // the tools of the usual way to unpack
    // Tools that take over where the usual ones cannot: 7-Zip for zips with
    // a password (AES), split sets and methods unzip lacks; libarchive's
    // bsdtar for rar without RARLAB's unrar.
    std::vector<Tool> otherTools;
    // tar family: the compressor's parallel counterparts, the first
    // installed one taken.
    std::vector<ParallelTool> parallel;
};

// The whole table, in the order the compress dialog offers the formats.
const std::vector<Format>& formats();

// The format an ending names ("tar.gz" or ".tar.gz", any case), or null.
const Format* formatByEnding(std::string_view ending);

// The format of an archive from its file name: the complete extension (all
// after the first "." of the name) compared without regard to case; the
// longest ending it ends with wins, so "a.star" is a tar. `head`, the
// first bytes of the file, settles names that two formats use (".tlz" is
// lzip or lzma). Null for a name no format has.
const Format* formatOfArchive(std::string_view path, std::string_view head = {});

// The file name of the archive at `path` less the ending that
// formatOfArchive matched ("photos" for "a/photos.tar.gz"); the whole name
// when it has no such ending.
std::string_view archiveStem(std::string_view path);

// How tally reads a program's end and its words when it unpacks. A status
// among `warningStatuses` says the program did all its work and warned
// (unzip 1: "processing completed successfully anyway"); packing that ends
// with any status but 0 left something out. A line of error output that
// holds a notice's words tells of something the tool handled, with nothing
// lost: the job is done, with warnings.
struct Notice {
    const char* words;     // as the tool writes them
    const char* meaning;   // what that means for the user, or nullptr where the words say it
};

struct ToolWords {
    const char* program;
    std::vector<int> warningStatuses;
    std::vector<Notice> notices;
    std::vector<const char*> followUps;       // what it says after the message that tells the cause
    std::vector<const char*> wrongPassword;   // what it says of a password that does not open the archive
};

const std::vector<ToolWords>& toolWords();
bool isWarningStatus(std::string_view program, int status);
// The notice of any tool that the line holds, or null.
const Notice* noticeIn(std::string_view line);
// Whether the line holds any tool's follow-up words, or words of a wrong password.
bool isFollowUp(std::string_view line);
bool tellsWrongPassword(std::string_view line);

// Whether the name ends with the ending, in the ending's own case or not.
bool endsWithEnding(std::string_view name, std::string_view ending, bool ignoreCase);

} // namespace arkive
