// The screen saver started the way Windows and a user start it: every mode, the one-shot switches, the
// close rules and the Windows 9x password on close.
#include "tests/e2e/Driver.h"

#include "data/SaverData.h"
#include "runtime/CrashRestore.h"

#include <sddl.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const char kSettingsKey[] = "Software\\tarnwheel\\Startup";

std::string Manifest(int runAsProgram, int delay = 1)
{
    return R"({"project": {"projectname": "Startup", "version": "1.0",
                "data": {"EmbeddedMedia": 1, "HasPictures": 1, "MediaDelay": )" + std::to_string(delay) +
           R"(, "RunAsProgram": )" + std::to_string(runAsProgram) + R"(}},
               "media": [{"file": "red.bmp"}, {"file": "blue.bmp"}],
               "slides": [{"filename": "red.bmp", "data": {"EffectOn": 0}},
                          {"filename": "blue.bmp", "data": {"EffectOn": 0}}]})";
}

// The tick count a log line was written at: its "(ticks)" prefix.
DWORD LineTick(const TLogFile& log, const std::string& part)
{
    for (const std::string& line : log.Lines())
        if (line.find(part) != std::string::npos && !line.empty() && line[0] == '(')
            return static_cast<DWORD>(std::strtoul(line.c_str() + 1, nullptr, 10));
    return 0;
}

// Opens the window's popup menu as a right click does and picks the item key reaches (VK_DOWN the first,
// VK_UP the last).
testing::AssertionResult ChooseMenuItem(HWND window, UINT key)
{
    PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(50, 50));
    HWND menu = nullptr;
    testing::AssertionResult shown = WaitUntil(
        [&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 5000,
        "the popup menu");
    if (shown) {
        PostKey(menu, key);
        PostKey(menu, VK_RETURN);
    }
    return shown;
}

// A real right click at (x, y): the popup menu it opened, or null when none shows within a second.
HWND RightClickMenu(int x, int y)
{
    HWND menu = nullptr;
    if (SendMouseMove(x, y) && SendClick(WM_RBUTTONDOWN))
        WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 1000,
                  "the popup menu");
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Takes write access to a key of the current user away from everyone; gives it back on destruction.
class TReadOnlyKey {
public:
    explicit TReadOnlyKey(const std::string& key)
    {
        DWORD size = sizeof Saved_;
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        Ok_ = RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, READ_CONTROL | WRITE_DAC, &Key_) == ERROR_SUCCESS &&
              RegGetKeySecurity(Key_, DACL_SECURITY_INFORMATION, Saved_, &size) == ERROR_SUCCESS &&
              ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly,
                                                                   nullptr) &&
              RegSetKeySecurity(Key_, DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
        LocalFree(readOnly);
    }
    ~TReadOnlyKey()
    {
        if (Ok_)
            RegSetKeySecurity(Key_, DACL_SECURITY_INFORMATION, Saved_);
        RegCloseKey(Key_);
    }
    bool Ok() const { return Ok_; }

private:
    HKEY Key_ = nullptr;
    alignas(void*) char Saved_[4096];
    bool Ok_;
};

// One project for every run of a group, with a fresh log per run and the user's settings as given.
class SaverRuns : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = new TTestFolder("saver_runs");
        ASSERT_TRUE(WriteSolidBmp(Folder->File("red.bmp"), 64, 48, 0xFF0000));
        ASSERT_TRUE(WriteSolidBmp(Folder->File("blue.bmp"), 64, 48, 0x0000FF));
        ASSERT_TRUE(BuildScr(*Folder, Manifest(0), &Scr));
        ASSERT_TRUE(BuildScr(*Folder, Manifest(1), &ExeScr, "program.scr"));
    }
    static void TearDownTestSuite()
    {
        DeleteRegKey(HKEY_CURRENT_USER, kSettingsKey);
        delete Folder;
    }
    void SetUp() override
    {
        DeleteRegKey(HKEY_CURRENT_USER, kSettingsKey);
        ASSERT_TRUE(CreateLog(Scr));
        ASSERT_TRUE(CreateLog(ExeScr));
    }

    static void StoreSettings(const SAVER_DATA& data)
    {
        std::uint8_t bytes[kSaverDataSize];
        EncodeSaverData(data, bytes);
        ASSERT_TRUE(WriteRegBinary(HKEY_CURRENT_USER, kSettingsKey, "data",
                                   std::string(reinterpret_cast<char*>(bytes), sizeof(bytes))));
    }
    // Close events are armed 2 s after the window shows.
    static void WaitArmed() { Pause(2600); }
    // A saver started with the stored settings has its window, has put the cursor at (0, 0), and is armed.
    static testing::AssertionResult ShownAndArmed(const TProcess& run, HWND* window)
    {
        TLogFile log(Scr);
        testing::AssertionResult ready = run.WaitForWindow(window, 15000);
        if (ready)
            ready = log.WaitForLine("Main form Init Pos 0 ,0", 5000);
        if (ready)
            WaitArmed();
        return ready;
    }

    static TTestFolder* Folder;
    static std::string Scr, ExeScr;
};

