// The call stacks of the other threads of this process, for a test program that hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One block per thread: its id ("(main)" after mainThread's) and one line a frame, naming module, function,
// file and line where the program's debug information has them.
std::string ThreadStacks(DWORD mainThread);
// The same, handed to write as it is made: first the count of threads, then one block a thread, so that what
// was found before a walk that never ends or ends the process is still seen.
void WriteThreadStacks(DWORD mainThread, const std::function<void(const std::string&)>& write);
