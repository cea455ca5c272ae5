// The command line as Windows writes it, which input closes the saver under which settings, how a failure
// that ends the run is reported, and the install command.
#include "classlib/Application.h"
#include "runtime/CloseEvents.h"
#include "runtime/CommandLine.h"
#include "runtime/app.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace {

struct Line {
    const char* Text;
    TScrMode Mode;
    std::intptr_t Window;
};

const std::intptr_t kForeground = 777;

// Message boxes asked for on this thread; each is refused before it shows.
int g_Boxes = 0;
LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND &&
        reinterpret_cast<std::uintptr_t>(reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass) == 32770) {
        ++g_Boxes;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST(CommandLine, EverySpellingWindowsAndUsersWrite)
{
    const Line lines[] = {
        {"zelt.scr", smConfigure, 0},
        {"zelt.scr   ", smConfigure, 0},
        {"zelt.scr /s", smSaver, 0},
        {"zelt.scr -S", smSaver, 0},
        {"zelt.scr s", smSaver, 0},
        {"zelt.scr /s 123", smSaver, 0},
        {"zelt.scr /SETDEF", smSaver, 0},
        {"zelt.scr /p 1234", smPreview, 1234},
        {"zelt.scr /p:1234", smPreview, 1234},
        {"zelt.scr /l1234", smPreview, 1234},
        {"zelt.scr -P  :  1234", smPreview, 1234},
        {"zelt.scr /p", smPreview, 0},
        {"zelt.scr /c", smConfigure, kForeground},
        {"zelt.scr /c:5678", smConfigure, 5678},
        {"zelt.scr -a 4321", smChangePassword, 4321},
        {"\"C:\\My Savers\\zelt one.scr\" /p 99", smPreview, 99},
        {"\"C:\\My Savers\\zelt /s.scr\"", smConfigure, 0},
        {"\"C:\\unterminated /s", smConfigure, 0},
    };
    for (const Line& line : lines) {
        TScrMode mode = smNone;
        EXPECT_EQ(ParseScrCommandLine(line.Text, mode, kForeground), line.Window) << line.Text;
        EXPECT_EQ(mode, line.Mode) << line.Text;
    }
    // An unknown letter leaves the mode as it was.
    TScrMode mode = smRunAsExe;
    EXPECT_EQ(ParseScrCommandLine("zelt.scr /x", mode, kForeground), 0);
    EXPECT_EQ(mode, smRunAsExe);
}

TEST(CloseEvents, AnyEventNamesEveryHandledInput)
{
    SAVER_DATA data;  // defaults: any event on
    const wchar_t key = CloseKeyChar(data);
    EXPECT_STREQ(InputCloseEvent(WM_HELP, 0, data, key), "WM_HELP_A");
    EXPECT_STREQ(InputCloseEvent(WM_CHAR, 'x', data, key), "WM_CHAR_A");
    EXPECT_STREQ(InputCloseEvent(WM_MBUTTONUP, 0, data, key), "WM_LBUTTONUP_A");
    EXPECT_STREQ(InputCloseEvent(WM_LBUTTONDBLCLK, 0, data, key), "WM_RBUTTONDBLCLK_A");
    EXPECT_STREQ(InputCloseEvent(WM_RBUTTONDOWN, 0, data, key), "WM_RBUTTONUP_A");
    EXPECT_EQ(InputCloseEvent(WM_KEYDOWN, VK_SHIFT, data, key), nullptr);
    EXPECT_EQ(MouseMoveCloseEvent(20, 20, data), nullptr);
    EXPECT_STREQ(MouseMoveCloseEvent(21, 0, data), "WM_MOUSEMOVE_A");
}

TEST(CloseEvents, WithoutAnyEventEachInputNeedsItsOwnSwitch)
{
    SAVER_DATA data;
    data.AnyEvent = 0;
    data.CloseOnLeftClick = 1;
    data.CloseOnDoubleClick = 1;
    data.CloseOnRightClick = 0;
    data.CloseOnKey = 1;
    data.CloseKey = 65;
    const wchar_t key = CloseKeyChar(data);
    EXPECT_EQ(InputCloseEvent(WM_HELP, 0, data, key), nullptr);
    EXPECT_STREQ(InputCloseEvent(WM_MBUTTONDOWN, 0, data, key), "WM_LBUTTONUP");
    EXPECT_STREQ(InputCloseEvent(WM_LBUTTONDBLCLK, 0, data, key), "WM_RBUTTONDBLCLK");
    EXPECT_EQ(InputCloseEvent(WM_RBUTTONUP, 0, data, key), nullptr);
    EXPECT_STREQ(InputCloseEvent(WM_CHAR, 'A', data, key), "WM_CHAR");
    EXPECT_EQ(InputCloseEvent(WM_CHAR, 'a', data, key), nullptr);
    EXPECT_STREQ(InputCloseEvent(WM_CHAR, '\x1b', data, key), "WM_CHAR_ESC");  // both on by default
    EXPECT_STREQ(InputCloseEvent(WM_CHAR, '\r', data, key), "WM_CHAR_ENTER");
    EXPECT_STREQ(MouseMoveCloseEvent(0, 21, data), "WM_MOUSEMOVE");
    data.CloseOnMouseMove = 0;
    EXPECT_EQ(MouseMoveCloseEvent(0, 21, data), nullptr);
    data.CloseOnKey = 0;
    EXPECT_EQ(InputCloseEvent(WM_CHAR, 'A', data, key), nullptr);
    data.CloseOnEsc = data.CloseOnEnter = 0;
    EXPECT_EQ(InputCloseEvent(WM_CHAR, '\x1b', data, key), nullptr);
    EXPECT_EQ(InputCloseEvent(WM_CHAR, '\r', data, key), nullptr);
}

TEST(CloseEvents, KeyAboveAsciiComparesAsTheCharacterTheWindowReceives)
{
    SAVER_DATA data;
    data.AnyEvent = 0;
    data.CloseOnKey = 1;
    data.CloseKey = 0xE9;  // a letter with an accent in the western code page
    wchar_t expected = 0;
    const char byte = static_cast<char>(0xE9);
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, &byte, 1, &expected, 1), 1);
    EXPECT_STREQ(InputCloseEvent(WM_CHAR, expected, data, CloseKeyChar(data)), "WM_CHAR");
    // The same byte as a signed number never equals a character code.
    EXPECT_EQ(InputCloseEvent(WM_CHAR, static_cast<WPARAM>(static_cast<signed char>(0xE9)), data, CloseKeyChar(data)),
              nullptr);
}

