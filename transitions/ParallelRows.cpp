#include "transitions/ParallelRows.h"

#include <algorithm>

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
        std::lock_guard<std::mutex> hold(Lock_);
        Stopping_ = true;
    }
    Wake_.notify_all();
    for (std::thread& t : Threads_)
        t.join();
}

void CParallelRows::Start()
{
    const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), kMostThreads));
    for (unsigned i = 1; i < cores; ++i) {
        try {
            Threads_.emplace_back([this] { Work(); });
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
        Rows_ = rows;
        return;
    }
    if (Threads_.empty())
        Start();
    {
        std::lock_guard<std::mutex> hold(Lock_);
        Job_ = &job;
        Rows_ = rows;
        // A few parts per thread, so that a thread the system holds back delays little.
        PartRows_ = std::max(1, rows / static_cast<int>(4 * (Threads_.size() + 1)));
        NextRow_ = 0;
        ++Generation_;
    }
    Wake_.notify_all();
}

void CParallelRows::Finish()
{
    if (Small_) {
        const std::function<void(int, int)>& job = *Small_;
        Small_ = nullptr;
        RunPart(job, 0, Rows_);
        return;
    }
    if (!Job_)
        return;
    TakeParts(*Job_);
    // Every part is taken; a worker still inside the job is finishing its last one.
    std::unique_lock<std::mutex> hold(Lock_);
    Done_.wait(hold, [this] { return Active_ == 0; });
    Job_ = nullptr;
}

void CParallelRows::TakeParts(const std::function<void(int, int)>& job)
{
    for (;;) {
        const int first = NextRow_.fetch_add(PartRows_);
        if (first >= Rows_)
            return;
        RunPart(job, first, std::min(Rows_, first + PartRows_));
    }
}

void CParallelRows::Work()
{
    unsigned seen = 0;
    for (;;) {
        const std::function<void(int, int)>* job;
        {
            std::unique_lock<std::mutex> hold(Lock_);
            Wake_.wait(hold, [&] { return Stopping_ || (Job_ && Generation_ != seen); });
            if (Stopping_)
                return;
            seen = Generation_;
            job = Job_;
            ++Active_;
        }
        TakeParts(*job);
        {
            std::lock_guard<std::mutex> hold(Lock_);
            --Active_;
        }
        Done_.notify_all();
    }
}