TTestFolder* SaverRuns::Folder = nullptr;
std::string SaverRuns::Scr, SaverRuns::ExeScr;

} // namespace

TEST_F(SaverRuns, ConfigureModeShowsTheDialogAndEnds)
{
    for (const char* args : {"/c", ""}) {
        ASSERT_TRUE(CreateLog(Scr));
        TProcess run(Scr, args);
        HWND dialog = nullptr;
        ASSERT_TRUE(run.WaitForWindow(&dialog, 15000)) << args;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(run.WaitExit(15000)) << args;
        TLogFile log(Scr);
        EXPECT_TRUE(log.Has("start mode : Configure")) << log.Tail();
        EXPECT_TRUE(log.Has("Openning the configuration dialog!"));
        EXPECT_TRUE(log.Has("Exit from the configuration dialog!"));
    }
}

TEST_F(SaverRuns, SaverCoversTheScreenClosesOnlyAfterArmingAndRunsOnce)
{
    ASSERT_TRUE(SetScreenSaverRunningFlag(false));
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    TLogFile log(Scr);
    // Before arming nothing closes: input posted well inside the first 2 s of the window.
    ASSERT_TRUE(log.WaitForLine("Main form Init Pos", 5000));
    const DWORD created = LineTick(log, "Main form Init Pos");
    const DWORD posted = GetTickCount();
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    PostChar(window, 'x');
    Pause(300);
    if (posted - created < 1500) {
        EXPECT_TRUE(run.Running());
        EXPECT_FALSE(log.Has("Close Event")) << log.Tail();
    }
    ASSERT_TRUE(run.Running()) << "the machine was too slow to post before arming";
    EXPECT_TRUE(log.Has("start mode : Normal or Press Preview button!"));
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(ScreenSaverRunningFlag(), std::optional<bool>(true));

    // A second saver while one runs ends at once and leaves the running one's state alone.
    {
        TProcess second(Scr, "/s");
        ASSERT_TRUE(second.WaitExit(15000));
    }
    EXPECT_EQ(log.Count("CMD: "), 2);
    EXPECT_FALSE(log.Has("notify windows screensaver is stopped!"));
    EXPECT_EQ(ScreenSaverRunningFlag(), std::optional<bool>(true));
    ASSERT_TRUE(run.Running());

    // Alt+F4 and the system's screen-saver command are swallowed in this mode.
    WaitArmed();
    PostSysCommand(window, SC_CLOSE);
    PostSysCommand(window, SC_SCREENSAVE);
    Pause(500);
    EXPECT_TRUE(run.Running());

    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(run.WaitExit(10000));
    EXPECT_TRUE(log.Has("Close Event : WM_LBUTTONUP_A")) << log.Tail();
    EXPECT_TRUE(log.Has("notify windows screensaver is stopped!"));
    EXPECT_EQ(ScreenSaverRunningFlag(), std::optional<bool>(false));
}

