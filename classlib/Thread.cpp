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
    // A call queued before the wait, or one whose message a pump has already looked at, would wake no wait for
    // new input: serve what is queued first, and wake for any input there is.
    MSG msg;
    bool quit = false;
    WPARAM quitCode = 0;
    do {
        // The wake-ups of the calls served here would otherwise end every wait at once. A peek takes WM_QUIT
        // whatever its filter: it goes back for the loop that waits for it.
        while (!quit && PeekMessageW(&msg, Application.Handle(), CM_SYNCHRONIZE, CM_SYNCHRONIZE, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
            }
        }
        CheckSynchronize();
    } while (MsgWaitForMultipleObjectsEx(1, &Handle_, INFINITE, QS_POSTMESSAGE | QS_SENDMESSAGE,
                                         MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 + 1);
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
