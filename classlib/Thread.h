// The part of the class library's thread object that code outside the thread reads: its stop flag.
#pragma once

#include <atomic>

class TThread {
public:
    TThread() = default;
    virtual ~TThread() = default;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Asks the thread to stop; whoever runs on its behalf polls Terminated.
    void Terminate() { Terminated = true; }

    std::atomic<bool> Terminated{false};
};
