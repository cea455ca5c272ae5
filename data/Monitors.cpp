#include "data/Monitors.h"

#include "classlib/GdiObject.h"
#include "classlib/Library.h"
#include "data/FileLog.h"

RECT g_MonitorRects[kMaxMonitors] = {};
int g_MonitorCount = 0;

BOOL CALLBACK CollectMonitorProc(HMONITOR, HDC, LPRECT rect, LPARAM)
{
    if (rect && g_MonitorCount >= 0 && g_MonitorCount < kMaxMonitors)
        g_MonitorRects[g_MonitorCount++] = *rect;
    return TRUE;
}

void MonitorRectUsing(TEnumDisplayMonitorsFn enumMonitors, TGetSystemMetricsFn metrics, int n, int& left,
                      int& top, int& width, int& height)
{
    if (n != 0) {
        g_MonitorCount = 0;
        if (enumMonitors) {
            TWindowDC screen(nullptr);
            enumMonitors(screen.Get(), nullptr, CollectMonitorProc, 0);
        } else {
            ZELT_LOG("Monitors", "EnumDisplayMonitors not found");
        }
    }
    if (n < 1 || n > g_MonitorCount) {
        // The whole virtual screen, at its true origin: a monitor left of or above the primary one has
        // negative coordinates.
        left = metrics ? metrics(SM_XVIRTUALSCREEN) : 0;
        top = metrics ? metrics(SM_YVIRTUALSCREEN) : 0;
        width = metrics ? metrics(SM_CXVIRTUALSCREEN) : 0;
        height = metrics ? metrics(SM_CYVIRTUALSCREEN) : 0;
        if ((width <= 0 || height <= 0) && metrics) {
            left = 0;
            top = 0;
            width = metrics(SM_CXSCREEN);
            height = metrics(SM_CYSCREEN);
        }
        return;
    }
    const RECT& r = g_MonitorRects[n - 1];
    left = r.left;
    top = r.top;
    width = r.right - r.left;
    height = r.bottom - r.top;
}

int GetMonitorRect(int n, int& left, int& top, int& width, int& height)
{
    TLibrary user32("User32.dll");
    if (!user32)
        return 0;
    MonitorRectUsing(user32.Find<TEnumDisplayMonitorsFn>("EnumDisplayMonitors"),
                     user32.Find<TGetSystemMetricsFn>("GetSystemMetrics"), n, left, top, width, height);
    return user32.Free();
}

int GetMonitorCount()
{
    if (g_MonitorCount == 0) {
        int left = 0, top = 0, width = 0, height = 0;
        GetMonitorRect(1, left, top, width, height);
    }
    return g_MonitorCount;
}
