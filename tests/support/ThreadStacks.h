// The call stacks of the other threads of this process, for a test program that hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One other thread as it was when stopped for a moment: its registers and the used part of its stack.
struct TThreadSnapshot {
    DWORD Id;
    CONTEXT Context;
    std::vector<unsigned char> Stack;
};

std::vector<TThreadSnapshot> OtherThreadsSnapshots();

// One block per thread: its id ("(main)" after mainThread's) and one line a frame, naming module, function,
// file and line where the program's debug information has them.
std::string ThreadStacks(DWORD mainThread);
// The same of threads taken before, handed to write as it is made: first the count of threads, then one block a
// thread, so that what was found before a walk that never ends or ends the process is still seen.
void WriteThreadStacks(DWORD mainThread, const std::vector<TThreadSnapshot>& threads,
                       const std::function<void(const std::string&)>& write);
