// The stacks a hung test program writes: the function each other thread waits in, with its file and line,
// for a thread waiting on an object and one waiting for window messages.
#include "tests/support/ThreadStacks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

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
    DWORD eventWaiter = 0;
    std::thread one([&] {
        eventWaiter = GetCurrentThreadId();
        WaitsOnEvent(release.get());
    });
    std::thread two([&] { WaitsForMessages(release.get()); });
    Sleep(300);  // both wait by then
    const std::string stacks = ThreadStacks(eventWaiter);
    SetEvent(release.get());
    one.join();
    two.join();
    EXPECT_NE(stacks.find("thread " + std::to_string(eventWaiter) + " (main):"), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("!WaitsOnEvent "), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("!WaitsForMessages "), std::string::npos) << stacks;
    EXPECT_NE(stacks.find("ThreadStacksTest.cpp:24"), std::string::npos) << stacks;
}
