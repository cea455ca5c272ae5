#include "classlib/Thread.h"

#include "classlib/Application.h"

#include <process.h>

#include <deque>
#include <exception>
#include <mutex>
#include <set>

namespace {

// The user-interface thread is the one that builds the static objects.
const DWORD g_MainThreadId = GetCurrentThreadId();

struct SyncRequest {
    const std::function<void()>* Method;
    HANDLE Done;
    std::exception_ptr Error;
};

std::mutex g_SyncLock;
std::deque<SyncRequest*> g_SyncQueue;

// Set with every queued call: what a wait on the UI thread wakes for, where the call's posted message would
// wake it again and again while any other message waits in the queue unread.
class TSyncSignal {
public:
    TSyncSignal() : Event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~TSyncSignal()
    {
        if (Event_)
            CloseHandle(Event_);
    }
    TSyncSignal(const TSyncSignal&) = delete;
    TSyncSignal& operator=(const TSyncSignal&) = delete;
    HANDLE Handle() const { return Event_; }

private:
    HANDLE Event_;
};
TSyncSignal g_SyncSignal;

// Threads that exist, so a finish notice for a thread deleted meanwhile is ignored (UI thread only).
std::set<TThread*> g_Live;

} // namespace

TThread::~TThread()
{
    if (Handle_) {
        Terminate();
        WaitFor();
        CloseHandle(Handle_);
    }
    g_Live.erase(this);
}

bool TThread::Start()
{
    if (Handle_)
        return false;
    g_Live.insert(this);
    Handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, 0, nullptr));
    if (!Handle_)
        g_Live.erase(this);
    return Handle_ != nullptr;
}

unsigned __stdcall TThread::ThreadProc(void* self)
{
    TThread* thread = static_cast<TThread*>(self);
    try {
        thread->Execute();
    } catch (...) {
        // Nothing leaves a thread; what failed has been reported by the code that knows.
    }
    PostMessageW(Application.Handle(), CM_THREADDONE, 0, reinterpret_cast<LPARAM>(thread));
    return 0;
}

void TThread::WaitFor()
{
    if (!Handle_)
        return;
    if (GetCurrentThreadId() != g_MainThreadId) {
        WaitForSingleObject(Handle_, INFINITE);
        return;
    }
    // Wakes for the thread's end, a queued call or a message sent from another thread (a peek delivers it).
    // Posted messages stay in the queue, in their order, for the loop that reads them; only the calls' own
    // are taken, as the calls are served here.
    const HANDLE waits[] = {Handle_, g_SyncSignal.Handle()};
    const DWORD count = waits[1] ? 2 : 1;
    // Without the signal the calls' messages are what wakes the wait, busy while other messages wait.
    const DWORD wake = waits[1] ? QS_SENDMESSAGE : QS_SENDMESSAGE | QS_POSTMESSAGE;
    MSG msg;
    bool quit = false;
    WPARAM quitCode = 0;
    DWORD woken;
    do {
        // A peek takes WM_QUIT whatever its filter: it goes back for the loop that waits for it.
        while (!quit && PeekMessageW(&msg, Application.Handle(), CM_SYNCHRONIZE, CM_SYNCHRONIZE, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
            }
        }
        CheckSynchronize();
        woken = MsgWaitForMultipleObjectsEx(count, waits, INFINITE, wake, MWMO_INPUTAVAILABLE);
    } while (woken > WAIT_OBJECT_0 && woken <= WAIT_OBJECT_0 + count);
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
}

void TThread::Synchronize(const std::function<void()>& method)
{
    if (GetCurrentThreadId() == g_MainThreadId) {
        method();
        return;
    }
    SyncRequest request{&method, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    if (!request.Done)
        return;
    {
        std::lock_guard<std::mutex> lock(g_SyncLock);
        g_SyncQueue.push_back(&request);
    }
    if (g_SyncSignal.Handle())
        SetEvent(g_SyncSignal.Handle());
    PostMessageW(Application.Handle(), CM_SYNCHRONIZE, 0, 0);
    WaitForSingleObject(request.Done, INFINITE);
    CloseHandle(request.Done);
    if (request.Error)
        std::rethrow_exception(request.Error);
}

void TThread::CheckSynchronize()
{
    for (;;) {
        SyncRequest* request;
        {
            std::lock_guard<std::mutex> lock(g_SyncLock);
            if (g_SyncQueue.empty())
                return;
            request = g_SyncQueue.front();
            g_SyncQueue.pop_front();
        }
        try {
            (*request->Method)();
        } catch (...) {
            request->Error = std::current_exception();
        }
        SetEvent(request->Done);
    }
}

void TThread::ThreadDone(TThread* thread)
{
    if (!g_Live.count(thread))
        return;
    g_Live.erase(thread);
    try {
        if (thread->OnTerminate)
            thread->OnTerminate(thread);
    } catch (...) {
        Application.HandleException("thread end");
    }
    if (thread->FreeOnTerminate)
        delete thread;
}