// The task bar goes only behind a window that covers the screen, and comes back when it closes; an unplaced
// run ("-a", an unknown letter) is a small window that must not leave the user without one.
TEST_F(SaverRuns, TaskBarIsHiddenOnlyBehindAFullScreenWindow)
{
    TStandInTray tray;
    ASSERT_TRUE(tray.Shown());
    for (const char* args : {"-a 4321", "/x"}) {
        ASSERT_TRUE(CreateLog(Scr));
        TProcess run(Scr, args);
        HWND window = nullptr;
        ASSERT_TRUE(run.WaitForWindow(&window, 15000)) << args;
        ASSERT_TRUE(TLogFile(Scr).WaitForLine("Main form Init Pos", 5000)) << args;
        Pause(500);
        EXPECT_TRUE(tray.Shown()) << args;
        PostClose(window);
        ASSERT_TRUE(run.WaitExit(10000)) << args;
    }
    ASSERT_TRUE(CreateLog(Scr));
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    EXPECT_TRUE(WaitUntil([&] { return !tray.Shown(); }, 5000, "the task bar hidden"));
    WaitArmed();
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(run.WaitExit(10000));
    EXPECT_TRUE(WaitUntil([&] { return tray.Shown(); }, 5000, "the task bar back"));
}

// A crash while the show runs ends the saver without an error box and still gives the task bar it hid and the
// running flag back: an access violation (a thread started at address 0 from outside), and a C++ exception that
// no catch takes, which ends the process past the unhandled-exception filter. A task bar that shows meanwhile is
// not the one put back.
TEST_F(SaverRuns, ACrashGivesTheTaskBarAndTheRunningFlagBack)
{
    for (const bool thrown : {false, true}) {
        TStandInTray tray;
        ASSERT_TRUE(CreateLog(Scr));
        TProcess run(Scr, "/s");
        HWND window = nullptr;
        ASSERT_TRUE(run.WaitForWindow(&window, 15000));
        ASSERT_TRUE(WaitUntil([&] { return !tray.Shown(); }, 5000, "the task bar hidden"));
        ASSERT_EQ(ScreenSaverRunningFlag(), std::optional<bool>(true));
        TStandInTray later;

        if (thrown) {
            ASSERT_TRUE(ThrowPastEveryCatch(run));
        } else {
            HANDLE thread = CreateRemoteThread(run.Handle(), nullptr, 0, nullptr, nullptr, 0, nullptr);
            ASSERT_TRUE(thread != nullptr) << GetLastError();
            CloseHandle(thread);
        }
        ASSERT_TRUE(run.WaitExit(10000)) << "thrown " << thrown;
        EXPECT_EQ(run.ExitCode(), thrown ? kTerminatedExitCode : static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
        EXPECT_TRUE(WaitUntil([&] { return tray.Shown(); }, 5000, "the task bar back")) << "thrown " << thrown;
        EXPECT_EQ(ScreenSaverRunningFlag(), std::optional<bool>(false)) << "thrown " << thrown;
    }
}

TEST_F(SaverRuns, MouseThresholdAndSpecifiedKeyWithoutAnyEvent)
{
    SAVER_DATA data;
    data.AnyEvent = 0;
    data.CloseOnMouseMove = 1;
    data.CloseOnKey = 1;
    data.CloseKey = 'A';
    data.CloseOnRightClick = 0;
    StoreSettings(data);
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(ShownAndArmed(run, &window));
    TLogFile log(Scr);

    ASSERT_TRUE(MoveCursor(20, 20));
    PostMouseMove(window, 20, 20);
    PostClick(window, WM_RBUTTONDOWN, 20, 20);
    PostChar(window, 'a');
    PostKey(window, VK_SHIFT);
    Pause(500);
    EXPECT_TRUE(run.Running()) << log.Tail();
    EXPECT_FALSE(log.Has("Close Event"));

    PostChar(window, 'A');
    EXPECT_TRUE(log.WaitForLine("Close Event : WM_CHAR", 5000)) << log.Tail();
    ASSERT_TRUE(run.WaitExit(10000));

    // The same settings close on a move one pixel past the threshold.
    ASSERT_TRUE(CreateLog(Scr));
    TProcess again(Scr, "/s");
    ASSERT_TRUE(ShownAndArmed(again, &window));
    ASSERT_TRUE(MoveCursor(0, 21));
    PostMouseMove(window, 0, 21);
    ASSERT_TRUE(again.WaitExit(10000));
    EXPECT_TRUE(log.Has("Close Event : WM_MOUSEMOVE")) << log.Tail();
    EXPECT_TRUE(log.Has("dx: 0 , dy : 21 , threshold : 20"));
}

// "ESC key" alone: a move, a click and Enter close nothing, the Esc key does. The pointer the saver took to the
// corner is back where the user left it.
TEST_F(SaverRuns, EscKeyAloneClosesOnEscOnlyAndPutsThePointerBack)
{
    SAVER_DATA data;
    data.AnyEvent = data.CloseOnMouseMove = data.CloseOnRightClick = data.CloseOnDoubleClick = 0;
    data.CloseOnEnter = 0;
    StoreSettings(data);
    const POINT home{123, 77};
    ASSERT_TRUE(SendMouseMove(home.x, home.y));
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(ShownAndArmed(run, &window));
    TLogFile log(Scr);

    ASSERT_TRUE(SendMouseMove(300, 200));
    SendClick(WM_RBUTTONDOWN);
    SendKey(VK_RETURN);
    Pause(500);
    EXPECT_TRUE(run.Running());
    EXPECT_FALSE(log.Has("Close Event")) << log.Tail();
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();
    EXPECT_TRUE(log.Has("Close Event : WM_CHAR_ESC")) << log.Tail();
    POINT at{};
    GetCursorPos(&at);
    EXPECT_TRUE(at.x == home.x && at.y == home.y) << at.x << ", " << at.y;
}

TEST_F(SaverRuns, PreviewLivesInItsParentAndDiesWithIt)
{
    for (const char* handle : {"0", "123456"}) {
        ASSERT_TRUE(CreateLog(Scr));
        TProcess orphan(Scr, std::string("/p ") + handle);
        ASSERT_TRUE(orphan.WaitExit(15000)) << handle;
    }
    ASSERT_TRUE(CreateLog(Scr));
    TParentWindow parent(152, 112);
    TProcess run(Scr, "/p " + parent.HandleText());
    HWND child = nullptr;
    ASSERT_TRUE(WaitForChild(parent.Handle(), &child, 15000));
    const RECT r = ClientRect(parent.Handle());
    const RECT c = WindowRect(child);
    POINT origin{0, 0};
    ClientToScreen(parent.Handle(), &origin);
    EXPECT_EQ(c.left, origin.x);
    EXPECT_EQ(c.top, origin.y);
    EXPECT_EQ(c.right - c.left, r.right - r.left);
    EXPECT_EQ(c.bottom - c.top, r.bottom - r.top);
    TLogFile log(Scr);
    EXPECT_TRUE(log.WaitForLine("start mode : Preview in small screen", 5000));

    // No input closes a preview.
    WaitArmed();
    PostClick(child, WM_LBUTTONDOWN, 5, 5);
    PostChar(child, 'x');
    Pause(500);
    EXPECT_TRUE(run.Running());

    parent.Destroy();
    ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();
}

TEST_F(SaverRuns, RunAsProgramHasAMenuAndClosesLikeAProgram)
{
    TProcess run(ExeScr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    TLogFile log(ExeScr);
    ASSERT_TRUE(log.WaitForLine("start mode : run as an exe file", 5000)) << log.Tail();
    WaitArmed();
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    PostChar(window, 'x');
    Pause(300);
    EXPECT_TRUE(run.Running());

    // The menu's last item is Exit.
    ASSERT_TRUE(ChooseMenuItem(window, VK_UP));
    ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();

    ASSERT_TRUE(CreateLog(ExeScr));
    TProcess second(ExeScr, "/s");
    ASSERT_TRUE(second.WaitForWindow(&window, 15000));
    PostSysCommand(window, SC_CLOSE);
    ASSERT_TRUE(second.WaitExit(10000));
}

// A program name holding ".exe" runs as a program whatever the switch. Its Settings item holds the show while the
// dialog is open, modal to it, leaves the window where it is, and the show goes on after, also without a delay
// between slides (the slide change that came during the dialog is not lost). A second right click that comes
// before the dialog shows opens nothing, and the maximum runtime waits for the dialog's end.
TEST_F(SaverRuns, RunAsProgramByNameAndItsSettingsHoldTheShowAndItsCloseWhileTheDialogIsOpen)
{
    SAVER_DATA data;
    data.MaxRuntimeOn = 1;
    data.MaxRuntimeMinutes = 1;
    StoreSettings(data);
    std::string named;
    ASSERT_TRUE(BuildScr(*Folder, Manifest(0, 0), &named, "run.exe.scr"));
    ASSERT_TRUE(CreateLog(named));
    TLogFile log(named);
    TProcess run(named, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    ASSERT_TRUE(log.WaitForLine("start mode : run as an exe file", 5000)) << log.Tail();
    ASSERT_TRUE(log.WaitForLine("Media name = ", 5000, 3)) << log.Tail();
    const RECT placed = WindowRect(window);

    ASSERT_TRUE(ChooseMenuItem(window, VK_DOWN));  // Settings
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (dialog = FindWindowA("#32770", nullptr)) != nullptr && IsWindowVisible(dialog); }, 5000,
        "the settings dialog", [&] { return run.DescribeWindows(); }));
    Pause(300);
    const int shown = log.Count("Media name = ");
    Pause(1500);
    EXPECT_EQ(log.Count("Media name = "), shown) << "slides went on under the dialog";
    const RECT during = WindowRect(window);
    EXPECT_TRUE(EqualRect(&during, &placed)) << DescribeWindow(window);

    // Modal to the show: a right click on it opens no menu, so neither a second dialog nor Exit.
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    ASSERT_EQ(GetAncestor(WindowAtPoint(40, 40), GA_ROOT), window);
    if (const HWND menu = RightClickMenu(40, 40)) {
        ADD_FAILURE() << "a popup menu over the dialog";
        PostKey(menu, VK_DOWN);  // its Settings
        PostKey(menu, VK_RETURN);
        Pause(1000);
    }
    const auto dialogs = [&] {
        int count = 0;
        for (HWND top : run.Windows()) {
            char name[16] = {};
            GetClassNameA(top, name, sizeof name);
            count += std::string(name) == "#32770";
        }
        return count;
    };
    EXPECT_EQ(dialogs(), 1) << run.DescribeWindows();

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(log.WaitForLine("Media name = ", 5000, shown + 1)) << log.Tail();
    EXPECT_TRUE(IsWindowEnabled(window));
    // Afterwards the same click opens the menu.
    const HWND menu = RightClickMenu(40, 40);
    ASSERT_NE(menu, nullptr);
    PostKey(menu, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 5000, "the menu closed"));

    // Settings again, and a second right click at once: real input comes after the menu's posted keys, so the
    // saver handles it when Settings begins, before the dialog disables the window.
    ASSERT_TRUE(ChooseMenuItem(window, VK_DOWN));
    ASSERT_TRUE(SendMouseMove(40, 40));
    SendClick(WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil(
        [&] { return (dialog = FindWindowA("#32770", nullptr)) != nullptr && IsWindowVisible(dialog); }, 5000,
        "the settings dialog", [&] { return run.DescribeWindows(); }));
    Pause(1000);
    if (const HWND second = FindWindowA("#32768", nullptr); second && IsWindowVisible(second)) {
        ADD_FAILURE() << "a popup menu over the dialog";
        PostKey(second, VK_DOWN);  // its Settings
        PostKey(second, VK_RETURN);
        Pause(1000);
    }
    EXPECT_EQ(dialogs(), 1) << run.DescribeWindows();
    EXPECT_EQ(log.Count("Show configuration dialog."), 2) << log.Tail();

    // The maximum runtime passes with the dialog open; its OK saves, then the show closes.
    ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kSettingsKey, "data"));
    ASSERT_TRUE(log.WaitForLine("maximum runtime reached", 70000)) << log.Tail();
    Pause(1000);
    ASSERT_TRUE(run.Running()) << log.Tail();
    EXPECT_TRUE(IsWindowVisible(dialog)) << run.DescribeWindows();
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_TRUE(ReadRegBinary(HKEY_CURRENT_USER, kSettingsKey, "data").has_value()) << log.Tail();
    EXPECT_TRUE(log.Has("CanClose : yes"));
}

