#include "transitions/ParallelRows.h"

#include <algorithm>
#include <thread>

namespace {

// Below this many pixels a job is over before a worker would wake up (on a loaded machine that takes up to a
// millisecond).
constexpr int64_t kParallelPixels = 1 << 18;
// Memory bandwidth, not arithmetic, bounds the jobs: more threads than this bring nothing.
constexpr unsigned kMostThreads = 4;

// Nothing may leave a thread: a part that throws keeps what its rows held.
void RunPart(const std::function<void(int, int)>& job, int first, int last)
{
    try {
        job(first, last);
    } catch (...) {
    }
}

} // namespace

CParallelRows::~CParallelRows()
{
    {
        std::lock_guard<std::mutex> hold(Shared_.Lock);
        Shared_.Stopping = true;
    }
    Shared_.Wake.notify_all();
    for (std::thread& worker : Workers_)
        worker.join();
}

void CParallelRows::Start()
{
    const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), kMostThreads));
    for (unsigned i = 1; i < cores; ++i) {
        try {
            Workers_.emplace_back([this] { Shared_.Work(); });
        } catch (...) {
            break;  // fewer threads: the calling thread still does every part that is left
        }
    }
}

void CParallelRows::Run(int rows, int64_t pixels, const std::function<void(int, int)>& job)
{
    Begin(rows, pixels, job);
    Finish();
}

void CParallelRows::Begin(int rows, int64_t pixels, const std::function<void(int, int)>& job)
{
    if (rows <= 0)
        return;
    if (pixels < kParallelPixels || rows < 2) {
        Small_ = &job;
        SmallRows_ = rows;
        return;
    }
    if (Workers_.empty())
        Start();
    {
        std::lock_guard<std::mutex> hold(Shared_.Lock);
        Shared_.Job = &job;
        Shared_.Rows = rows;
        // A few parts per thread, so that a thread the system holds back delays little.
        Shared_.PartRows = std::max(1, rows / (4 * (static_cast<int>(Workers_.size()) + 1)));
        Shared_.NextRow = 0;
        ++Shared_.Generation;
    }
    Shared_.Wake.notify_all();
}

void CParallelRows::Finish()
{
    if (Small_) {
        const std::function<void(int, int)>& job = *Small_;
        Small_ = nullptr;
        RunPart(job, 0, SmallRows_);
        return;
    }
    Shared& shared = Shared_;
    if (!shared.Job)
        return;
    shared.TakeParts(*shared.Job);
    // Every part is taken; a worker still inside the job is finishing its last one.
    std::unique_lock<std::mutex> hold(shared.Lock);
    shared.Done.wait(hold, [&] { return shared.Active == 0; });
    shared.Job = nullptr;
}

void CParallelRows::Shared::TakeParts(const std::function<void(int, int)>& job)
{
    for (;;) {
        const int first = NextRow.fetch_add(PartRows);
        if (first >= Rows)
            return;
        RunPart(job, first, std::min(Rows, first + PartRows));
    }
}

void CParallelRows::Shared::Work()
{
    unsigned seen = 0;
    for (;;) {
        const std::function<void(int, int)>* job;
        {
            std::unique_lock<std::mutex> hold(Lock);
            Wake.wait(hold, [&] { return Stopping || (Job && Generation != seen); });
            if (Stopping)
                return;
            seen = Generation;
            job = Job;
            ++Active;
        }
        TakeParts(*job);
        {
            std::lock_guard<std::mutex> hold(Lock);
            --Active;
        }
        Done.notify_all();
    }
}
