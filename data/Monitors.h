// The monitors' geometry, numbered from 1 in the order the system enumerates them.
#pragma once

#include <windows.h>

constexpr int kMaxMonitors = 20;

// Filled by every GetMonitorRect call with n other than 0; monitors past kMaxMonitors are not stored.
extern RECT g_MonitorRects[kMaxMonitors];
extern int g_MonitorCount;

// Enumeration callback: stores the rectangle in the next free entry while there is one.
BOOL CALLBACK CollectMonitorProc(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);

// Monitor n's left, top, width and height; for n outside 1 to the monitor count, the whole virtual screen
// at its origin (the primary screen at (0, 0) when the virtual screen's size is 0). Non-zero when User32.dll could be loaded; the
// outputs are then set, otherwise untouched.
int GetMonitorRect(int n, int& left, int& top, int& width, int& height);
// The number of monitors; enumerates once while the count is still 0.
int GetMonitorCount();

typedef BOOL(WINAPI* TEnumDisplayMonitorsFn)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
typedef int(WINAPI* TGetSystemMetricsFn)(int);

// GetMonitorRect's work with the two functions it looked up (either may be null); tests hand in their own.
void MonitorRectUsing(TEnumDisplayMonitorsFn enumMonitors, TGetSystemMetricsFn metrics, int n, int& left,
                      int& top, int& width, int& height);
