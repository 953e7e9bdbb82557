// Small text helpers of tally: plain C++ over bytes, no Qt, so that the
// fuzz target and the text face build without the toolkit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// Bytes as printable UTF-8: invalid sequences, C0 and C1 control characters
// and DEL become '?', so that neither a terminal nor a label can be steered by
// a member name. At most maxBytes of input are looked at.
std::string sanitize(std::string_view bytes, std::size_t maxBytes = 64 * 1024);

// Terminal columns of valid UTF-8 text (wide East Asian characters count 2,
// combining marks 0). Approximate, but never less than the real width of
// sanitized text in a UTF-8 terminal.
std::size_t displayWidth(std::string_view utf8);

// Fits valid UTF-8 text into maxColumns by replacing its middle with "…"
// (keeps the start and the end: the end of a path is the file name).
std::string elideMiddle(std::string_view utf8, std::size_t maxColumns);

// Cuts valid UTF-8 text to at most maxColumns from its start.
std::string cutToWidth(std::string_view utf8, std::size_t maxColumns);

// "0 B", "999 B", "1.0 KiB", "149.4 KiB", "1.1 GiB".
std::string humanSize(std::uint64_t bytes);

// "0:05", "12:34", "1:02:03".
std::string humanDuration(std::int64_t seconds);

// GNU tar's default "escape" quoting undone: \\ \n \t \r \a \b \f \v \? and
// three-digit octal escapes. Unknown escapes are kept as they are.
std::string tarUnquote(std::string_view quoted);

// The leading decimal number of text (digits only, no sign), or nothing when
// text does not start with a digit or the number does not fit 64 bits.
std::optional<std::uint64_t> leadingNumber(std::string_view text);

// Leading/trailing blanks (space and tab) removed.
std::string_view trimBlanks(std::string_view text);
std::string_view trimRightBlanks(std::string_view text);

inline bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

inline bool contains(std::string_view s, std::string_view what)
{
    return s.find(what) != std::string_view::npos;
}

inline bool endsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace tally