TEST(CloseEvents, MaximumRuntimeNeverWrapsRoundToAShortOne)
{
    EXPECT_EQ(MaxRuntimeInterval(1), 60000u);
    EXPECT_EQ(MaxRuntimeInterval(35791), 2147460000u);  // the longest a timer takes as it is
    EXPECT_EQ(MaxRuntimeInterval(35792), static_cast<UINT>(USER_TIMER_MAXIMUM));
    EXPECT_EQ(MaxRuntimeInterval(71583), static_cast<UINT>(USER_TIMER_MAXIMUM));  // 12.7 s in 32 bits
}

TEST(StartUp, AFailureThatEndsTheRunIsShownOnlyWhereNoSaverRuns)
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (TScrMode mode : {smSaver, smPreview, smRunAsExe, smConfigure}) {
        g_ScreensaverApp.ScrMode = mode;
        g_ScreensaverApp.RunGuarded([] { throw std::bad_alloc(); });
    }
    UnhookWindowsHookEx(hook);
    Application.OnException = nullptr;
    EXPECT_EQ(g_Boxes, 2);
}

TEST(InstallCommand, ThePathGoesInForEveryPercentLQuotedWhenItHoldsBlanks)
{
    EXPECT_EQ(InstallCommandLine("inst %l and %l", "C:\\SAVER.SCR"), "inst C:\\SAVER.SCR and C:\\SAVER.SCR");
    EXPECT_EQ(InstallCommandLine("inst %l", "C:\\My Savers\\a b.scr"), "inst \"C:\\My Savers\\a b.scr\"");
    EXPECT_EQ(InstallCommandLine("inst \"%l\"", "C:\\My Savers\\a b.scr"), "inst \"C:\\My Savers\\a b.scr\"");
    EXPECT_EQ(InstallCommandLine("inst %L 100%", "x"), "inst %L 100%");
}
