// Reads an archive's members on a thread of its own, so that the window
// stays responsive while a large compressed archive is read; the browser
// takes what has been read so far, in batches. Plain C++.
#pragma once

#include "members.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MemberReader
{
public:
    // `ended` is called on the reading thread once the reading has ended,
    // unless the reader is destroyed before.
    MemberReader(const std::string& archive, std::function<void()> ended);
    // Asks the reading to stop; the thread ends by itself after the block
    // it is reading, holding what it shares with this object.
    ~MemberReader();
    MemberReader(const MemberReader&) = delete;
    MemberReader& operator=(const MemberReader&) = delete;

    // The members read since the last call, in the order read.
    std::vector<arkive::Member> take();
    // Whether the reading has ended; then take() has the last members, and
    // result() how it ended.
    bool done() const;
    arkive::ListingResult result() const;
    // The bytes of the archive file read so far.
    std::uint64_t bytesRead() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
