// A worker thread in the class library's manner: Execute runs on its own thread, Synchronize hands a call to
// the user-interface thread, and OnTerminate runs there once Execute has returned.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

class TThread {
public:
    TThread() = default;
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts Execute on a new thread; false when the thread cannot be made.
    bool Start();
    // Asks the thread to stop; Execute and whoever runs on its behalf poll Terminated.
    void Terminate() { Terminated = true; }
    // Waits until Execute has returned, running Synchronize calls (and messages sent from other threads)
    // meanwhile when called on the UI thread.
    void WaitFor();
    HANDLE Handle() const { return Handle_; }

    std::atomic<bool> Terminated{false};
    // Deleted on the UI thread right after OnTerminate.
    bool FreeOnTerminate = false;
    std::function<void(TThread*)> OnTerminate;

    // Runs the waiting Synchronize calls; the application window calls it, so every message pump serves them.
    static void CheckSynchronize();
    // The application window's notice that thread's Execute has returned.
    static void ThreadDone(TThread* thread);

protected:
    virtual void Execute() {}
    // Runs method on the UI thread and returns after it ran; an exception it raises is raised here.
    void Synchronize(const std::function<void()>& method);

private:
    static unsigned __stdcall ThreadProc(void* self);

    HANDLE Handle_ = nullptr;
};
