// The progress model: a listing read so far, what it amounts to, and the
// words both faces show for it. Plain C++, no Qt.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cardnames.h"
#include "finisher.h"
#include "linereader.h"
#include "options.h"
#include "parsers.h"
#include "progressmodel.h"
#include "records.h"

namespace tally {

// Most messages kept for the window's list; the rest are counted.
constexpr std::size_t kMaxMessages = 1000;
// Most member names kept to find the ones that a card folding case puts on
// one name.
constexpr std::size_t kMaxFoldedNames = 200000;

// Warnings: every program did its work, and one warned or a notice was told.
enum class Outcome { Running, Done, Errors, EndedEarly, Stopped, Warnings };

// 0 done, 1 errors reported, 2 ended early, 3 stopped by the user, 4 done
// with warnings; -1 while running.
int exitCode(Outcome outcome);

struct Snapshot {
    Kind kind = Kind::Tar;
    Operation op = Operation::Unpacking;
    Outcome outcome = Outcome::Running;
    bool stopping = false;               // a stop was asked for, input not ended yet
    double fraction = -1;                // 0..1 (below 1 until done, never going back), or -1: unknown (a busy bar)
    std::uint64_t entries = 0;
    std::uint64_t impliedEntries = 0;    // unzip: folders that existed and went unlisted
    std::optional<std::uint64_t> totalEntries;   // unzip: the entry count
    std::uint64_t bytes = 0;
    std::optional<std::uint64_t> totalBytes;     // tar and zip packing: the byte total (7z goes by its percentage)
    bool showBytes = false;              // the listing tells sizes (tar, zip)
    std::uint64_t moved = 0;             // the bytes the progress is measured by ...
    std::optional<std::uint64_t> toMove; // ... of these (--bytes)
    int percent = -1;                    // unrar's and 7-Zip's own
    std::uint64_t errors = 0;
    std::string firstError;              // sanitized UTF-8, the tool's own words
    std::uint64_t warnings = 0;          // warnings and notices
    std::string firstWarning;            // sanitized UTF-8, when there is no error
    const char* warningMeaning = nullptr;   // what the first warning means, where its words do not say
    std::vector<std::string> messages;   // once ended, as many as were kept (sanitized): errors first
    std::uint64_t messageCount = 0;      // all of them
    bool wrongPassword = false;          // nothing was placed
    bool placing = false;                // the programs have ended; their result is being put in place
    std::uint64_t placed = 0;            // ... entries placed so far
    std::uint64_t toPlace = 0;           // ... of these (as listed)
    bool placingStopped = false;         // placing was stopped: only whole entries were placed
    std::string ownFolder;               // unpacking: the folder made for loose contents (sanitized), or ""
    bool discarded = false;              // what was unpacked was removed, not placed
    int signal = 0;                      // the job was ended by this signal: nothing of it was placed
    std::string cutShort;                // the member being written when it ended (sanitized)
    bool cutKeptAsPart = false;          // ... placed as NAME.part
    std::uint64_t kept = 0;              // unpacking: files that existed and were kept
    bool written = false;                // packing: the archive was put in place
    std::string job;                     // "→ ARCHIVE", "ARCHIVE → FOLDER" (sanitized), or ""
    std::string current;                 // sanitized UTF-8
    double elapsedSeconds = 0;
    double remainingSeconds = -1;        // -1: unknown
};

// What the line told besides the listing: how each program ended, its error
// output, and what putting the result in place ran into.
struct Message {
    std::string text;                // raw bytes, trimmed, at most kMaxErrorBytes
    bool notice = false;             // a tool's notice: nothing was lost
    bool firm = false;               // an error whatever the statuses say: tally's own refusal
    bool followUp = false;           // what a program says after its fatal message
    const char* meaning = nullptr;   // the notice's meaning for the user
};

struct JobState {
    std::vector<std::pair<std::string, int>> statuses;   // program and exit status, in the order they ended
    std::vector<Message> messages;   // in the order they came, at most kMaxMessages
    std::uint64_t notices = 0;       // all of them, kept or not
    std::uint64_t others = 0;        // messages that are no notices and not firm
    std::uint64_t firm = 0;
    std::uint64_t parserErrors = 0;  // the errors the parser's messages counted
    bool wrongPassword = false;

    std::uint64_t told() const { return notices + others + firm; }
};

// How a job ended (Running while input goes on). Stopped when the user
// stopped it. Errors when a program ended with a status that is neither 0
// nor one of its warnings (packing knows no warnings), when tally refused
// something, or when a message that is no notice came while every program
// ended with 0. Done when every program that was to report ended with 0;
// without reports (a listing piped in by hand), when something was listed,
// the total (if any; 7z has none) was reached and zip, unrar and 7-Zip wrote
// their closing line (7-Zip's alone is enough: it does not list the folders
// and empty files it packs). Ended early otherwise. Done becomes Warnings
// when a program ended with a warning status or a message came.
Outcome decideOutcome(const Options& options, const Counts& counts, const JobState& job, bool ended, bool stopped);

class Session : private MessageSink {
public:
    // probe: for packing, the sizes of what links lead to (may be null).
    Session(const Options& options, Clock::time_point start, FileProbe* probe = nullptr);

