#include "runtime/Taskbar.h"

#include "runtime/CrashRestore.h"

#include <windows.h>

#include <atomic>

namespace {
// The window hidden: a crashed process shows it again without looking it up.
std::atomic<HWND> g_Hidden{nullptr};
}

void HideTaskbar(int screenIndex)
{
    if (screenIndex >= 2)
        return;
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) {
        InstallCrashRestore();
        g_Hidden = tray;
        ShowWindowAsync(tray, SW_HIDE);
    }
}

void RestoreTaskbar()
{
    if (HWND tray = g_Hidden.exchange(nullptr))
        ShowWindowAsync(tray, SW_RESTORE);
}
