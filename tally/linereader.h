// Splits a byte stream into lines with bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

// What the reader keeps of a line that does not fit: its first
// kLineHeadBytes and its last kLineTailBytes. The bytes between are counted
// (`dropped`) and discarded, so that a line of megabytes costs no memory and
// both the member name (head) and the closing words (tail, zip's
// "(in=...)", unrar's last percentage) are still seen.
constexpr std::size_t kLineHeadBytes = 16 * 1024;
constexpr std::size_t kLineTailBytes = 1024;

struct Line {
    std::string_view text;      // head, then tail when bytes were dropped
    std::uint64_t dropped = 0;  // bytes left out between head and tail
    // The text lies in the reader's own buffer and changes with the next
    // line; otherwise it lies in the chunk given to feed().
    bool transient = false;
};

class LineReader {
public:
    LineReader();

    // Feeds a chunk; calls onLine(const Line&) for each line that the chunk
    // completes, without its '\n' and without one '\r' before it. Lines that
    // lie wholly inside the chunk are handed over as views into it (no copy):
    // they stay valid as long as the chunk does.
    template <class F>
    void feed(const char* data, std::size_t size, F&& onLine);

    // The line begun but not ended yet (empty when there is none).
    bool hasOpen() const { return openLength_ > 0; }
    Line open();

    // Ends the input: returns the unterminated last line, if any, and forgets it.
    bool takeOpen(std::string& into, std::uint64_t& dropped);

    std::uint64_t lines() const { return lines_; }

private:
    void append(const char* data, std::size_t size);
    Line assembled(bool stripCr);
    void clearOpen();

    std::string head_;
    std::string tail_;          // ring contents in order (kept short)
    std::string joined_;        // head + tail, built only for dropped lines
    std::uint64_t dropped_ = 0;
    std::uint64_t openLength_ = 0;
    std::uint64_t lines_ = 0;
};

inline std::string_view stripCr(std::string_view s)
{
    if (!s.empty() && s.back() == '\r')
        s.remove_suffix(1);
    return s;
}

template <class F>
void LineReader::feed(const char* data, std::size_t size, F&& onLine)
{
    const char* p = data;
    const char* const end = data + size;
    if (openLength_ > 0) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!nl) {
            append(p, static_cast<std::size_t>(end - p));
            return;
        }
        append(p, static_cast<std::size_t>(nl - p));
        ++lines_;
        onLine(assembled(true));
        clearOpen();
        p = nl + 1;
    }
    auto deliver = [&](const char* start, const char* nl) {
        const std::size_t len = static_cast<std::size_t>(nl - start);
        ++lines_;
        if (len > kLineHeadBytes + kLineTailBytes) {
            // Too long to hand over whole: keep head and tail like any other.
            append(start, len);
            onLine(assembled(true));
            clearOpen();
        } else {
            Line line;
            line.text = stripCr(std::string_view(start, len));
            onLine(line);
        }
    };
#if defined(__SSE2__)
    // Sixteen bytes at a time: a mask of the newlines among them.
    const __m128i newline = _mm_set1_epi8('\n');
    const char* q = p;
    for (; end - q >= 16; q += 16) {
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), newline)));
        while (mask) {
            const char* nl = q + __builtin_ctz(mask);
            mask &= mask - 1;
            deliver(p, nl);
            p = nl + 1;
        }
    }
#else
    const char* q = p;
#endif
    while (q < end) {
        const char* nl = static_cast<const char*>(std::memchr(q, '\n', static_cast<std::size_t>(end - q)));
        if (!nl)
            break;
        deliver(p, nl);
        p = q = nl + 1;
    }
    if (p < end)
        append(p, static_cast<std::size_t>(end - p));
}

} // namespace tally
