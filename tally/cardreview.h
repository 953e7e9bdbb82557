// Before what was unpacked onto a memory card is placed: the members the
// card could not take as they are are named, with the reason, in tally's
// words (instead of the archiver's), and no member cut short by a full
// card or by the card's file size limit keeps its own name.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "cardnames.h"
#include "session.h"

namespace tally {

// What the listing showed that the card may not take.
struct CardListing {
    std::vector<std::pair<std::string, std::uint64_t>> large;   // members and their listed sizes
    std::vector<Clash> clashes;                                 // names another member took
    bool renames = false;   // the archiver unpacked a clashing member under another name (7-Zip's -aou)
};

// Words the archivers' complaints about members (cardnames.h's
// complaintIn) in tally's words, as errors of tally's; tells the clashes
// and the members over the size limit; sets aside (MEMBER.part) each member
// that a full card or the limit cut.
void reviewCard(const std::string& staging, const CardRules& rules, const CardListing& listing, JobState& job);

} // namespace tally
