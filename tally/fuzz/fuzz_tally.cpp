// libFuzzer target for tally's input side: the records, the line reader, the
// parsers, the progress model and the texts built from them. Plain C++ (tally_core), no Qt. Build and run: fuzz/run.sh SECONDS.
//
// Input layout: byte 0 picks the kind (bits 0-1 and 4), whether a total is
// given (bit 2; an odd one is the bytes the line moves, --bytes, as well), whether a stop was asked for (bit 3) and whether the
// operation is said in so many words, the other one than the kind's own
// (bit 5); byte 1 sets the chunk
// size of the feed; byte 2 the terminal width; bytes 3-6 the total; the rest
// is the listing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "options.h"
#include "session.h"
#include "textutil.h"

namespace {

// A probe that touches no file: sizes derived from the path.
class FakeProbe : public tally::FileProbe {
public:
    std::optional<std::uint64_t> fileSize(const std::string& path) override
    {
        return path.empty() || path.size() % 2 ? std::nullopt : std::optional<std::uint64_t>(path.size() * 1000u);
    }
    std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) override
    {
        // Near the top: overflow must saturate.
        return path.size() % 3 ? std::nullopt : std::optional<std::uint64_t>(~0ull - path.size());
    }
};

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool isCleanUtf8(const std::string& s)
{
    // sanitize() of sanitized text changes nothing.
    return tally::sanitize(s, s.size() + 1) == s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 7)
        return 0;
    const std::uint8_t flags = data[0];
    const std::size_t chunk = static_cast<std::size_t>(data[1] % 97) + 1;
    const std::size_t columns = data[2];
    std::uint32_t total32;
    std::memcpy(&total32, data + 3, sizeof total32);
    const char* text = reinterpret_cast<const char*>(data + 7);
    const std::size_t textSize = size - 7;

    tally::Options options;
    options.kind = static_cast<tally::Kind>(((flags & 3) | (flags & 0x10) >> 2) % tally::kKindCount);
    if (flags & 0x20)
        options.operation = tally::operationOf(options) == tally::Operation::Packing ? tally::Operation::Unpacking
                                                                                    : tally::Operation::Packing;
    if (flags & 4)
        options.total = (flags & 0x80) ? static_cast<std::uint64_t>(total32) << 20 : total32;
    if ((flags & 4) && (total32 & 1))
        options.bytes = options.total;

    FakeProbe probe;
    const auto t0 = tally::Clock::time_point{};
    tally::Session session(options, t0, (flags & 0x40) ? &probe : nullptr);
    if (flags & 8)
        session.setStopRequested();
    int round = 0;
    double shown = -1;
    for (std::size_t off = 0; off < textSize; off += chunk) {
        const std::size_t len = std::min(chunk, textSize - off);
        session.feed(text + off, len);
        if (++round % 5 == 0) {
            const tally::Snapshot s = session.snapshot(t0 + std::chrono::milliseconds(100 * round));
            // Never back, below 100 % while running.
            check(s.fraction >= shown && s.fraction <= tally::kMaxRunningFraction);
            check(s.remainingSeconds == -1 || s.remainingSeconds >= 0);
            check(s.outcome == tally::Outcome::Running);
            shown = s.fraction;
        }
    }
    session.finish(t0 + std::chrono::seconds(3));
    const tally::Snapshot s = session.snapshot(t0 + std::chrono::seconds(4));
    check(s.outcome != tally::Outcome::Running);
    check(s.fraction == -1 || (s.fraction >= 0 && s.fraction <= 1));
    check(s.current.size() <= 4 * tally::kMaxNameBytes);
    check(isCleanUtf8(s.current) && isCleanUtf8(s.firstError));
    const std::string status = tally::statusLine(s, columns);
    check(tally::displayWidth(status) <= columns);
    check(isCleanUtf8(tally::summaryLine(s)));
    check(tally::countsBounded(session.parser().counts()));

    // Text helpers on raw bytes.
    const std::string clean = tally::sanitize(std::string_view(text, textSize));
    check(isCleanUtf8(clean));
    check(tally::displayWidth(tally::elideMiddle(clean, columns)) <= columns);
    (void)tally::tarUnquote(std::string_view(text, textSize));
    return 0;
}
