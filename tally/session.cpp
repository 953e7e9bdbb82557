#include "session.h"

#include <algorithm>
#include <cmath>

#include "textutil.h"

namespace tally {

int exitCode(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return 0;
    case Outcome::Errors: return 1;
    case Outcome::EndedEarly: return 2;
    case Outcome::Stopped: return 3;
    case Outcome::Running: return -1;
    }
    return -1;
}

namespace {

// What the total is measured against: bytes for tar and zip, entries for
// unzip (with the folders that unzip leaves unlisted) and unrar.
bool totalCountsBytes(Kind kind)
{
    return kind == Kind::Tar || kind == Kind::Zip;
}

std::uint64_t measured(Kind kind, const Counts& c, bool withOpen)
{
    if (totalCountsBytes(kind))
        return c.bytes + (withOpen ? c.openBytes : 0);
    return c.entries + (kind == Kind::Unzip ? c.impliedEntries : 0);
}

} // namespace

Outcome decideOutcome(const Options& options, const Counts& counts, bool ended, bool stopped)
{
    if (!ended)
        return Outcome::Running;
    if (stopped)
        return Outcome::Stopped;
    if (counts.errors > 0)
        return Outcome::Errors;
    if (counts.entries == 0)
        return Outcome::EndedEarly;
    if (options.total && measured(options.kind, counts, false) < *options.total)
        return Outcome::EndedEarly;
    if ((options.kind == Kind::Zip || options.kind == Kind::Unrar) && !counts.endMarker)
        return Outcome::EndedEarly;
    return Outcome::Done;
}

Session::Session(const Options& options, Clock::time_point start, FileProbe* probe)
    : options_(options), parser_(makeParser(options.kind, operationOf(options))), start_(start), end_(start)
{
    parser_->setProbe(probe);
}

void Session::feed(const char* data, std::size_t size)
{
    if (ended_)
        return;
    Parser& p = *parser_;
    if (options_.kind == Kind::Tar) {
        // The common case by far, called directly (a million lines a second).
        auto& tar = static_cast<TarParser&>(p);
        reader_.feed(data, size, [&tar](const Line& line) {
            tar.TarParser::line(line.text, line.dropped);
            if (line.transient)
                tar.TarParser::chunkEnd();
        });
        tar.TarParser::chunkEnd();
        return;
    }
    reader_.feed(data, size, [&p](const Line& line) {
        p.line(line.text, line.dropped);
        if (line.transient)
            p.chunkEnd();   // its text is about to change
    });
    p.chunkEnd();   // the caller's chunk may go now
}

void Session::finish(Clock::time_point now)
{
    if (ended_)
        return;
    std::string last;
    std::uint64_t dropped = 0;
    const bool has = reader_.takeOpen(last, dropped);
    parser_->endOfInput(last, has, dropped);
    ended_ = true;
    end_ = now;
}

Snapshot Session::snapshot(Clock::time_point now)
{
    if (!ended_ && reader_.hasOpen()) {
        const Line open = reader_.open();
        parser_->openLine(open.text, open.dropped);
    }
    const Counts& c = parser_->counts();
    Snapshot s;
    s.kind = options_.kind;
    s.op = operationOf(options_);
    s.outcome = decideOutcome(options_, c, ended_, stopRequested_);
    s.stopping = stopRequested_ && !ended_;
    s.entries = c.entries;
    s.impliedEntries = c.impliedEntries;
    s.bytes = c.bytes + (ended_ ? 0 : c.openBytes);
    s.showBytes = options_.kind == Kind::Tar || options_.kind == Kind::Zip;
    s.percent = c.percent;
    s.errors = c.errors;
    s.firstError = sanitize(c.firstError);
    s.current = sanitize(parser_->displayName());
    if (options_.total) {
        if (totalCountsBytes(options_.kind))
            s.totalBytes = options_.total;
        else
            s.totalEntries = options_.total;
    }
    const auto endTime = ended_ ? end_ : now;
    s.elapsedSeconds = std::max(0.0, std::chrono::duration<double>(endTime - start_).count());

    if (options_.total && *options_.total > 0) {
        const double done = static_cast<double>(measured(options_.kind, c, !ended_));
        s.fraction = std::min(1.0, done / static_cast<double>(*options_.total));
    } else if (options_.total && ended_) {
        s.fraction = 1.0;
    } else if (options_.kind == Kind::Unrar && c.percent >= 0) {
        s.fraction = std::min(1.0, c.percent / 100.0);
    }
    if (s.outcome == Outcome::Done)
        s.fraction = 1.0;
    if (!ended_ && s.fraction >= kEtaMinFraction && s.fraction < 1.0 && s.elapsedSeconds >= kEtaMinElapsedSeconds)
        s.remainingSeconds = s.elapsedSeconds * (1.0 - s.fraction) / s.fraction;
    return s;
}

