#include "runtime/CrashRestore.h"

#include "runtime/Taskbar.h"

#include <windows.h>

#include <atomic>
#include <exception>

namespace {

// Set while this process holds the flag set; read by the filter on whatever thread faulted.
std::atomic<bool> g_RunningSet{false};

void SendRunningFlag(bool running)
{
    UINT scratch = 0;
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &scratch, 0);
}

// Only the two restores: nothing that allocates, locks or logs, which a crashed process may not survive.
void RestoreSystem()
{
    RestoreTaskbar();
    if (g_RunningSet.exchange(false))
        SendRunningFlag(false);
}

LONG WINAPI TopLevelExceptionFilter(EXCEPTION_POINTERS*)
{
    RestoreSystem();
    return EXCEPTION_EXECUTE_HANDLER;
}

// A C++ exception that no catch takes. It ends at once with abort's exit code, past abort's own message,
// which the C runtime may show in a box.
void Terminated()
{
    RestoreSystem();
    TerminateProcess(GetCurrentProcess(), kTerminatedExitCode);
}

} // namespace

void InstallCrashRestore()
{
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(TopLevelExceptionFilter);
    std::set_terminate(Terminated);
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
