#include "data/FileLog.h"
#include "data/SaverSettings.h"
#include "tests/data/LeWords.h"
#include "tests/data/RegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A hidden window that records the messages the settings send and post to it.
class TTestWindow {
public:
    TTestWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SaverSettingsTestWindow";
        RegisterClassA(&wc);
        Handle = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~TTestWindow()
    {
        if (Handle)
            DestroyWindow(Handle);
    }
    int PendingCloses()
    {
        int n = 0;
        MSG msg;
        while (PeekMessageA(&msg, Handle, WM_CLOSE, WM_CLOSE, PM_REMOVE))
            ++n;
        return n;
    }

    HWND Handle = nullptr;
    static int SetCursorCount;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_SETCURSOR) {
            ++SetCursorCount;
            return TRUE;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
};

int TTestWindow::SetCursorCount = 0;

} // namespace

TEST(SaverSettingsRegistry, NoKeyGivesDefaults)
{
    DeleteKey("SettingsTestNone");
    CSaverSettings s;
    s.SetRegistryKey("SettingsTestNone.scr");
    s.Load();
    EXPECT_EQ(s.Data.MouseMoveThreshold, 20);
    EXPECT_EQ(s.Data.TransitionStep, 25);
    EXPECT_EQ(s.SelectedEffects, AllTransitionEffects());
    EXPECT_EQ(s.DualMonitorMode, 0);
}

