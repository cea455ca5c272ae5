#include "data/Monitors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<RECT> g_FakeMonitors;
int g_VirtualWidth = 0;
int g_VirtualHeight = 0;
int g_VirtualLeft = 0;

BOOL WINAPI FakeEnum(HDC dc, LPCRECT, MONITORENUMPROC proc, LPARAM data)
{
    for (RECT r : g_FakeMonitors)
        if (!proc(nullptr, dc, &r, data))
            break;
    return TRUE;
}

int WINAPI FakeMetrics(int index)
{
    switch (index) {
    case SM_CXVIRTUALSCREEN: return g_VirtualWidth;
    case SM_CYVIRTUALSCREEN: return g_VirtualHeight;
    case SM_XVIRTUALSCREEN: return g_VirtualLeft;
    case SM_CXSCREEN: return 1024;
    case SM_CYSCREEN: return 768;
    default: return 0;
    }
}

struct Rect {
    int Left = -1, Top = -1, Width = -1, Height = -1;
};

Rect Query(TEnumDisplayMonitorsFn e, int n)
{
    Rect r;
    MonitorRectUsing(e, FakeMetrics, n, r.Left, r.Top, r.Width, r.Height);
    return r;
}

void ExpectRect(const Rect& r, int l, int t, int w, int h)
{
    EXPECT_EQ(r.Left, l);
    EXPECT_EQ(r.Top, t);
    EXPECT_EQ(r.Width, w);
    EXPECT_EQ(r.Height, h);
}

} // namespace

TEST(Monitors, TwoMonitorsOneLeftOfThePrimary)
{
    g_FakeMonitors = {RECT{0, 0, 1920, 1080}, RECT{-1280, 56, 0, 1080}};
    g_VirtualWidth = 3200;
    g_VirtualHeight = 1080;
    g_VirtualLeft = -1280;
    ExpectRect(Query(FakeEnum, 1), 0, 0, 1920, 1080);
    EXPECT_EQ(g_MonitorCount, 2);
    ExpectRect(Query(FakeEnum, 2), -1280, 56, 1280, 1024);
    // Number 0 does not enumerate; it and numbers above the count give the whole virtual screen, which
    // starts left of the primary monitor here.
    ExpectRect(Query(FakeEnum, 0), -1280, 0, 3200, 1080);
    ExpectRect(Query(FakeEnum, 3), -1280, 0, 3200, 1080);
    ExpectRect(Query(FakeEnum, -1), -1280, 0, 3200, 1080);
    g_VirtualLeft = 0;
}

TEST(Monitors, TableStopsAtTwentyEntries)
{
    g_FakeMonitors.clear();
    for (int i = 0; i < 25; ++i)
        g_FakeMonitors.push_back(RECT{i * 100, 0, i * 100 + 100, 50});
    g_VirtualWidth = 2500;
    g_VirtualHeight = 50;
    ExpectRect(Query(FakeEnum, 20), 1900, 0, 100, 50);
    EXPECT_EQ(g_MonitorCount, kMaxMonitors);
    ExpectRect(Query(FakeEnum, 21), 0, 0, 2500, 50);
}

TEST(Monitors, MissingEnumerationAndZeroMetricsFallBack)
{
    g_FakeMonitors = {RECT{0, 0, 800, 600}};
    g_VirtualWidth = 0;
    g_VirtualHeight = 0;
    Query(FakeEnum, 1);
    ASSERT_EQ(g_MonitorCount, 1);
    // Without EnumDisplayMonitors the table empties and every number falls back.
    ExpectRect(Query(nullptr, 1), 0, 0, 1024, 768);
    EXPECT_EQ(g_MonitorCount, 0);
}

TEST(Monitors, RealSystemShowsAtLeastOneMonitor)
{
    int left = -1, top = -1, width = -1, height = -1;
    EXPECT_NE(GetMonitorRect(1, left, top, width, height), 0);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_GE(GetMonitorCount(), 1);
    EXPECT_NE(GetMonitorRect(99, left, top, width, height), 0);
    EXPECT_EQ(left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
}