TEST_F(SaverRuns, SetDefaultWritesTheSystemsSaverValue)
{
    TRegValueRestore keep(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE");
    TProcess run(Scr, "/setdef");
    ASSERT_TRUE(run.WaitExit(15000));
    char shortPath[1024] = {};
    GetShortPathNameA(Scr.c_str(), shortPath, sizeof(shortPath));
    std::string expected = CharUpperA(shortPath);
    // The stored bytes, terminator included, as readers of the value expect.
    EXPECT_EQ(ReadRegBinary(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE").value_or("(none)"),
              expected + '\0');
    TLogFile log(Scr);
    EXPECT_TRUE(log.Has("set as system's default screensaver!"));
    EXPECT_TRUE(log.Has("default screensaver is set!"));
    EXPECT_FALSE(log.Has("start mode"));

    // A key the user may not write: the log says why, and nothing claims success.
    ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE"));
    ASSERT_TRUE(CreateLog(Scr));
    {
        TReadOnlyKey readOnly("Control Panel\\Desktop");
        ASSERT_TRUE(readOnly.Ok());
        TProcess refused(Scr, "/setdef");
        ASSERT_TRUE(refused.WaitExit(15000));
    }
    EXPECT_TRUE(log.Has("Cann't open Control Panel\\Desktop (5)")) << log.Tail();
    EXPECT_FALSE(log.Has("default screensaver is set!"));
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE").has_value());
}

TEST_F(SaverRuns, SetDefaultOnWindows98WritesSystemIni)
{
    TIniValueRestore keep(SystemIniPath(), "boot", "SCRNSAVE.EXE");
    {
        TWin98 win98(Scr);
        ASSERT_TRUE(win98.Ok());
        TProcess run(Scr, "/setdef");
        ASSERT_TRUE(run.WaitExit(15000));
    }
    char shortPath[1024] = {};
    GetShortPathNameA(Scr.c_str(), shortPath, sizeof(shortPath));
    EXPECT_EQ(ReadIniString(SystemIniPath(), "boot", "SCRNSAVE.EXE").value_or("(none)"), CharUpperA(shortPath));
}

TEST_F(SaverRuns, InstallRunsTheShellsCommandWithThePath)
{
    const std::string recorder = InstallRecorder(*Folder);
    DeleteFileA(Folder->File("recorder.txt").c_str());
    TScrInstallCommand install("\"" + recorder + "\" install %l and %l");
    ASSERT_TRUE(install.Ok());
    TProcess run(Scr, "/ins");
    ASSERT_TRUE(run.WaitExit(15000));
    char shortPath[1024] = {};
    GetShortPathNameA(Scr.c_str(), shortPath, sizeof(shortPath));
    ASSERT_TRUE(WaitUntil([&] { return !ReadLines(Folder->File("recorder.txt")).empty(); }, 10000, "recorder"))
        << TLogFile(Scr).Tail();
    const std::string line = ReadLines(Folder->File("recorder.txt"))[0];
    EXPECT_NE(line.find(std::string("install ") + shortPath + " and " + shortPath), std::string::npos) << line;

    // Windows stores its command as REG_EXPAND_SZ, with variables and a quoted "%l".
    {
        TScrInstallCommand expanding("\"%ZELT_E2E_FOLDER%\\recorder.exe\" expanded \"%l\"", REG_EXPAND_SZ);
        ASSERT_TRUE(expanding.Ok());
        TProcess expanded(Scr, "/ins", {"ZELT_E2E_FOLDER=" + Folder->Path()});
        ASSERT_TRUE(expanded.WaitExit(15000));
    }
    ASSERT_TRUE(WaitUntil([&] { return ReadLines(Folder->File("recorder.txt")).size() == 2; }, 10000, "recorder"))
        << TLogFile(Scr).Tail();
    const std::string second = ReadLines(Folder->File("recorder.txt"))[1];
    EXPECT_NE(second.find(std::string("expanded \"") + shortPath + "\""), std::string::npos) << second;

    // A command that cannot run says so with the system's code.
    ASSERT_TRUE(CreateLog(Scr));
    TScrInstallCommand missing("C:\\no such folder\\install.exe %l");
    ASSERT_TRUE(missing.Ok());
    TProcess failed(Scr, "/ins");
    ASSERT_TRUE(failed.WaitExit(15000));
    TLogFile log(Scr);
    EXPECT_TRUE(log.Has("Cann't run the install command C:\\no such folder\\install.exe")) << log.Tail();
    EXPECT_TRUE(log.Has("setting dialog closed!"));
}

TEST_F(SaverRuns, PasswordChangeRunsOnWindows98Only)
{
    ASSERT_TRUE(InstallPasswordFakes(*Folder));
    DeleteFileA(Folder->File("mpr.txt").c_str());
    {
        TProcess nt(Scr, "/a 4321");
        ASSERT_TRUE(nt.WaitExit(15000));
    }
    EXPECT_TRUE(ReadWholeFile(Folder->File("mpr.txt")).empty());
    {
        TWin98 win98(Scr);
        ASSERT_TRUE(win98.Ok());
        TProcess run(Scr, "/a 4321");
        ASSERT_TRUE(run.WaitExit(15000));
    }
    EXPECT_EQ(ReadLines(Folder->File("mpr.txt")), std::vector<std::string>{"PwdChangePasswordA SCRSAVE 4321 0 0"});
    TLogFile log(Scr);
    EXPECT_TRUE(log.Has("checking password in win9x"));
}

// Within 15 s of the start a close asks for no password.
TEST_F(SaverRuns, NoPasswordWithinTheGraceOnWindows98)
{
    ASSERT_TRUE(InstallPasswordFakes(*Folder));
    DeleteFileA(Folder->File("password.txt").c_str());
    ASSERT_TRUE(SetPasswordAnswer(*Folder, false));
    TWin98 win98(Scr);
    ASSERT_TRUE(win98.Ok());
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    WaitArmed();
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(run.WaitExit(10000)) << TLogFile(Scr).Tail();
    EXPECT_TRUE(ReadLines(Folder->File("password.txt")).empty());
    EXPECT_TRUE(TLogFile(Scr).Has("CanClose : yes"));
}

// After the 15 s grace every close asks for the password: one that another program posts, one an input asks
// for, and the maximum runtime's. A refusal keeps the saver, as does a close that was waiting while the prompt
// ran, and the cursor shows during the prompt.
TEST_F(SaverRuns, PasswordOnEveryCloseOnWindows98)
{
    SAVER_DATA data;
    data.MaxRuntimeOn = 1;
    data.MaxRuntimeMinutes = 1;
    StoreSettings(data);
    ASSERT_TRUE(InstallPasswordFakes(*Folder));
    DeleteFileA(Folder->File("password.txt").c_str());
    ASSERT_TRUE(SetPasswordAnswer(*Folder, false, 1500));
    TWin98 win98(Scr);
    ASSERT_TRUE(win98.Ok());
    TProcess run(Scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(run.WaitForWindow(&window, 15000));
    TLogFile log(Scr);
    ASSERT_TRUE(log.WaitForLine("Time Limitation 1 minute(s)", 5000)) << log.Tail();
    const auto prompts = [&] { return ReadLines(Folder->File("password.txt")); };
    const auto asked = [&](size_t count, const char* what) {
        return WaitUntil([&] { return prompts().size() >= count; }, 10000, what, [&] { return log.Tail(30); });
    };
    Pause(16000);
    PostClose(window);
    ASSERT_TRUE(asked(1, "the prompt of a posted close"));

    Pause(2000);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(log.WaitForLine("Close Query", 1000, 2)) << log.Tail();
    PostClose(window);
    ASSERT_TRUE(asked(2, "the prompt of a close event"));
    Pause(1000);
    EXPECT_TRUE(run.Running()) << log.Tail();
    EXPECT_FALSE(log.Has("CanClose : yes")) << log.Tail();
    EXPECT_GE(log.Count("CanClose : no"), 3);
    ASSERT_EQ(prompts().size(), 2u) << log.Tail(40);
    // "VerifyScreenSavePwd <window> cursor <display count> refuse": the count is 0 or more while it shows.
    const std::string prompt = prompts()[1];
    const size_t at = prompt.find(" cursor ");
    ASSERT_NE(at, std::string::npos) << prompt;
    EXPECT_GE(std::atoi(prompt.c_str() + at + 8), 0) << prompt;

    ASSERT_TRUE(log.WaitForLine("maximum runtime reached", 60000)) << log.Tail();
    ASSERT_TRUE(asked(3, "the prompt of the maximum runtime"));
    Pause(1000);
    EXPECT_TRUE(run.Running()) << log.Tail();

    ASSERT_TRUE(SetPasswordAnswer(*Folder, true));
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();
    EXPECT_TRUE(log.Has("CanClose : yes"));
}
