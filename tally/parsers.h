// One parser per kind of listing, fed one line at a time. Pure: a parser
// looks only at the lines it is given (and, for packing, at the optional
// FileProbe below), and keeps only counters and the current member.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "options.h"
#include "stopper.h"
#include "treebytes.h"

namespace tally {

// Longest member name and error text kept (bytes).
constexpr std::size_t kMaxNameBytes = 4096;
constexpr std::size_t kMaxErrorBytes = 512;
// zip -v writes one dot per this many bytes read of a member still open.
constexpr std::uint64_t kZipDotBytes = 10ull * 1024 * 1024;
// Most members kept whose listed size is above the parser's mark.
constexpr std::size_t kMaxLargeMembers = 1000;
// unzip: most directories kept in the sets that estimate the directory
// entries which unzip does not list because they exist already.
constexpr std::size_t kMaxTrackedDirs = 65536;

struct Counts {
    std::uint64_t entries = 0;         // members listed
    std::uint64_t bytes = 0;           // sizes of the members listed
    std::uint64_t openBytes = 0;       // zip: dots of the member still being read
    std::uint64_t impliedEntries = 0;  // unzip: existing directories not listed
    int percent = -1;                  // unrar, 7z: its own position, never going back
    std::uint64_t errors = 0;          // errors and warnings listed
    bool endMarker = false;            // zip "total bytes=", unrar "All OK"/"Total errors", 7z "Everything is Ok"
    std::string current;               // the member being worked on (raw bytes)
    std::optional<std::uint64_t> currentSize;   // tar: its size as listed
    std::string firstError;            // the first error listed (raw bytes)
};

// Sizes that the progress total counts but the listing does not show: the
// program that computes the total follows symbolic links and counts every
// hard link, while the archivers store links as links.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    // The size of the regular file that path names (following links).
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
    // What the total counted for the symbolic link at path: the size of the
    // file it leads to, or of everything below the folder it leads to
    // (counted like the total: hidden entries and entries that are neither
    // files nor folders left out). Nothing when path is no symbolic link.
    // Costs one lstat() unless path is a link.
    virtual std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) = 0;
    // How far the program of the line that reads the file at path has
    // read it; nothing when that is not known.
    virtual std::optional<std::uint64_t> readPosition(const std::string&) { return std::nullopt; }
};

// The real one, with stat(), lstat() and readdir(). A folder that links
// lead to is walked once, the first time: the total counted it once too.
// The reader of a file is looked for among the writers of the pipe on
// `inFd`, tally's input, and its position read as pv -d reads it.
class StatFileProbe : public FileProbe {
public:
    explicit StatFileProbe(int inFd = 0) : inFd_(inFd) {}
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) override;
    std::optional<std::uint64_t> readPosition(const std::string& path) override;

private:
    FolderIds walked_;
    int inFd_;
    std::optional<FileReader> reader_;
};

// Where a parser's error messages go besides its counts, in the order they
// come: the session puts them with the line's error output.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message of `count` errors (0: no error of its own, only words).
    virtual void message(std::string_view text, std::uint64_t count) = 0;
    // tally's own words on what to do, shown ahead of every other message.
    virtual void lead(std::string_view text) = 0;
};

class Parser {
public:
    virtual ~Parser() = default;
    // A complete line (without its end of line).
    virtual void line(std::string_view text, std::uint64_t dropped) = 0;
    // The line still being written, as far as it has come. Provisional: a
    // later openLine() or line() replaces what this one showed.
    virtual void openLine(std::string_view text, std::uint64_t dropped);
    // End of input, with the last line if it had no end of line.
    virtual void endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped);
    // The text of the lines given since the last call may go away now. A
    // parser may keep a view of the last line until then (the tar parser
    // takes the member name out of it only here, not for every line).
    virtual void chunkEnd() {}

    const Counts& counts() const { return counts_; }
    // The current member as it should be shown (still raw bytes: sanitize).
    virtual std::string displayName() const { return counts_.current; }

    void setProbe(FileProbe* probe) { probe_ = probe; }
    void setSink(MessageSink* sink) { sink_ = sink; }
    // The folder the listed names are relative to (empty: the current
    // one): where the probe looks for them.
    void setFolder(std::string folder) { folder_ = std::move(folder); }
    // Unpacking (unzip, bsdtar): the bytes listed are the sizes of the
    // files written, the probe asked once a member is complete.
    void setCountWritten(bool on) { countWritten_ = on; }
    // ... and the file of the member being written while its line is still
    // open; empty otherwise.
    const std::string& openFile() const { return openFile_; }
    // Members listed with a size above `bytes` are kept, name and size:
    // the output folder's file system may not hold them (tar lists sizes).
    void setLargeAbove(std::uint64_t bytes) { largeAbove_ = bytes; }
    const std::vector<std::pair<std::string, std::uint64_t>>& large() const { return large_; }

