// The Windows test programs' entry. A program still running ZELT_STACKS_AFTER seconds after its start (set a
// little below its ctest timeout) writes every thread's stack and ends, so that a hang shows where it waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/ThreadStacks.h"

namespace {

// Written straight to the handle: a hung thread may hold the C runtime's lock on stdout.
void WriteOut(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Whichever comes first, the end of the tests or the watchdog's report, has the program's end: tests that go on
// (or a hang that lets go) during the report must not end the program with 0 while it writes, nor the report
// start once the tests have ended.
class THangWatch {
public:
    explicit THangWatch(DWORD seconds) : Seconds_(seconds), MainThread_(GetCurrentThreadId())
    {
        InitializeCriticalSection(&End_);
    }
    THangWatch(const THangWatch&) = delete;
    THangWatch& operator=(const THangWatch&) = delete;
    void Start()
    {
        if (const HANDLE thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr))
            CloseHandle(thread);
    }
    // Waits for a report under way, which ends the process.
    void TestsEnded()
    {
        EnterCriticalSection(&End_);
        Ended_ = true;
        LeaveCriticalSection(&End_);
    }

private:
    static DWORD WINAPI Watch(void* param)
    {
        auto& self = *static_cast<THangWatch*>(param);
        // Sleep, not a wait the Wine server answers: should the server crash, such a wait never ends, where the
        // sleep does and the hung line is still written.
        Sleep(self.Seconds_ * 1000);
        // Held until the process ends: the tests' end waits for it.
        EnterCriticalSection(&self.End_);
        if (self.Ended_) {
            LeaveCriticalSection(&self.End_);
            return 0;
        }
        try {
            // Said first: should the stacks not come, the line still tells what happened.
            WriteOut("\n[  HUNG    ] still running after " + std::to_string(self.Seconds_) +
                     " s; every thread's stack follows\n");
            WriteThreadStacks(self.MainThread_, OtherThreadsSnapshots(), WriteOut);
        } catch (...) {
            WriteOut("[  HUNG    ] the stacks could not be written\n");
        }
        // Not ExitProcess: the process's end would wait for locks the hung threads hold.
        TerminateProcess(GetCurrentProcess(), 111);
        return 0;
    }

    const DWORD Seconds_;
    const DWORD MainThread_;
    CRITICAL_SECTION End_;
    bool Ended_ = false;
};

DWORD StacksAfter()
{
    const char* after = std::getenv("ZELT_STACKS_AFTER");
    const long seconds = after ? std::strtol(after, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<DWORD>(seconds) : 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const DWORD seconds = StacksAfter();
    if (!seconds)
        return RUN_ALL_TESTS();
    // Static: the watchdog looks at it until the process has ended.
    static THangWatch watch(seconds);
    watch.Start();
    const int result = RUN_ALL_TESTS();
    watch.TestsEnded();
    return result;
}
