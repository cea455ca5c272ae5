// The Windows test programs' entry. A program still running ZELT_STACKS_AFTER seconds after its start (set a
// little below its ctest timeout) writes every thread's stack and ends, so that a hang shows where it waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/ThreadStacks.h"

namespace {

struct THangWatch {
    DWORD Seconds;
    DWORD MainThread;
};

// Written straight to the handle: a hung thread may hold the C runtime's lock on stdout.
void WriteOut(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

DWORD WINAPI WatchForHang(void* param)
{
    const THangWatch watch = *static_cast<THangWatch*>(param);
    delete static_cast<THangWatch*>(param);
    Sleep(watch.Seconds * 1000);
    try {
        // Said first: should the stacks not come, the line still tells what happened.
        WriteOut("\n[  HUNG    ] still running after " + std::to_string(watch.Seconds) +
                 " s; every thread's stack follows\n");
        WriteThreadStacks(watch.MainThread, WriteOut);
    } catch (...) {
        WriteOut("[  HUNG    ] the stacks could not be written\n");
    }
    // Not ExitProcess: the process's end would wait for locks the hung threads hold.
    TerminateProcess(GetCurrentProcess(), 111);
    return 0;
}

void StartHangWatch()
{
    const char* after = std::getenv("ZELT_STACKS_AFTER");
    const long seconds = after ? std::strtol(after, nullptr, 10) : 0;
    if (seconds <= 0)
        return;
    auto* watch = new THangWatch{static_cast<DWORD>(seconds), GetCurrentThreadId()};
    if (const HANDLE thread = CreateThread(nullptr, 0, WatchForHang, watch, 0, nullptr))
        CloseHandle(thread);
    else
        delete watch;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    StartHangWatch();
    return RUN_ALL_TESTS();
}