TEST(SaverSettingsRegistry, SaveWritesTheStoredLayoutAndLoadReadsIt)
{
    const std::string project = "SettingsTestRoundTrip";
    DeleteKey(project);
    CSaverSettings s;
    s.SetRegistryKey(project + ".show");
    s.Data.CloseOnKey = 1;
    s.Data.CloseKey = 'q';
    s.Data.ScreenIndex = 1;
    s.SelectedEffects = "3;17;160;";
    s.DualMonitorMode = 2;
    EXPECT_EQ(s.Save().Error, ERROR_SUCCESS);

    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(GetRaw(project, "data", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes, Words({5, 1, 1, 0, 1, 1, 1, 1, 1, 'q', 1, 0, 60, 20, 0, 1, 25, 1}));
    ASSERT_TRUE(GetRaw(project, "transition effects", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    // Stored without a terminator; the system may append one when the value is read back.
    EXPECT_TRUE(bytes == "3;17;160;" || bytes == std::string("3;17;160;", 10)) << bytes;
    ASSERT_TRUE(GetRaw(project, "screenmode", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(bytes, Words({2}));

    CSaverSettings t;
    t.SetRegistryKey(project);
    t.Load();
    EXPECT_EQ(t.Data.CloseOnKey, 1);
    EXPECT_EQ(t.Data.CloseKey, 'q');
    EXPECT_EQ(t.Data.ScreenIndex, 1);
    EXPECT_EQ(t.SelectedEffects, "3;17;160;");
    EXPECT_EQ(t.DualMonitorMode, 2);
    DeleteKey(project);
}

TEST(SaverSettingsRegistry, DataValuesLongerAndShorterThanTheBlock)
{
    const std::string project = "SettingsTestSizes";
    DeleteKey(project);
    SetRaw(project, "data", REG_BINARY, Words({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}));
    CSaverSettings s;
    s.SetRegistryKey(project);
    s.Load();
    EXPECT_EQ(s.Data.CloseKey, 9);
    EXPECT_EQ(s.Data.BackgroundSound, 1);
    EXPECT_EQ(s.Data.ScreenIndex, 0);

    SetRaw(project, "data", REG_BINARY, std::string(80, '\x07'));
    CSaverSettings t;
    t.SetRegistryKey(project);
    t.Load();
    EXPECT_EQ(t.Data.DialogMouseThreshold, 5);
    EXPECT_EQ(t.Data.TransitionStep, 25);
    DeleteKey(project);
}

TEST(SaverSettingsRegistry, EffectListOfFullBufferSizeAndBeyond)
{
    const std::string project = "SettingsTestEffects";
    DeleteKey(project);
    std::string full;
    while (full.size() < kEffectsBufferSize)
        full += "7;";
    full.resize(kEffectsBufferSize);
    SetRaw(project, "transition effects", REG_EXPAND_SZ, full);
    CSaverSettings s;
    s.SetRegistryKey(project);
    s.Load();
    EXPECT_EQ(s.SelectedEffects, full);

    SetRaw(project, "transition effects", REG_EXPAND_SZ, full + "8");
    CSaverSettings t;
    t.SetRegistryKey(project);
    t.Load();
    EXPECT_EQ(t.SelectedEffects, AllTransitionEffects());
    DeleteKey(project);
}

// A key the user may only read still loads.
TEST(SaverSettingsRegistry, ReadOnlyKeyLoads)
{
    const std::string project = "SettingsTestReadOnly";
    DeleteKey(project);
    SetRaw(project, "screenmode", REG_DWORD, Words({3}));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(project).c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    // Everyone: read only.
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    BYTE aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(key);
    FreeSid(everyone);

    HKEY probe = nullptr;
    const LONG full = RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(project).c_str(), 0, KEY_ALL_ACCESS, &probe);
    if (full == ERROR_SUCCESS)
        RegCloseKey(probe);
    EXPECT_EQ(full, ERROR_ACCESS_DENIED);

    CSaverSettings s;
    s.SetRegistryKey(project);
    s.Load();
    EXPECT_EQ(s.DualMonitorMode, 3);
    DeleteKey(project);
}

TEST(SaverSettingsClose, CloseEventsPostOnlyWhenArmed)
{
    TTestWindow window;
    ASSERT_NE(window.Handle, nullptr);
    const std::string logPath = "saversettings_test_close.log";
    { HANDLE f = CreateFileA(logPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr); CloseHandle(f); }
    {
        CFileLog log(logPath);
        CFileLog* previous = g_FileLog;
        g_FileLog = &log;
        CSaverSettings s;
        s.MainWindow = window.Handle;
        s.CloseEvent("MouseMove");
        EXPECT_EQ(window.PendingCloses(), 0);
        EXPECT_EQ(s.CloseRequested, 0);
        s.CloseEventsArmed = 1;
        s.CloseEvent("KeyDown_A");
        s.CloseEvent("LButtonDown_A");
        EXPECT_EQ(window.PendingCloses(), 2);
        EXPECT_EQ(s.CloseRequested, 1);
        g_FileLog = previous;
    }
    char text[4096] = {};
    HANDLE f = CreateFileA(logPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(f, text, sizeof text - 1, &read, nullptr);
    CloseHandle(f);
    DeleteFileA(logPath.c_str());
    const std::string log(text, read);
    EXPECT_EQ(log.find("MouseMove"), std::string::npos);
    EXPECT_NE(log.find("[SaverSettings,("), std::string::npos);
    EXPECT_NE(log.find("] : Close Event : KeyDown_A\r\n"), std::string::npos);
    EXPECT_NE(log.find("] : Close Event : LButtonDown_A\r\n"), std::string::npos);
}

TEST(SaverSettingsClose, PasswordPromptShowsCursorAndResetsTheThresholdOrigin)
{
    TTestWindow window;
    ASSERT_NE(window.Handle, nullptr);
    CSaverSettings s;
    s.MainWindow = window.Handle;
    TTestWindow::SetCursorCount = 0;
    SetCursorPos(10, 20);
    s.BeginPasswordPrompt();
    EXPECT_EQ(s.PasswordPrompt, 1);
    EXPECT_EQ(TTestWindow::SetCursorCount, 1);
    SetCursorPos(30, 40);
    s.EndPasswordPrompt();
    EXPECT_EQ(s.PasswordPrompt, 0);
    EXPECT_EQ(TTestWindow::SetCursorCount, 2);
    POINT now;
    GetCursorPos(&now);
    EXPECT_EQ(s.SavedCursorPos.x, now.x);
    EXPECT_EQ(s.SavedCursorPos.y, now.y);
}
