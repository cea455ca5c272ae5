// Runs one job over a range of rows on a few threads. The threads start with the first job large enough to
// pay for them (starting one costs about a millisecond) and end with the object, which waits for them (3-5 ms
// under Wine): threads left to end on their own made Wine hang the process's exit now and then.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CParallelRows {
public:
    CParallelRows() = default;
    ~CParallelRows();
    CParallelRows(const CParallelRows&) = delete;
    CParallelRows& operator=(const CParallelRows&) = delete;

    // Calls job(first, last) on disjoint parts of [0, rows) that together cover it, and returns when all
    // are done. `pixels` is the work's size: small jobs run on the calling thread alone. A part that
    // throws is left unfinished and the others still run.
    void Run(int rows, int64_t pixels, const std::function<void(int first, int last)>& job);
    // Run in two halves, so that the calling thread can do other work meanwhile: Begin hands the job to the
    // workers and returns at once; Finish takes the parts still left and returns when all are done. The job
    // must live until Finish, and every Begin needs its Finish before the next Begin.
    void Begin(int rows, int64_t pixels, const std::function<void(int first, int last)>& job);
    void Finish();

private:
    // What the workers share with the object.
    struct Shared {
        std::mutex Lock;
        std::condition_variable Wake;
        std::condition_variable Done;
        const std::function<void(int, int)>* Job = nullptr;
        int Rows = 0;
        int PartRows = 1;
        std::atomic<int> NextRow{0};
        int Active = 0;  // workers inside the current job
        unsigned Generation = 0;
        bool Stopping = false;

        // Takes parts of the job until none is left. Parts are handed out through an atomic counter: a
        // contended lock costs a round trip to the system under some emulators, one per part.
        void TakeParts(const std::function<void(int, int)>& job);
        void Work();
    };

    void Start();

    Shared Shared_;
    std::vector<std::thread> Workers_;
    // A job too small for the workers, left for Finish.
    const std::function<void(int, int)>* Small_ = nullptr;
    int SmallRows_ = 0;
};
