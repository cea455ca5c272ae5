// The window core of the class library: object instances, threads handing work to the UI thread, timers and
// the form's close protocol.
#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/Messages.h"
#include "classlib/Thread.h"
#include "classlib/Timer.h"
#include "classlib/WindowProcHook.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Pumps like a modal loop does (a message box, a dialog) until done is set or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD ms = 5000)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(1);
        }
    }
    return true;
}

class TCountingThread : public TThread {
public:
    explicit TCountingThread(int* counter) : Counter_(counter) {}
    DWORD SyncThread = 0;

protected:
    void Execute() override
    {
        for (int i = 0; i < 3 && !Terminated; ++i)
            Synchronize([this] {
                ++*Counter_;
                SyncThread = GetCurrentThreadId();
            });
    }

private:
    int* Counter_;
};

class TClosingForm : public TForm {
public:
    using TForm::TForm;
    bool Allow = false;
    int Closed = 0;

protected:
    void FormCloseQuery(bool& canClose) override { canClose = Allow; }
    void FormClose(TCloseAction&) override { ++Closed; }
};

// Object instances still free, counted by taking them all.
int FreeInstances()
{
    std::vector<WNDPROC> taken;
    while (WNDPROC p = MakeObjectInstance([](TMessage&) {}))
        taken.push_back(p);
    for (WNDPROC p : taken)
        FreeObjectInstance(p);
    return static_cast<int>(taken.size());
}

// Someone else's subclass, installed over a hook.
WNDPROC g_Below = nullptr;
LRESULT CALLBACK OverProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_Below, wnd, msg, wParam, lParam);
}

} // namespace

TEST(ObjectInstance, EachInstanceCallsItsOwnMethodAndCatches)
{
    Application.Initialize();
    std::vector<WNDPROC> procs;
    std::vector<int> seen(64, 0);
    for (int i = 0; i < 64; ++i) {
        WNDPROC p = MakeObjectInstance([&seen, i](TMessage& m) {
            ++seen[i];
            m.Result = i + 1;
        });
        ASSERT_NE(p, nullptr) << i;
        procs.push_back(p);
    }
    EXPECT_EQ(MakeObjectInstance([](TMessage&) {}), nullptr);  // the pool is used up
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(procs[i](nullptr, WM_USER, 0, 0), i + 1);
    EXPECT_EQ(seen, std::vector<int>(64, 1));

    FreeObjectInstance(procs[5]);
    std::string where;
    Application.OnException = [&where](const std::string& w, const std::string& m) { where = w + ":" + m; };
    WNDPROC thrower = MakeObjectInstance([](TMessage& m) {
        m.Result = 9;
        throw std::runtime_error("boom");
    });
    EXPECT_EQ(thrower, procs[5]);  // freed slots are reused
    EXPECT_EQ(thrower(nullptr, WM_USER, 0, 0), 0);
    EXPECT_EQ(where, "window procedure:boom");
    Application.OnException = nullptr;
    for (WNDPROC p : procs)
        FreeObjectInstance(p);
}

TEST(WindowProcHook, AFailedInstallTakesNothingAndRemoveLeavesAProcedureInstalledOverOurs)
{
    const int free = FreeInstances();
    int heard = 0;
    TWindowProcHook hook;
    const auto method = [&](TMessage& m) {
        ++heard;
        hook.CallOld(m);
    };
    // The desktop belongs to another process: its procedure cannot be replaced.
    EXPECT_FALSE(hook.Install(GetDesktopWindow(), method));
    EXPECT_EQ(FreeInstances(), free);

    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hook.Install(window, method));
    SetWindowTextW(window, L"one");
    EXPECT_EQ(heard, 1);
    g_Below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OverProc)));
    hook.Remove();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OverProc));
    // The chain still reaches the window's own procedure, no longer the method.
    SetWindowTextW(window, L"two");
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"two");
    EXPECT_EQ(heard, 1);
    DestroyWindow(window);
    EXPECT_EQ(FreeInstances(), free);
}

TEST(Thread, SynchronizeRunsOnTheUiThreadInsideAnyPumpAndFreesOnTerminate)
{
    int counter = 0;
    int terminated = 0;
    DWORD terminateThread = 0;
    auto* thread = new TCountingThread(&counter);
    thread->FreeOnTerminate = true;
    DWORD syncThread = 0;
    thread->OnTerminate = [&, thread](TThread*) {
        ++terminated;
        terminateThread = GetCurrentThreadId();
        syncThread = thread->SyncThread;
    };
    ASSERT_TRUE(thread->Start());
    ASSERT_TRUE(PumpUntil([&] { return terminated == 1; }));
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(syncThread, GetCurrentThreadId());
    EXPECT_EQ(terminateThread, GetCurrentThreadId());
}

TEST(Thread, DeletingARunningThreadWaitsWhileServingItsCalls)
{
    int counter = 0;
    auto thread = std::make_unique<TCountingThread>(&counter);
    ASSERT_TRUE(thread->Start());
    thread.reset();  // would deadlock if the wait did not serve Synchronize
    EXPECT_LE(counter, 3);
    Application.ProcessMessages();  // the late finish notice finds no thread and does nothing
}