// --- words -------------------------------------------------------------------

std::string operationWord(Operation op)
{
    return op == Operation::Packing ? "Packing" : "Unpacking";
}

std::string resultTitle(const Snapshot& s)
{
    const std::string op = operationWord(s.op);
    switch (s.outcome) {
    case Outcome::Running: return s.stopping ? op + ": stopping" : op;
    case Outcome::Done: return op + " done";
    case Outcome::Errors: return op + " reported errors";
    case Outcome::EndedEarly: return op + " ended early";
    case Outcome::Stopped: return op + " stopped";
    }
    return op;
}

namespace {

std::string plural(std::uint64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string lowerFirst(std::string s)
{
    if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z')
        s[0] = static_cast<char>(s[0] - 'A' + 'a');
    return s;
}

} // namespace

std::string countsText(const Snapshot& s)
{
    if (s.totalEntries)
        return std::to_string(s.entries) + " of " + plural(*s.totalEntries, "entry", "entries");
    return plural(s.entries, "entry", "entries");
}

std::string sizesText(const Snapshot& s)
{
    if (!s.showBytes)
        return std::string();
    if (s.totalBytes && s.outcome == Outcome::Running)
        return humanSize(s.bytes) + " of " + humanSize(*s.totalBytes);
    return humanSize(s.bytes);
}

std::string percentText(const Snapshot& s)
{
    if (s.fraction < 0)
        return std::string();
    return std::to_string(static_cast<int>(std::floor(s.fraction * 100.0 + 1e-9))) + " %";
}

std::string timesText(const Snapshot& s)
{
    std::string t = "Elapsed " + humanDuration(static_cast<std::int64_t>(s.elapsedSeconds));
    if (s.outcome == Outcome::Running) {
        if (s.remainingSeconds >= 0)
            t += ", left " + humanDuration(static_cast<std::int64_t>(std::ceil(s.remainingSeconds)));
        else if (s.fraction >= 0 && s.fraction < 1.0)
            t += ", left \u2013";   // not known yet
    }
    return t;
}

std::string resultDetail(const Snapshot& s)
{
    const bool packing = s.op == Operation::Packing;
    switch (s.outcome) {
    case Outcome::Running:
        return s.stopping ? "Stopping the archiver\u2026" : std::string();
    case Outcome::Done:
        if (packing)
            return "The archive is complete.";
        if (s.totalEntries && s.entries < *s.totalEntries)
            return "All entries were unpacked (the folders that existed already are not listed).";
        return "All entries were unpacked.";
    case Outcome::Errors: {
        std::string d = plural(s.errors, "error", "errors") + " listed";
        if (!s.firstError.empty())
            d += ", the first: " + s.firstError;
        d += packing ? ". The archive may be incomplete." : ". Some files may be missing or damaged.";
        return d;
    }
    case Outcome::EndedEarly:
        if (s.entries == 0)
            return packing ? "Nothing was packed: the files may be missing or the archive not writable."
                           : "Nothing was unpacked: the archive may be missing, empty or unreadable.";
        if (packing)
            return "The archiver ended before everything was packed: the archive is incomplete.";
        if (s.totalEntries)
            return "The archiver ended after " + std::to_string(s.entries) + " of "
                + plural(*s.totalEntries, "entry", "entries")
                + " (entries that exist already may have been skipped).";
        return "The archiver ended before it said that everything was unpacked.";
    case Outcome::Stopped:
        return packing ? "Stopped by you: a partial archive was left behind."
                       : "Stopped by you: what was unpacked so far (" + plural(s.entries, "entry", "entries")
                + ", the last perhaps in part) was left in place.";
    }
    return std::string();
}

std::string statusLine(const Snapshot& s, std::size_t columns)
{
    std::string line = resultTitle(s);
    const std::string pct = percentText(s);
    if (!pct.empty() && s.outcome == Outcome::Running)
        line += " " + pct;
    line += " | " + countsText(s);
    const std::string sizes = sizesText(s);
    if (!sizes.empty())
        line += ", " + sizes;
    line += " | " + lowerFirst(timesText(s));
    if (!s.current.empty()) {
        const std::size_t used = displayWidth(line) + 3;
        if (columns > used + 8)
            line += " | " + elideMiddle(s.current, columns - used);
    }
    return cutToWidth(line, columns);
}

std::string summaryLine(const Snapshot& s)
{
    std::string line = "tally: " + lowerFirst(resultTitle(s)) + ": " + countsText(s);
    const std::string sizes = sizesText(s);
    if (!sizes.empty())
        line += ", " + sizes;
    line += " in " + humanDuration(static_cast<std::int64_t>(s.elapsedSeconds));
    if (s.outcome != Outcome::Done && s.outcome != Outcome::Running)
        line += "; " + lowerFirst(resultDetail(s));
    return line;
}

} // namespace tally
