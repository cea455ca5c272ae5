#include "runtime/CrashRestore.h"

#include "runtime/Taskbar.h"

#include <windows.h>

#include <atomic>

namespace {

// Set while this process holds the flag set; read by the filter on whatever thread faulted.
std::atomic<bool> g_RunningSet{false};

void SendRunningFlag(bool running)
{
    UINT scratch = 0;
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &scratch, 0);
}

// Only the two restores: nothing that allocates, locks or logs, which a crashed process may not survive.
LONG WINAPI TopLevelExceptionFilter(EXCEPTION_POINTERS*)
{
    RestoreTaskbar();
    if (g_RunningSet.exchange(false))
        SendRunningFlag(false);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void InstallCrashRestore()
{
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(TopLevelExceptionFilter);
}

void SetScreenSaverRunning(bool running)
{
    if (running) {
        InstallCrashRestore();
        g_RunningSet = true;
    } else {
        g_RunningSet = false;
    }
    SendRunningFlag(running);
}
