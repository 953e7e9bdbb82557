// Command line of tally and the choice of its face: pure functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format.h"

namespace tally {

enum class Operation { Packing, Unpacking };
// The listing tally reads: the format table's word after -t.
using Kind = arkive::Listing;
constexpr int kKindCount = arkive::kListingCount;

struct Options {
    Kind kind = Kind::Tar;
    bool kindGiven = false;
    std::optional<Operation> operation;   // --pack, --unpack
    std::optional<std::uint64_t> total;   // -T: bytes (tar, zip) or entries (unzip); not for 7z
    // --bytes: the bytes the line moves, which the progress is measured by:
    // counted by `tally --pass` (its records); or else written by unzip
    // and bsdtar (the sizes of the files they list); or else, tar, the
    // size of the partial archive, or how far it has read the archive.
    std::optional<std::uint64_t> bytes;
    std::string base;                     // --base: packing: the folder the listed names are relative to
    std::string archive;                  // --archive: the archive made or read
    std::string folder;                   // --folder: where it is unpacked
    std::string partial;                  // --partial: the file that becomes the archive when all went well
    std::string staging;                  // --staging: the folder whose contents are moved into the folder
    std::string ownFolder;                // --own-folder: where in the folder loose contents go
    std::string scratch;                  // --scratch: a private folder of the line, removed at the end
    std::string record;                   // --record: the job's record, removed once all is in place
    bool keep = false;                    // --keep: files that exist in the folder are kept
    std::optional<unsigned> stages;       // --stages: how many programs report their status
    bool relay = false;                   // --relay: hand error output on as records
    bool pass = false;                    // --pass: pass standard input on, counting it
    bool forceText = false;               // --text
    bool help = false;                    // -h, --help
    std::vector<std::string> ignored;     // words that were not understood
};

// Parses the words after the program name. Never fails: words it does not
// know are collected in `ignored`. -T takes the leading number of the last
// line of the next word that starts with a digit (the zip count is what
// zipinfo printed: perhaps a warning first, or only an error message), and
// never takes an option such as -t as its value. Of repeated options the
// last valid one counts.
Options parseOptions(const std::vector<std::string_view>& args);
Options parseOptions(int argc, const char* const* argv);

std::optional<Kind> kindFromName(std::string_view name);
const char* kindName(Kind kind);

// --pack or --unpack when given. Otherwise (a listing piped in by hand):
// tar packs when it was given a total or a partial archive (creation),
// unpacks otherwise; zip packs; unzip, unrar, 7z and bsdtar unpack.
Operation operationOf(const Options& options);

std::string usageText();

enum class Face { Text, Window };

// The face, decided before any application object exists. The text face when
// --text was given, when QT_QPA_PLATFORM names the offscreen or minimal
// platform, or when it is unset and neither DISPLAY nor WAYLAND_DISPLAY is.
// A QT_QPA_PLATFORM naming another platform (linuxfb, vnc, eglfs, xcb...)
// asks for the window. Null and empty variables count as unset.
Face chooseFace(bool forceText, const char* qpaPlatform, const char* display, const char* waylandDisplay);

// The platform list to hand Qt for the window face: the requested (or
// default) platform with "offscreen" as a fallback, so that a display that
// cannot be opened makes Qt fall back instead of aborting. The caller then
// sees the offscreen platform and takes the text face.
std::string platformWithFallback(const char* qpaPlatform, const char* waylandDisplay);

// True for the platforms that show nothing ("offscreen", "minimal",
// possibly with ":options").
bool isHeadlessPlatform(std::string_view platformName);

} // namespace tally
