// The call stacks of the other threads of this process, for a test program that hangs.
#pragma once

#include <windows.h>

#include <string>

// One block per thread: its id ("(main)" after mainThread's) and one line a frame, naming module, function,
// file and line where the program's debug information has them.
std::string ThreadStacks(DWORD mainThread);
