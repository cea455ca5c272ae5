// What a running process holds, read from outside it (or from itself) the ways that work under Wine, where
// GetGuiResources and GetProcessHandleCount answer 0.
#pragma once

#include <windows.h>

#include <cstddef>

namespace testsupport {

struct TResourceCounts {
    int GdiObjects = -1;      // live entries of the process's GDI handle table (stock objects included)
    int Windows = -1;         // its windows, top-level and child: the USER objects a player makes and destroys
    int Handles = -1;         // kernel handles it holds
    std::size_t PrivateBytes = 0;  // committed private memory
};

// The process needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ access; a count that cannot be read stays -1.
TResourceCounts SampleResources(HANDLE process);
// Kernel handles held by the process with that id, -1 when the system's handle list cannot be read.
int HandleCount(DWORD processId);
// Kernel handles this process holds, found in its own handle table: Wine's server crashes now and then building
// the system's handle list while other processes of the prefix start and end.
int OwnHandleCount();

} // namespace testsupport
