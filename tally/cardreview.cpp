#include "cardreview.h"

#include <sys/stat.h>

#include <set>

#include "cardprobe.h"
#include "finisher.h"
#include "textutil.h"

namespace tally {

namespace {

void add(JobState& job, std::string text, bool firm)
{
    Message m;
    m.text = std::move(text);
    m.firm = firm;
    m.notice = !firm;
    (firm ? job.firm : job.notices) += 1;
    if (job.messages.size() < kMaxMessages)
        job.messages.push_back(std::move(m));
}

// The archiver's message, now in tally's words.
void reword(JobState& job, Message& m, std::string text, bool firm)
{
    if (job.others > 0)
        --job.others;
    (firm ? job.firm : job.notices) += 1;
    m.text = std::move(text);
    m.firm = firm;
    m.notice = !firm;
    m.followUp = false;
    m.meaning = nullptr;
}

std::string relative(const std::string& staging, std::string member)
{
    if (!staging.empty() && startsWith(member, staging + "/"))
        member.erase(0, staging.size() + 1);
    while (startsWith(member, "./"))
        member.erase(0, 2);
    return member;
}

bool isFolder(const std::string& staging, const std::string& member)
{
    struct stat st;
    return ::lstat((staging + "/" + member).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

void reviewCard(const std::string& staging, const CardRules& rules, const CardListing& listing, JobState& job)
{
    const std::uint64_t limit = rules.fileLimit.value_or(kFatFileLimit);
    std::set<std::string> told;
    for (Message& m : job.messages) {
        if (m.firm || m.notice)
            continue;
        const auto complaint = complaintIn(m.text);
        if (!complaint)
            continue;
        if (complaint->trouble == Trouble::Modes) {
            if (rules.foldsCase)   // FAT keeps no modes: what unzip could not set was not lost
                reword(job, m, modesWords(), false);
            continue;
        }
        const std::string member = relative(staging, complaint->member);
        if (told.count(member)) {
            m.followUp = true;   // the same member again: tally has said why
            continue;
        }
        switch (complaint->trouble) {
        case Trouble::Taken: {
            if (!rules.foldsCase)
                continue;
            const std::string holder = holderOf(staging, member);
            if (isFolder(staging, holder.empty() ? member : holder))
                reword(job, m, mergedWords(member, holder.empty() ? member : holder), false);
            else
                reword(job, m, takenWords(member, holder, false), true);
            break;
        }
        case Trouble::BadName: {
            const char* why = unfitName(member, rules);
            if (!why)
                continue;
            reword(job, m, unfitWords(member, why), true);
            break;
        }
        case Trouble::Full: {
            const CutMember cut = setAsideCut(staging, member, std::nullopt);
            reword(job, m, fullWords(member, cut.keptAsPart), true);
            break;
        }
        case Trouble::TooLarge: {
            const CutMember cut = setAsideCut(staging, member, std::nullopt);
            reword(job, m, tooLargeWords(member, std::nullopt, limit, cut.keptAsPart), true);
            break;
        }
        case Trouble::None:
        case Trouble::Modes: continue;
        }
        told.insert(member);
    }
    for (const auto& [name, size] : listing.large) {
        const std::string member = relative(staging, name);
        if (size <= limit || told.count(member))
            continue;
        const CutMember cut = setAsideCut(staging, member, std::nullopt);
        add(job, tooLargeWords(member, size, limit, cut.keptAsPart), true);
        told.insert(member);
    }
    for (const Clash& clash : listing.clashes) {
        const std::string member = relative(staging, clash.member);
        if (told.count(member))
            continue;
        if (clash.folder)
            add(job, mergedWords(member, relative(staging, clash.earlier)), false);
        else
            add(job, takenWords(member, relative(staging, clash.earlier), listing.renames), !listing.renames);
        told.insert(member);
    }
}

} // namespace tally