protected:
    void setCurrent(std::string_view name);
    void addError(std::string_view text, std::uint64_t count = 1);
    // A listed name as a path from the current folder.
    std::string onDisk(std::string_view name) const;
    // The size of a complete member's file, when written files are counted.
    void countWritten(std::string_view name);

    Counts counts_;
    FileProbe* probe_ = nullptr;
    std::string folder_;
    bool countWritten_ = false;
    std::string openFile_;
    MessageSink* sink_ = nullptr;
    std::uint64_t largeAbove_ = ~std::uint64_t(0);
    std::vector<std::pair<std::string, std::uint64_t>> large_;
};

// GNU tar -vv (both directions): "MODE OWNER/GROUP SIZE DATE TIME NAME".
class TarParser : public Parser {
public:
    explicit TarParser(Operation op) : op_(op) {}
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;
    void endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped) override;
    void chunkEnd() override;
    std::string displayName() const override;

private:
    void slowLine(std::string_view text);
    __attribute__((noinline)) void fullLine(std::string_view text);
    void member(std::string_view text, std::uint64_t size);
    __attribute__((noinline)) void largeMember(std::string_view text, std::uint64_t size);
    Operation op_;
    std::size_t sizeEnd_ = 0;   // where SIZE ended on the last member line
    const char* pending_ = nullptr;   // the last member line, until chunkEnd()
    std::size_t pendingSize_ = 0;
    std::uint64_t pendingBytes_ = 0;  // the size it lists
};

// zip -v: "  adding: NAME\t(in=N) (out=M) (deflated P%)", dots for big
// members on the line still open, warnings, "total bytes=" at the end.
class ZipParser : public Parser {
public:
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;

};

// unzip: "Archive:", "creating:", "inflating:", "extracting:", "linking:",
// "finishing deferred symbolic links:".
class UnzipParser : public Parser {
public:
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;
    void endOfInput(std::string_view unterminated, bool hasUnterminated, std::uint64_t dropped) override;

private:
    void member(std::string_view keyword, std::string_view name);
    std::unordered_set<std::uint64_t> parents_;   // hashes of parent folders of listed files
    std::unordered_set<std::uint64_t> created_;   // hashes of folders listed by "creating:"
    bool deferredLinks_ = false;
};

// RARLAB unrar: each message starts with a newline; "Extracting  NAME",
// then "\b\b\b\b%3d%%" updates, then "  OK"; "Creating    NAME  OK";
// "All OK" or "Total errors: N" at the end.
class UnrarParser : public Parser {
public:
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;

private:
    void message(std::string_view raw, bool complete);
    std::string visible_;   // the message with its backspaces applied
};

// A line that redraws itself with backspaces, as a terminal shows it: each
// backspace takes back the byte before it (`visible`, of which at most
// `limit` bytes are kept). Returns the highest progress update "%3d%%" that
// begins the line or a stretch written after backspaces, or -1.
int eraseBackspaces(std::string_view raw, std::string& visible, std::size_t limit);

// 7-Zip's 7zz a or x with -bb1 -bsp1 (both directions): "+ NAME" packed or
// "- NAME" unpacked, each after the percentage updates that it erases with
// backspaces; "Everything is Ok" at the end. Its errors come on its error
// output.
class SevenZipParser : public Parser {
public:
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;

private:
    std::string visible_;
};

// bsdtar -xv with its error output merged: "x NAME" for each member (its
// name quoted like GNU tar's), a failure glued to the member line ("x NAME:
// MESSAGE"), "bsdtar: MESSAGE", and "bsdtar: Error exit delayed from
// previous errors." at the end of a run that failed.
class BsdtarParser : public Parser {
public:
    void line(std::string_view text, std::uint64_t dropped) override;
    void openLine(std::string_view text, std::uint64_t dropped) override;
    std::string displayName() const override;

private:
    // `words`: bsdtar's; `name`: the member, when one is named.
    void failed(std::string_view words, std::string_view name, bool encrypted, bool certain);
    // Messages that may be part of a name ("x Re: hello.txt"): errors only
    // when the run fails and nothing else explains it.
    std::string doubtful_;
    std::uint64_t doubtfulCount_ = 0;
    bool toldEncrypted_ = false;
};

std::unique_ptr<Parser> makeParser(Kind kind, Operation op);

// True when the kept texts stay within their bounds (for tests and fuzzing).
bool countsBounded(const Counts& counts);

} // namespace tally