    void feed(const char* data, std::size_t size);
    // End of input at `now`: the outcome is decided and the result put in
    // place (the archive renamed, the unpacked tree moved into the folder).
    void finish(Clock::time_point now);
    // The same in three steps, for a face that must not wait for the
    // placement: endInput() decides what is to be done, putInPlace() does
    // it and may run on another thread meanwhile (snapshot() may be called
    // all the while; nothing else), placed() ends the job at `now`.
    void endInput(Clock::time_point now);
    void putInPlace();
    void placed(Clock::time_point now);

    // A stop asked for while the result is put in place ends the placement
    // after the entry being moved.
    void setStopRequested();
    bool stopRequested() const { return stopRequested_; }
    // Ended from outside (SIGTERM, SIGHUP): the job stops, and nothing of
    // it is placed; what was made is removed.
    void interrupt(int signal);
    int interruptedBy() const { return signal_; }
    bool inputEnded() const { return inputEnded_; }
    bool placing() const { return inputEnded_ && !ended_; }
    bool ended() const { return ended_; }

    // Hands the line still open to the parser, then describes the state.
    Snapshot snapshot(Clock::time_point now);

    const Options& options() const { return options_; }
    const Parser& parser() const { return *parser_; }
    std::uint64_t lines() const { return reader_.lines(); }

private:
    void feedListing(const char* data, std::size_t size);
    void record(char type, std::string_view text);
    void message(std::string_view text, std::uint64_t count) override;
    void lead(std::string_view text) override { lead_.assign(text); }
    void error(std::string_view text, bool firm = false);
    Outcome outcome() const;
    bool mayBeCut(Outcome ended) const;
    void noteStorage(const std::string& failure);
    std::string shown(std::string text) const;
    void noteMember();
    const CardRules& card();

    std::uint64_t moved() const;
    double measure() const;

    Options options_;
    FileProbe* probe_;
    std::unique_ptr<Parser> parser_;
    RecordSplitter splitter_;
    LineReader reader_;
    JobState job_;
    const std::string jobText_;   // "→ ARCHIVE", "ARCHIVE → FOLDER" (sanitized), or ""
    // What putInPlace() does, decided at the end of input.
    struct Placement {
        bool commit = false;        // packing: the partial archive replaces the archive ...
        bool succeeded = false;     // ... when every program did its work (it is removed otherwise)
        bool discard = false;       // unpacking: nothing is placed
        bool setAside = false;      // ... the member being written may be cut short
        bool replace = false;       // ... files that exist are replaced
        std::string member;         // the member being written
        std::optional<std::uint64_t> memberSize;
    };
    Placement placement_;
    PlaceControl control_;
    // Written by putInPlace(), read once placed() has run.
    FinishReport placed_;
    CutMember cut_;
    std::optional<CardRules> card_;     // unpacking: what the output folder's file system does, once probed
    std::unordered_map<std::string, std::string> folded_;   // ... folded names listed on a card that folds case
    std::vector<Clash> clashes_;
    std::uint64_t listed_ = 0;          // the members noted
    std::string lead_;                  // shown first
    bool written_ = false;
    Clock::time_point start_;
    Clock::time_point end_;
    ProgressModel progress_;
    std::uint64_t passed_ = 0;          // what `tally --pass` last counted ...
    bool passTold_ = false;             // ... once it has told
    std::uint64_t openWritten_ = 0;     // the file of the member being written, as far as it has got
    std::uint64_t watched_ = 0;         // tar without a pass: what it wrote of the partial archive, or read of the archive
    bool inputEnded_ = false;
    bool ended_ = false;
    bool stopRequested_ = false;
    bool stopBeforePlacing_ = false;
    int signal_ = 0;
};

// The words of both faces (English).
std::string resultTitle(const Snapshot& s);         // "Packing done", "Unpacking stopped", ...
std::string countsText(const Snapshot& s);          // "5 of 13 entries", "12 entries"
std::string sizesText(const Snapshot& s);           // "45.6 MiB of 100.0 MiB", "" when not known
std::string timesText(const Snapshot& s);           // "Elapsed 0:12, left 0:30"
std::string percentText(const Snapshot& s);         // "45 %", "" when busy
std::string resultDetail(const Snapshot& s);        // the first error, what was written or kept

// What resultDetail says, piece by piece, so that the window can word each
// piece in the user's language.
enum class DetailPiece {
    Stopping, ArchiveComplete, AllUnpacked, Kept, FirstError, EndedAfter, StoppedByYou, Written, NothingWritten,
    OnlyAdded, FirstWarning, WrongPassword, CutShort, Placing, PlacingStopped, Interrupted, NothingPlaced, OwnFolder
};
std::vector<DetailPiece> detailPieces(const Snapshot& s);
// One line for a terminal of `columns` columns (no end of line).
std::string statusLine(const Snapshot& s, std::size_t columns);
// The line written at the end, e.g. "tally: packing done: 8 entries, 89.9 KiB in 0:01".
std::string summaryLine(const Snapshot& s);

} // namespace tally