// A stop while the thread's call waits in the queue, after a pump has looked at the queue without taking it.
TEST(Thread, StoppingServesACallAlreadySeenInTheQueue)
{
    int counter = 0;
    TCountingThread thread(&counter);
    ASSERT_TRUE(thread.Start());
    MSG msg;
    const DWORD start = GetTickCount();
    while (!PeekMessageW(&msg, Application.Handle(), CM_SYNCHRONIZE, CM_SYNCHRONIZE, PM_NOREMOVE))
        ASSERT_LT(GetTickCount() - start, 5000u) << "the thread's call never came";
    // Should the wait miss the call, a late message gets both threads out again, and the test says so.
    const DWORD ui = GetCurrentThreadId();
    HANDLE served = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool nudged = false;
    std::thread watchdog([&] {
        nudged = WaitForSingleObject(served, 5000) == WAIT_TIMEOUT;
        if (nudged)
            PostThreadMessageW(ui, WM_NULL, 0, 0);
    });
    thread.Terminate();
    thread.WaitFor();
    SetEvent(served);
    watchdog.join();
    CloseHandle(served);
    EXPECT_FALSE(nudged);
    EXPECT_EQ(counter, 1);
}

// The end of the message loop asked for before a thread is waited for still ends the loop afterwards.
TEST(Thread, WaitingKeepsAQuitForTheLoop)
{
    int counter = 0;
    TCountingThread thread(&counter);
    ASSERT_TRUE(thread.Start());
    PostQuitMessage(7);
    thread.Terminate();
    thread.WaitFor();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    Application.ProcessMessages();
}

// Counts the program's calls of user32's MsgWaitForMultipleObjectsEx while it lives, each one wake-up of a wait
// for messages, by swapping the program's import of it. Past Bound calls, Spun is set.
class TMessageWaitCounter {
public:
    static constexpr LONG Bound = 10;
    static LONG Calls;
    static HANDLE Spun;

    TMessageWaitCounter()
    {
        Calls = 0;
        Spun = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Slot_ = ImportSlot("user32.dll", "MsgWaitForMultipleObjectsEx");
        if (Slot_) {
            Real_ = reinterpret_cast<TWait>(*Slot_);
            Write(reinterpret_cast<ULONG_PTR>(&Counted));
        }
    }
    ~TMessageWaitCounter()
    {
        if (Slot_)
            Write(reinterpret_cast<ULONG_PTR>(Real_));
        CloseHandle(Spun);
    }
    TMessageWaitCounter(const TMessageWaitCounter&) = delete;
    TMessageWaitCounter& operator=(const TMessageWaitCounter&) = delete;
    bool Installed() const { return Slot_ != nullptr; }

private:
    using TWait = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);
    static TWait Real_;
    ULONG_PTR* Slot_ = nullptr;

    static DWORD WINAPI Counted(DWORD count, const HANDLE* handles, DWORD ms, DWORD wake, DWORD flags)
    {
        if (InterlockedIncrement(&Calls) > Bound)
            SetEvent(Spun);
        return Real_(count, handles, ms, wake, flags);
    }

    void Write(ULONG_PTR target)
    {
        DWORD was;
        VirtualProtect(Slot_, sizeof *Slot_, PAGE_READWRITE, &was);
        *Slot_ = target;
        VirtualProtect(Slot_, sizeof *Slot_, was, &was);
    }

    static ULONG_PTR* ImportSlot(const char* dll, const char* function)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
            if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), dll) != 0)
                continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            }
        }
        return nullptr;
    }
};
LONG TMessageWaitCounter::Calls = 0;
HANDLE TMessageWaitCounter::Spun = nullptr;
TMessageWaitCounter::TWait TMessageWaitCounter::Real_ = nullptr;

// Messages posted before the wait (a slide's next-media notice) neither wake the waiting thread again and
// again nor are lost or overtaken; the thread's call is still served meanwhile. The thread lives until the
// wait has woken past the bound, or half a second.
TEST(Thread, WaitingSleepsThroughPostedMessagesAndKeepsThemInOrder)
{
    TMessageWaitCounter counter;
    ASSERT_TRUE(counter.Installed());
    class TWaitingThread : public TThread {
    public:
        bool Served = false;

    protected:
        void Execute() override
        {
            Synchronize([this] { Served = true; });
            WaitForSingleObject(TMessageWaitCounter::Spun, 500);
        }
    } thread;
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 1, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 2, 2, 0);
    ASSERT_TRUE(thread.Start());
    thread.WaitFor();
    EXPECT_LE(TMessageWaitCounter::Calls, TMessageWaitCounter::Bound) << "the wait spun";
    EXPECT_TRUE(thread.Served);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_APP + 1u);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_APP + 2u);
    Application.ProcessMessages();
}

TEST(Timer, TicksUntilDisabled)
{
    TTimer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    };
    EXPECT_FALSE(PumpUntil([&] { return ticks > 3; }, 300));
    EXPECT_EQ(ticks, 3);
}

TEST(Form, CloseAsksTheQueryAndTheMainFormEndsTheLoop)
{
    auto* form = Application.CreateForm<TClosingForm>();
    form->SetBounds(10, 10, 50, 40);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);  // refused
    TTimer later;
    later.SetInterval(50);
    later.OnTimer = [&] {
        later.SetEnabled(false);
        form->Allow = true;
        PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    };
    Application.Run();  // returns once the allowed close ended the loop
    EXPECT_EQ(form->Closed, 1);
    EXPECT_TRUE(Application.Terminated);
    delete form;
    EXPECT_EQ(Application.MainForm, nullptr);
}

TEST(Form, AMainFormWhoseWindowIsDestroyedElsewhereClosesOnceWhenTheLoopEnds)
{
    Application.Terminated = false;
    auto* form = Application.CreateForm<TClosingForm>();
    TTimer later;
    later.SetInterval(50);
    later.OnTimer = [&] {
        later.SetEnabled(false);
        DestroyWindow(form->Handle());
    };
    Application.Run();  // the destroyed window ended the loop
    EXPECT_EQ(form->Closed, 1);
    EXPECT_EQ(form->Handle(), nullptr);  // no other window is made for it
    delete form;
}
