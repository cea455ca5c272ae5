// The stacks a hung test program writes: the function each other thread waits in, with its file and line,
// for a thread waiting on an object and one waiting for window messages; also once they have ended and their
// stacks are gone, as threads that run on during a report do.
#include "tests/support/ThreadStacks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct THandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

__attribute__((noinline)) void WaitsOnEvent(HANDLE release)
{
    WaitForSingleObject(release, INFINITE);
}

__attribute__((noinline)) void WaitsForMessages(HANDLE release)
{
    MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, QS_ALLINPUT);
}

} // namespace

TEST(ThreadStacks, NameWhereEachOtherThreadWaits)
{
    const std::unique_ptr<void, THandleCloser> release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<DWORD> eventWaiter{0};
    std::thread one([&] {
        eventWaiter = GetCurrentThreadId();
        WaitsOnEvent(release.get());
    });
    std::thread two([&] { WaitsForMessages(release.get()); });
    // Taken again until both wait, which a busy machine may delay.
    std::vector<TThreadSnapshot> threads;
    std::string stacks;
    DWORD marked = 0;
    const auto write = [&] {
        stacks.clear();
        WriteThreadStacks(marked, threads, [&stacks](const std::string& text) { stacks += text; });
    };
    for (int tries = 0; tries < 100; ++tries, Sleep(100)) {
        marked = eventWaiter;
        threads = OtherThreadsSnapshots();
        write();
        if (marked && stacks.find("!WaitsOnEvent ") != std::string::npos && stacks.find("!WaitsForMessages ") != std::string::npos)
            break;
    }
    SetEvent(release.get());
    one.join();
    two.join();
    EXPECT_NE(stacks.find("thread " + std::to_string(marked) + " (main):"), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("!WaitsOnEvent "), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("!WaitsForMessages "), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("ThreadStacksTest.cpp:27"), std::string::npos) << stacks;
    // A thread's stack is given back when the next thread ends.
    std::thread([] {}).join();
    write();
    EXPECT_NE(stacks.find("!WaitsForMessages "), std::string::npos) << stacks;
}
