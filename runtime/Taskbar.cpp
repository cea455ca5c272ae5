#include "runtime/Taskbar.h"

#include "runtime/CrashRestore.h"

#include <windows.h>

#include <atomic>

namespace {
std::atomic<bool> g_Hidden{false};
}

void HideTaskbar(int screenIndex)
{
    if (screenIndex >= 2)
        return;
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) {
        InstallCrashRestore();
        ShowWindowAsync(tray, SW_HIDE);
        g_Hidden = true;
    }
}

void RestoreTaskbar()
{
    if (!g_Hidden.exchange(false))
        return;
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr))
        ShowWindowAsync(tray, SW_RESTORE);
}
