#include "memberreader.h"

#include <mutex>
#include <thread>
#include <utility>

namespace {
// Members handed over at a time: the lock is taken once for so many.
constexpr std::size_t kBatchMembers = 256;
} // namespace

struct MemberReader::Shared {
    mutable std::mutex lock;
    std::vector<arkive::Member> ready;
    bool done = false;
    arkive::ListingResult result;
    arkive::ListingControl control;
    std::function<void()> ended;   // cleared when the reader goes, under the lock
};

MemberReader::MemberReader(const std::string& archive, std::function<void()> ended)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->ended = std::move(ended);
    std::thread([shared = m_shared, archive] {
        std::vector<arkive::Member> batch;
        const auto handOver = [&shared, &batch] {
            const std::lock_guard<std::mutex> hold(shared->lock);
            for (arkive::Member& m : batch)
                shared->ready.push_back(std::move(m));
            batch.clear();
        };
        const arkive::ListingResult result = arkive::listMembers(
            archive,
            [&](arkive::Member&& m) {
                batch.push_back(std::move(m));
                if (batch.size() >= kBatchMembers)
                    handOver();
            },
            &shared->control);
        handOver();
        const std::lock_guard<std::mutex> hold(shared->lock);
        shared->result = result;
        shared->done = true;
        if (shared->ended)
            shared->ended();
    }).detach();
}

MemberReader::~MemberReader()
{
    m_shared->control.cancel = true;
    const std::lock_guard<std::mutex> hold(m_shared->lock);
    m_shared->ended = nullptr;
}

std::vector<arkive::Member> MemberReader::take()
{
    const std::lock_guard<std::mutex> hold(m_shared->lock);
    return std::exchange(m_shared->ready, {});
}

bool MemberReader::done() const
{
    const std::lock_guard<std::mutex> hold(m_shared->lock);
    return m_shared->done;
}

arkive::ListingResult MemberReader::result() const
{
    const std::lock_guard<std::mutex> hold(m_shared->lock);
    return m_shared->result;
}

std::uint64_t MemberReader::bytesRead() const
{
    return m_shared->control.bytesRead.load(std::memory_order_relaxed);
}
