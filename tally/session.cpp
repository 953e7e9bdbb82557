#include "session.h"

#include <algorithm>
#include <cmath>

#include <sys/stat.h>
#include <unistd.h>

#include "cardprobe.h"
#include "cardreview.h"
#include "endsignals.h"
#include "textutil.h"
#include "zipdirectory.h"

namespace tally {

int exitCode(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return 0;
    case Outcome::Errors: return 1;
    case Outcome::EndedEarly: return 2;
    case Outcome::Stopped: return 3;
    case Outcome::Warnings: return 4;
    case Outcome::Running: return -1;
    }
    return -1;
}

namespace {

// What the total is measured against: bytes for tar and zip, entries for
// unzip (with the folders that unzip leaves unlisted), unrar and bsdtar.
bool totalCountsBytes(Kind kind)
{
    return kind == Kind::Tar || kind == Kind::Zip;
}

// 7-Zip tells its own progress, truer than a total: its listing shows no
// sizes to measure one against.
std::optional<std::uint64_t> totalOf(const Options& options)
{
    return options.kind == Kind::SevenZip ? std::nullopt : options.total;
}

// unzip and bsdtar, given the bytes they unpack to, are measured by the
// files they write.
bool measuresWritten(const Options& options)
{
    return options.bytes && (options.kind == Kind::Unzip || options.kind == Kind::Bsdtar);
}

// Where the kind tells its own percentage.
bool ownPercent(Kind kind)
{
    return kind == Kind::Unrar || kind == Kind::SevenZip;
}

std::uint64_t measured(Kind kind, const Counts& c, bool withOpen)
{
    if (totalCountsBytes(kind))
        return c.bytes + (withOpen ? c.openBytes : 0);
    return c.entries + (kind == Kind::Unzip ? c.impliedEntries : 0);
}

// A status other than 0 that is no warning of its program's; packing knows
// no warnings: something was left out.
bool isFailure(const std::pair<std::string, int>& status, Operation op)
{
    return status.second != 0 && (op == Operation::Packing || !arkive::isWarningStatus(status.first, status.second));
}

bool anyFailed(const JobState& job, Operation op)
{
    return std::any_of(job.statuses.begin(), job.statuses.end(),
                       [op](const auto& status) { return isFailure(status, op); });
}

bool anyWarned(const JobState& job, Operation op)
{
    return std::any_of(job.statuses.begin(), job.statuses.end(),
                       [op](const auto& status) { return status.second != 0 && !isFailure(status, op); });
}

// Errors a listing counts beyond its messages (unrar's "Total errors: N").
std::uint64_t untold(const Counts& counts, const JobState& job)
{
    return counts.errors > job.parserErrors ? counts.errors - job.parserErrors : 0;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string jobText(const Options& options)
{
    if (options.archive.empty())
        return std::string();
    if (operationOf(options) == Operation::Packing)
        return "\u2192 " + options.archive;
    return options.archive + " \u2192 " + options.folder;
}

} // namespace

Outcome decideOutcome(const Options& options, const Counts& counts, const JobState& job, bool ended, bool stopped)
{
    if (!ended)
        return Outcome::Running;
    if (stopped)
        return Outcome::Stopped;
    const Operation op = operationOf(options);
    const bool warned = anyWarned(job, op);
    const std::uint64_t others = job.others + untold(counts, job);
    if (anyFailed(job, op) || job.firm > 0 || (others > 0 && !warned))
        return Outcome::Errors;
    const Outcome done = warned || others > 0 || job.notices > 0 ? Outcome::Warnings : Outcome::Done;
    if (options.stages)
        return job.statuses.size() >= *options.stages ? done : Outcome::EndedEarly;
    // 7-Zip lists neither the folders nor the empty files it packs.
    if (counts.entries == 0 && !(options.kind == Kind::SevenZip && counts.endMarker))
        return Outcome::EndedEarly;
    const auto total = totalOf(options);
    if (total && measured(options.kind, counts, false) < *total)
        return Outcome::EndedEarly;
    if ((options.kind == Kind::Zip || options.kind == Kind::Unrar || options.kind == Kind::SevenZip)
        && !counts.endMarker)
        return Outcome::EndedEarly;
    return done;
}

Session::Session(const Options& options, Clock::time_point start, FileProbe* probe)
    : options_(options), probe_(probe), parser_(makeParser(options.kind, operationOf(options))),
      jobText_(sanitize(jobText(options))), start_(start), end_(start), progress_(start)
{
    parser_->setProbe(probe);
    parser_->setSink(this);
    parser_->setFolder(operationOf(options_) == Operation::Packing ? options_.base
                       : options_.kind == Kind::Bsdtar             ? options_.staging
                                                                   : std::string());
    parser_->setCountWritten(measuresWritten(options_));
    if (!options_.staging.empty())
        parser_->setLargeAbove(std::min(kFatFileLimit, givenFileLimit().value_or(kFatFileLimit)));
    if (!options_.ignored.empty()) {
        std::string words;
        for (const std::string& word : options_.ignored)
            words += (words.empty() ? "" : " ") + word;
        error("tally: words not understood: " + words, true);
    }
}

void Session::feed(const char* data, std::size_t size)
{
    if (inputEnded_)
        return;
    splitter_.feed(
        data, size, [this](const char* listing, std::size_t n) { feedListing(listing, n); },
        [this](char type, std::string_view text) { record(type, text); });
}

void Session::feedListing(const char* data, std::size_t size)
{
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
    const bool watch = !options_.staging.empty();
    reader_.feed(data, size, [this, &p, watch](const Line& line) {
        p.line(line.text, line.dropped);
        if (watch && p.counts().entries != listed_)
            noteMember();
        if (line.transient)
            p.chunkEnd();   // its text is about to change
    });
    p.chunkEnd();   // the caller's chunk may go now
}

void Session::record(char type, std::string_view text)
{
    if (type == 'B') {
        if (const auto bytes = leadingNumber(text)) {
            passed_ = std::max(passed_, *bytes);
            passTold_ = true;
        }
        return;
    }
    if (type == 'S') {
        const auto blank = text.rfind(' ');
        if (blank != std::string_view::npos) {
            const auto status = leadingNumber(text.substr(blank + 1));
            job_.statuses.emplace_back(std::string(text.substr(0, blank)),
                                       status ? static_cast<int>(std::min<std::uint64_t>(*status, 255)) : 255);
        }
        return;
    }
    if (type != 'E' || trimBlanks(text).empty())
        return;
    // What tar says when it packs the absolute paths it was given, and its
    // closing summary of the errors it has already told, are no errors.
    if (startsWith(text, "tar: Exiting with failure status")
        || (operationOf(options_) == Operation::Packing && startsWith(text, "tar: Removing leading `/'")))
        return;
    // A line that begins with a blank and names nothing (no "WHAT: ") goes
    // on with the message before it; unzip indents its own messages too.
    // The first message is kept whole, as far as it may be long.
    // 7-Zip writes "ERROR: WHAT" (or "WARNING:") and says what about it on
    // the lines after.
    const bool sevenZipGoesOn = options_.kind == Kind::SevenZip && !startsWith(text, "ERROR")
                                && !startsWith(text, "WARNING") && !startsWith(text, "System ERROR");
    const std::uint64_t count = job_.told();
    if (count > 0
        && (sevenZipGoesOn || ((text[0] == ' ' || text[0] == '\t') && text.find(": ") == std::string_view::npos))) {
        if (count == job_.messages.size()) {
            Message& last = job_.messages.back();
            if (last.text.size() < kMaxErrorBytes)
                last.text.append(" ").append(trimBlanks(text).substr(0, kMaxErrorBytes - last.text.size()));
            if (arkive::tellsWrongPassword(last.text))
                job_.wrongPassword = true;
        }
        return;
    }
    error(text);
}

void Session::message(std::string_view text, std::uint64_t count)
{
    if (count == 0)
        return;
    job_.parserErrors += count;
    error(text);
    if (count > 1)
        job_.others += count - 1;
}

void Session::error(std::string_view text, bool firm)
{
    Message m;
    m.text.assign(trimBlanks(text).substr(0, kMaxErrorBytes));
    if (m.text.empty())
        m.text = "error";
    m.firm = firm;
    const arkive::Notice* notice = firm ? nullptr : arkive::noticeIn(m.text);
    m.notice = notice != nullptr;
    m.meaning = notice ? notice->meaning : nullptr;
    m.followUp = !firm && arkive::isFollowUp(m.text);
    if (!firm && arkive::tellsWrongPassword(m.text))
        job_.wrongPassword = true;
    (firm ? job_.firm : m.notice ? job_.notices : job_.others) += 1;
    if (job_.messages.size() < kMaxMessages)
        job_.messages.push_back(std::move(m));
}

std::string Session::shown(std::string text) const
{
    // The private folder and the partial archive are the line's own: the
    // user knows them as the folder and the archive.
    for (const auto& [own, known] : {std::pair{&options_.staging, &options_.folder},
                                     std::pair{&options_.partial, &options_.archive}}) {
        if (own->empty())
            continue;
        for (auto at = text.find(*own); at != std::string::npos; at = text.find(*own, at + known->size()))
            text.replace(at, own->size(), *known);
    }
    return text;
}

// What the output folder's file system does, probed once the archiver
// has listed something (the private folder is there then) or at the end.
const CardRules& Session::card()
{
    if (!card_)
        card_ = probeCard(options_.staging);
    return *card_;
}

// A member listed (not by tar, whose own words tell what a card did): on
// a card that folds case, its name is compared with the ones before.
void Session::noteMember()
{
    listed_ = parser_->counts().entries;
    if (card().foldsCase && folded_.size() < kMaxFoldedNames)
        noteListed(parser_->counts().current, folded_, clashes_);
}

Outcome Session::outcome() const
{
    return decideOutcome(options_, parser_->counts(), job_, ended_, stopRequested_);
}

void Session::finish(Clock::time_point now)
{
    endInput(now);
    putInPlace();
    placed(now);
}

void Session::setStopRequested()
{
    stopRequested_ = true;
    control_.stop = placing();
}

void Session::interrupt(int signal)
{
    if (ended_ || signal_ != 0)
        return;
    signal_ = signal;
    stopRequested_ = true;
    control_.stop = placing();
}

void Session::endInput(Clock::time_point now)
{
    if (inputEnded_)
        return;
    std::string last;
    std::uint64_t dropped = 0;
    const bool has = reader_.takeOpen(last, dropped);
    parser_->endOfInput(last, has, dropped);
    inputEnded_ = true;
    end_ = now;
    // An archive is put in place when every program of the line ended
    // well (its warnings, such as files zip cannot store, are told all the
    // same). What an unpacking that went wrong made only adds to the folder,
    // less the member it was writing when it ended; after a wrong password
    // or a signal nothing is placed. What the card could not take is told
    // first.
    // unzip passes over a member whose name another one took without a
    // word: the zip's own directory tells which, in the order unzip takes.
    if (options_.kind == Kind::Unzip && !options_.staging.empty() && signal_ == 0 && card().foldsCase) {
        folded_.clear();
        clashes_.clear();
        for (const std::string& name : arkive::readZipNames(options_.archive))
            if (folded_.size() < kMaxFoldedNames)
                noteListed(name, folded_, clashes_);
    }
    if (!options_.staging.empty() && !job_.wrongPassword && signal_ == 0)
        reviewCard(options_.staging, card(), {parser_->large(), clashes_, options_.kind == Kind::SevenZip}, job_);
    const Outcome ended = decideOutcome(options_, parser_->counts(), job_, true, stopRequested_);
    const bool done = ended == Outcome::Done || ended == Outcome::Warnings;
    const Operation op = operationOf(options_);
    Placement& p = placement_;
    if (!options_.partial.empty()) {
        p.commit = true;
        p.succeeded = signal_ == 0
                      && (options_.stages ? !stopRequested_ && job_.statuses.size() >= *options_.stages
                                                && !anyFailed(job_, op)
                                          : done);
    } else if (!options_.staging.empty()) {
        p.discard = signal_ != 0 || (job_.wrongPassword && !done);
        p.setAside = !p.discard && !done && mayBeCut(ended);
        p.replace = done && !options_.keep;
        p.member = parser_->counts().current;
        p.memberSize = parser_->counts().currentSize;
    }
    stopBeforePlacing_ = stopRequested_;
}

void Session::putInPlace()
{
    if (!placing())
        return;
    const Placement& p = placement_;
    if (p.commit) {
        placed_ = commitArchive(options_.partial, options_.archive, p.succeeded);
        written_ = p.succeeded && placed_.errors.empty();
        if (p.succeeded)
            noteStorage(syncToStorage(folderOf(options_.archive), options_.archive));
    } else if (!options_.staging.empty() && p.discard) {
        discardUnpacked(options_.staging);
    } else if (!options_.staging.empty()) {
        if (p.setAside)
            cut_ = setAsideCut(options_.staging, p.member, p.memberSize);
        placed_ = placeUnpacked(options_.staging, options_.folder, p.replace, &control_, options_.ownFolder);
        if (!options_.folder.empty())
            noteStorage(syncToStorage(options_.folder));
    }
    if (!options_.scratch.empty())
        discardUnpacked(options_.scratch);
    // Everything of the job is where it belongs: nothing is left to clean.
    if (!options_.record.empty())
        ::unlink(options_.record.c_str());
}

void Session::placed(Clock::time_point now)
{
    if (!placing())
        return;
    ended_ = true;
    end_ = now;
    // A stop that came while placing counts when it stopped the placement
    // (it may have come too late to).
    stopRequested_ = stopBeforePlacing_ || placed_.stopped;
    for (const std::string& e : placed_.errors)
        error(e, true);
}

void Session::noteStorage(const std::string& failure)
{
    if (!failure.empty())
        placed_.errors.push_back(failure);
}

// Whether the member listed last may have been left cut short. tar lists
// its size, which settles it. The others finish a member or tell what went
// wrong with it by name, unless they were stopped or ended by a signal.
bool Session::mayBeCut(Outcome ended) const
{
    const Counts& c = parser_->counts();
    if (c.current.empty())
        return false;
    if (c.currentSize || ended == Outcome::Stopped || ended == Outcome::EndedEarly)
        return true;
    const std::string_view name = std::string_view(c.current).substr(c.current.rfind('/') + 1);
    return std::any_of(job_.statuses.begin(), job_.statuses.end(), [](const auto& st) { return st.second > 128; })
           || std::any_of(job_.messages.begin(), job_.messages.end(),
                          [name](const Message& m) { return !m.notice && !m.firm && contains(m.text, name); });
}

Snapshot Session::snapshot(Clock::time_point now)
{
    // The member being written, as far as it has got; none once its line
    // has ended, when it counts as written.
    openWritten_ = 0;
    if (!inputEnded_ && reader_.hasOpen()) {
        const Line open = reader_.open();
        parser_->openLine(open.text, open.dropped);
        const std::string& file = parser_->openFile();
        if (!file.empty() && probe_)
            openWritten_ = probe_->fileSize(file).value_or(0);
    }
    // A tar line without a pass: the partial archive as tar writes it, the
    // archive as tar reads it.
    if (options_.bytes && !passTold_ && !inputEnded_ && options_.kind == Kind::Tar) {
        struct stat partial;
        if (operationOf(options_) == Operation::Packing && !options_.partial.empty()
            && ::stat(options_.partial.c_str(), &partial) == 0)
            watched_ = std::max(watched_, static_cast<std::uint64_t>(partial.st_size));
        else if (operationOf(options_) == Operation::Unpacking && probe_ && !options_.archive.empty())
            watched_ = std::max(watched_, probe_->readPosition(options_.archive).value_or(0));
    }
    const Counts& c = parser_->counts();
    Snapshot s;
    s.kind = options_.kind;
    s.op = operationOf(options_);
    s.outcome = outcome();
    s.stopping = stopRequested_ && !ended_;
    s.entries = c.entries;
    s.impliedEntries = c.impliedEntries;
    s.bytes = c.bytes + (inputEnded_ ? 0 : c.openBytes);
    s.signal = signal_;
    s.placing = placing();
    s.placed = control_.placed.load(std::memory_order_relaxed);
    s.toPlace = std::max(s.placed, c.entries + c.impliedEntries);
    s.showBytes = totalCountsBytes(options_.kind);
    s.percent = c.percent;
    // Errors first, each program's cause before its follow-ups; notices,
    // and the rest when every program did its work, are warnings.
    const bool othersWarn = s.outcome == Outcome::Warnings;
    const auto rank = [othersWarn](const Message& m) {
        return m.firm || !(m.notice || othersWarn) ? (m.followUp ? 1 : 0) : 2;
    };
    const std::uint64_t others = job_.others + untold(c, job_);
    s.errors = job_.firm + (othersWarn ? 0 : others);
    s.warnings = job_.notices + (othersWarn ? others : 0);
    s.messageCount = job_.told() + untold(c, job_);
    const Message* firstError = nullptr;
    const Message* firstWarning = nullptr;
    for (const Message& m : job_.messages) {
        if (rank(m) < 2 && (!firstError || rank(m) < rank(*firstError)))
            firstError = &m;
        else if (rank(m) == 2 && !firstWarning)
            firstWarning = &m;
    }
    s.firstError = !lead_.empty() ? sanitize(lead_) : firstError ? sanitize(shown(firstError->text)) : std::string();
    if (firstWarning) {
        s.firstWarning = sanitize(shown(firstWarning->text));
        s.warningMeaning = firstWarning->meaning;
    }
    // The whole list, only once the job has ended: the window shows it then.
    if (ended_) {
        std::vector<const Message*> ordered;
        ordered.reserve(job_.messages.size());
        for (const Message& m : job_.messages)
            ordered.push_back(&m);
        std::stable_sort(ordered.begin(), ordered.end(),
                         [&rank](const Message* a, const Message* b) { return rank(*a) < rank(*b); });
        if (!lead_.empty())
            s.messages.push_back(s.firstError);
        for (const Message* m : ordered)
            s.messages.push_back(sanitize(shown(m->text)));
    }
    s.wrongPassword = job_.wrongPassword && s.outcome != Outcome::Done && s.outcome != Outcome::Warnings;
    // What putting in place made is read once it has ended (it may run on
    // another thread).
    if (ended_) {
        s.cutShort = sanitize(cut_.path);
        s.cutKeptAsPart = cut_.keptAsPart;
        s.kept = placed_.kept;
        s.written = written_;
        s.placingStopped = placed_.stopped;
        s.ownFolder = sanitize(placed_.ownFolder);
        s.discarded = placement_.discard;
    }
    if (s.firstError.empty() && s.outcome == Outcome::Errors) {
        // A program failed without a word: its status says what happened.
        for (const auto& status : job_.statuses) {
            if (!isFailure(status, s.op))
                continue;
            const auto& [program, code] = status;
            // The name comes from the line's own records: made safe like any text shown.
            s.firstError = sanitize(program + (code > 128 ? " was ended by signal " + std::to_string(code - 128)
                                                          : " ended with status " + std::to_string(code)));
            s.errors = std::max<std::uint64_t>(s.errors, 1);
            break;
        }
    }
    s.job = jobText_;
    s.current = sanitize(shown(parser_->displayName()));
    const auto total = totalOf(options_);
    if (total) {
        if (totalCountsBytes(options_.kind))
            s.totalBytes = total;
        else
            s.totalEntries = total;
    }
    const auto endTime = ended_ ? end_ : now;
    s.elapsedSeconds = std::max(0.0, std::chrono::duration<double>(endTime - start_).count());

    s.moved = moved();
    s.toMove = options_.bytes;
    if (ended_)
        progress_.finish(s.outcome == Outcome::Done || s.outcome == Outcome::Warnings);
    else
        progress_.update(now, measure());
    s.fraction = progress_.fraction();
    if (!inputEnded_)
        s.remainingSeconds = progress_.remainingSeconds();
    return s;
}

// The bytes moved: what the pass counted; or else what unzip and bsdtar
// wrote (with the member being written, as far as it has got); or else
// what tar has written of the partial archive or read of the archive.
std::uint64_t Session::moved() const
{
    if (passTold_)
        return passed_;
    if (measuresWritten(options_))
        return parser_->counts().bytes + (inputEnded_ ? 0 : openWritten_);
    return watched_;
}

// How far the work has got by the measure it has, 0 to 1; -1 when unknown.
double Session::measure() const
{
    const Counts& c = parser_->counts();
    const auto total = totalOf(options_);
    if (options_.bytes)
        return *options_.bytes > 0 ? static_cast<double>(moved()) / static_cast<double>(*options_.bytes) : -1;
    if (total && *total > 0)
        return static_cast<double>(measured(options_.kind, c, !inputEnded_)) / static_cast<double>(*total);
    if (ownPercent(options_.kind) && c.percent >= 0)
        return c.percent / 100.0;
    return -1;
}

// --- words -------------------------------------------------------------------

namespace {

std::string operationWord(Operation op)
{
    return op == Operation::Packing ? "Packing" : "Unpacking";
}

} // namespace

std::string resultTitle(const Snapshot& s)
{
    const std::string op = operationWord(s.op);
    switch (s.outcome) {
    case Outcome::Running: return s.stopping ? op + ": stopping" : op;
    case Outcome::Done: return op + " done";
    case Outcome::Warnings: return op + " done with warnings";
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
    if (s.toMove && s.outcome == Outcome::Running)
        return humanSize(s.moved) + " of " + humanSize(*s.toMove);
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

std::vector<DetailPiece> detailPieces(const Snapshot& s)
{
    const bool packing = s.op == Operation::Packing;
    // Whether a partial archive or a private folder was involved: then the
    // words can say what became of the result.
    const bool placing = !s.job.empty();
    std::vector<DetailPiece> pieces;
    switch (s.outcome) {
    case Outcome::Running:
        if (s.placing)
            pieces.push_back(DetailPiece::Placing);
        else if (s.stopping)
            pieces.push_back(DetailPiece::Stopping);
        return pieces;
    case Outcome::Done:
    case Outcome::Warnings:
        pieces.push_back(packing ? DetailPiece::ArchiveComplete
                                 : s.kept > 0 ? DetailPiece::Kept : DetailPiece::AllUnpacked);
        if (!s.ownFolder.empty())
            pieces.push_back(DetailPiece::OwnFolder);
        if (s.outcome == Outcome::Warnings)
            pieces.push_back(DetailPiece::FirstWarning);
        return pieces;
    case Outcome::Errors: pieces.push_back(DetailPiece::FirstError); break;
    case Outcome::EndedEarly: pieces.push_back(DetailPiece::EndedAfter); break;
    case Outcome::Stopped:
        pieces.push_back(s.signal != 0 ? DetailPiece::Interrupted : DetailPiece::StoppedByYou);
        break;
    }
    if (!s.cutShort.empty())
        pieces.push_back(DetailPiece::CutShort);
    if (!packing && s.discarded && s.signal != 0)
        pieces.push_back(DetailPiece::NothingPlaced);
    else if (!packing && s.placingStopped)
        pieces.push_back(DetailPiece::PlacingStopped);
    else if (packing && placing)
        pieces.push_back(s.written ? DetailPiece::Written : DetailPiece::NothingWritten);
    else if (!packing && s.wrongPassword)
        pieces.push_back(DetailPiece::WrongPassword);
    else if (!packing && placing && s.entries > 0)
        pieces.push_back(DetailPiece::OnlyAdded);
    return pieces;
}

std::string resultDetail(const Snapshot& s)
{
    std::string detail;
    for (const DetailPiece piece : detailPieces(s)) {
        std::string words;
        switch (piece) {
        case DetailPiece::Stopping: words = "Stopping the archiver\u2026"; break;
        case DetailPiece::ArchiveComplete: words = "The archive is complete."; break;
        case DetailPiece::AllUnpacked: words = "All entries were unpacked."; break;
        case DetailPiece::OwnFolder: words = "They are in the folder " + s.ownFolder + "."; break;
        case DetailPiece::Kept:
            words = s.kept == 1 ? "1 file was already there and was kept; the rest was unpacked."
                                : std::to_string(s.kept) + " files were already there and were kept; the rest was unpacked.";
            break;
        case DetailPiece::FirstError:
        case DetailPiece::FirstWarning: {
            const bool error = piece == DetailPiece::FirstError;
            words = error ? (s.firstError.empty() ? "An error was reported" : s.firstError) : s.firstWarning;
            if (!error && s.warningMeaning)
                words = (words.back() == '.' ? words.substr(0, words.size() - 1) : words) + ": " + s.warningMeaning;
            if (s.messageCount > 1) {
                if (words.back() == '.')
                    words.pop_back();
                words += " (and " + std::to_string(s.messageCount - 1) + " more)";
            }
            if (words.back() != '.')
                words += '.';
            break;
        }
        case DetailPiece::CutShort:
            words = s.cutShort + (s.cutKeptAsPart ? " was cut short: it was placed as " + s.cutShort + ".part."
                                                  : " was cut short and was not placed.");
            break;
        case DetailPiece::WrongPassword: words = "The password is wrong: nothing was placed."; break;
        case DetailPiece::EndedAfter:
            words = "The archiver ended after " + countsText(s) + " without saying that it had finished.";
            break;
        case DetailPiece::StoppedByYou: words = "Stopped by you."; break;
        case DetailPiece::Placing:
            words = s.stopping ? "Stopping after the entry being placed\u2026"
                               : "Placing " + std::to_string(s.placed) + " of " + std::to_string(s.toPlace)
                                     + " entries\u2026";
            break;
        case DetailPiece::PlacingStopped:
            words = "Stopped while placing: " + std::to_string(s.placed)
                    + " entries were placed, each whole; the rest was removed.";
            break;
        case DetailPiece::Interrupted: words = std::string("Ended by ") + endSignalName(s.signal) + "."; break;
        case DetailPiece::NothingPlaced: words = "Nothing was placed: what was unpacked was removed."; break;
        case DetailPiece::Written: words = "The archive was written."; break;
        case DetailPiece::NothingWritten: words = "Nothing was written."; break;
        case DetailPiece::OnlyAdded:
            words = "What was unpacked was added to the folder; no file that existed was replaced.";
            break;
        }
        detail += (detail.empty() ? "" : " ") + words;
    }
    return detail;
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
    std::string line = "tally: " + lowerFirst(resultTitle(s));
    if (!s.job.empty())
        line += " (" + s.job + ")";
    line += ": " + countsText(s);
    const std::string sizes = sizesText(s);
    if (!sizes.empty())
        line += ", " + sizes;
    line += " in " + humanDuration(static_cast<std::int64_t>(s.elapsedSeconds));
    if (s.outcome != Outcome::Running && (s.outcome != Outcome::Done || s.kept > 0))
        line += "; " + resultDetail(s);
    return line;
}

} // namespace tally
