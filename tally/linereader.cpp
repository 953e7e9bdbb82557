#include "linereader.h"

namespace tally {

LineReader::LineReader()
{
    head_.reserve(256);
}

void LineReader::append(const char* data, std::size_t size)
{
    if (size == 0) {
        // An empty piece still opens the line only when something came.
        return;
    }
    openLength_ += size;
    if (head_.size() < kLineHeadBytes) {
        const std::size_t take = std::min(size, kLineHeadBytes - head_.size());
        head_.append(data, take);
        data += take;
        size -= take;
    }
    if (size == 0)
        return;
    // Past the head: keep only the last kLineTailBytes.
    if (size >= kLineTailBytes) {
        dropped_ += tail_.size() + (size - kLineTailBytes);
        tail_.assign(data + size - kLineTailBytes, kLineTailBytes);
        return;
    }
    const std::size_t total = tail_.size() + size;
    if (total > kLineTailBytes) {
        const std::size_t cut = total - kLineTailBytes;
        dropped_ += cut;
        tail_.erase(0, cut);
    }
    tail_.append(data, size);
}

Line LineReader::assembled(bool strip)
{
    Line line;
    line.dropped = dropped_;
    if (tail_.empty()) {
        line.text = head_;
    } else {
        joined_.assign(head_);
        joined_.append(tail_);
        line.text = joined_;
    }
    if (strip)
        line.text = stripCr(line.text);
    line.transient = true;
    return line;
}

Line LineReader::open()
{
    return assembled(false);
}

void LineReader::clearOpen()
{
    head_.clear();
    tail_.clear();
    joined_.clear();
    dropped_ = 0;
    openLength_ = 0;
    if (head_.capacity() > 4 * kLineHeadBytes)
        head_.shrink_to_fit();
}

bool LineReader::takeOpen(std::string& into, std::uint64_t& dropped)
{
    if (openLength_ == 0)
        return false;
    const Line line = assembled(true);
    into.assign(line.text);
    dropped = line.dropped;
    clearOpen();
    ++lines_;
    return true;
}

} // namespace tally
