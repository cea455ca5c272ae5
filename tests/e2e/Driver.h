// End-to-end test driver: builds a screen saver from a manifest, starts it under Wine and watches it from the
// test process (windows, input, cursor, preview parent, log, registry, screen pixels).
// Every wait is bounded and pumps this thread's messages (a preview parent must answer its child's messages);
// a failed wait says what it saw.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// --- Files and projects -----------------------------------------------------------------------------------

// A fresh, empty folder below the test's working folder, one per test group.
class TTestFolder {
public:
    explicit TTestFolder(const std::string& name);
    const std::string& Path() const { return Path_; }      // full Windows path, no trailing "\"
    std::string File(const std::string& name) const { return Path_ + "\\" + name; }

private:
    std::string Path_;
};

bool WriteWholeFile(const std::string& path, const std::string& bytes);
// What a folder holds, below it too ("sub\\name"; folders are listed as well), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
std::string ReadWholeFile(const std::string& path);  // "" when missing
// This process's temporary folder (GetTempPathA), with its trailing "\\".
std::string TempFolder();
// A fresh temporary folder for one run ("temp" in the test's folder), and the environment that gives it to the
// saver: what the saver leaves there is seen without what other programs write.
struct TPrivateTemp {
    explicit TPrivateTemp(const TTestFolder& folder);
    std::vector<std::string> Env() const { return {"TMP=" + Path, "TEMP=" + Path}; }
    std::vector<std::string> Left() const { return FolderEntries(Path); }
    std::string Path;
};
std::vector<std::string> ReadLines(const std::string& path);
// A 32-bit bitmap file of one colour (0x00RRGGBB).
bool WriteSolidBmp(const std::string& path, int width, int height, uint32_t rgb);

// The built runtime (Ombix.dll lies beside it), as a Windows path.
std::string RuntimePath();
// Builds folder\scrName from a manifest (JSON text; "file" names are taken from the folder) and the built
// runtime; the picture library goes in unless the manifest lists runtime libraries. Gives the .scr's path.
testing::AssertionResult BuildScr(const TTestFolder& folder, const std::string& manifestJson,
                                  std::string* scrPath, const std::string& scrName = "saver.scr");
// An empty zelt.log beside the program (removing an old one): the runtime logs only when it exists.
bool CreateLog(const std::string& programPath);

// --- Waiting -----------------------------------------------------------------------------------------------

// Dispatches this thread's waiting messages.
void PumpMessages();
// Sleeps ms while pumping.
void Pause(DWORD ms);
// Polls done (pumping) until it is true or timeoutMs pass; the failure names what and, when given, what
// describe() tells at the end.
testing::AssertionResult WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what,
                                   const std::function<std::string()>& describe = nullptr);

// --- Processes and windows ---------------------------------------------------------------------------------

// A started program. The destructor kills it when it still runs, so no test leaves one behind.
class TProcess {
public:
    // Starts "program" args in the program's folder. env adds or replaces variables ("NAME=value"), e.g. a
    // private TMP and TEMP to see what the runtime writes to its temporary folder. (WINEDLLOVERRIDES given
    // this way has no effect: use TWineAppDefaults.)
    TProcess(const std::string& program, const std::string& args, const std::vector<std::string>& env = {});
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    bool Started() const { return Info_.hProcess != nullptr; }  // failures say CreateProcess's error
    DWORD Id() const { return Info_.dwProcessId; }
    HANDLE Handle() const { return Info_.hProcess; }
    bool Running() const;
    // Waits for the end; on timeout kills the process and fails, listing its windows as they were.
    testing::AssertionResult WaitExit(DWORD timeoutMs);
    DWORD ExitCode() const;                                // STILL_ACTIVE while running
    // The exception that ended it (0xC0000005 for an access violation), or 0. The tests' Wine prefix has no
    // crash debugger, so a crashed program ends at once with its exception code as exit code.
    DWORD CrashCode() const;
    void Kill();

    std::vector<HWND> Windows(bool visibleOnly = true) const;  // its top-level windows
    // The first visible top-level window.
    testing::AssertionResult WaitForWindow(HWND* window, DWORD timeoutMs) const;
    std::string DescribeWindows() const;                   // every top-level window it has, visible or not

private:
    PROCESS_INFORMATION Info_ = {};
    DWORD StartError_ = 0;
};

// "crashed with exception 0xC0000005", or "" when the process did not crash.
std::string CrashOf(const TProcess& process);
// Starts a thread in the runtime where it throws std::bad_alloc: a C++ exception that no catch takes.
testing::AssertionResult ThrowPastEveryCatch(const TProcess& process);
// A visible dialog-class window ("#32770") of the process, described; "" when it shows none.
std::string BoxOf(DWORD pid);

std::vector<HWND> ChildWindows(HWND parent);              // direct children
// The first visible child (a preview window exists hidden and unsized for a moment before it is placed).
testing::AssertionResult WaitForChild(HWND parent, HWND* child, DWORD timeoutMs);
std::string DescribeWindow(HWND window);                  // handle, class, title, rectangle, visibility
RECT WindowRect(HWND window);                             // screen coordinates
RECT ClientRect(HWND window);

// A window of this process to host a preview ("/p <hwnd>"): a visible frameless top-level window (its window
// and client rectangles agree, as for the display control panel's preview). Pass HandleText() on the command line.
class TParentWindow {
public:
    TParentWindow(int width, int height, int left = 100, int top = 100);
    ~TParentWindow();
    TParentWindow(const TParentWindow&) = delete;
    TParentWindow& operator=(const TParentWindow&) = delete;
    HWND Handle() const { return Handle_; }
    std::string HandleText() const;                       // the handle as a decimal number
    void Destroy();

private:
    HWND Handle_ = nullptr;
};

// A stand-in for the shell's task bar, the window the saver hides behind a full-screen one (Wine's desktop has
// none).
class TStandInTray {
public:
    TStandInTray();
    ~TStandInTray();
    TStandInTray(const TStandInTray&) = delete;
    TStandInTray& operator=(const TStandInTray&) = delete;
    bool Shown() const { return IsWindowVisible(Handle_) != FALSE; }

private:
    HWND Handle_;
};

// A log-off as Windows makes it: WM_QUERYENDSESSION to every top-level window of the process, hidden ones too;
// when all answered yes, WM_ENDSESSION (TRUE) to each still there, and the process is ended (TerminateProcess) the
// moment the last returned, as Windows may do.
testing::AssertionResult EndSession(TProcess& process);

// --- Input -------------------------------------------------------------------------------------------------
// Posted messages carry the lParam Windows builds: repeat count 1, scan code, context (Alt) and transition
// bits. Coordinates are client coordinates of the target window.

void PostKey(HWND window, UINT vk, bool alt = false);     // key down then up (WM_SYSKEY* with Alt)
void PostKeyDown(HWND window, UINT vk, bool alt = false);
void PostChar(HWND window, char c);
void PostMouseMove(HWND window, int x, int y, WPARAM keys = 0);
// button: WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN; posts the down and the matching up.
void PostClick(HWND window, UINT button, int x, int y);
void PostMouseWheel(HWND window, int delta);
void PostSysCommand(HWND window, WPARAM command);         // e.g. SC_CLOSE
void PostClose(HWND window);
// SetCursorPos, then checks that the cursor is there.
bool MoveCursor(int x, int y);

// --- Real input --------------------------------------------------------------------------------------------
// Through the system's input queue (SendInput), as a user's: the mouse's goes to the window under the cursor,
// keys to the window with the keyboard focus. Points are screen coordinates; each call pumps afterwards.

// Moves the real cursor to (x, y); true when it is there.
bool SendMouseMove(int x, int y);
// button: WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN; pressed and released where the cursor is.
bool SendClick(UINT button);
// vk pressed and released.
bool SendKey(UINT vk);
// The window that mouse input at (x, y) reaches: the deepest visible child there.
HWND WindowAtPoint(int x, int y);
// The window with the keyboard focus in the thread of window (null when it has none).
HWND FocusWindow(HWND window);
// Gives window (of any process) the keyboard focus, as a click on a control gives it its own; true when it has
// it. The saver's main window keeps the focus otherwise: keys reach a player's window only this way.
bool GiveFocus(HWND window);

// --- Screen ------------------------------------------------------------------------------------------------

// A copy of a screen rectangle (from the screen DC), pixels as 0x00RRGGBB. Windows of this process are
// pumped first: under Wine their drawing reaches the screen only then.
class TScreenShot {
public:
    explicit TScreenShot(const RECT& area);
    static TScreenShot Of(HWND window) { return TScreenShot(WindowRect(window)); }
    int Width() const { return Width_; }
    int Height() const { return Height_; }
    uint32_t Pixel(int x, int y) const;                    // relative to the area; 0 outside
    // How many pixels hold rgb.
    int Count(uint32_t rgb) const;
    bool Save(const std::string& path) const;              // 32-bit bitmap file

private:
    int Width_ = 0, Height_ = 0;
    std::vector<uint32_t> Pixels_;
};

// Reads area until shown holds for the copy (kept in *shot when given). Another program's drawing reaches the
// screen only when its drawing thread next finds its message queue empty, which can be a while after the
// log line written just after drawing: a copy taken on that line alone may still hold the frame before.
testing::AssertionResult WaitForScreen(const RECT& area, const std::function<bool(const TScreenShot&)>& shown,
                                       DWORD timeoutMs, const std::string& what, TScreenShot* shot = nullptr);

// --- Log ---------------------------------------------------------------------------------------------------

// The zelt.log beside a program.
class TLogFile {
public:
    explicit TLogFile(const std::string& programPath);
    const std::string& Path() const { return Path_; }
    std::vector<std::string> Lines() const;
    bool Has(const std::string& part) const;               // some line contains part
    int Count(const std::string& part) const;              // lines that contain part
    // Some line written at that unit and line ("[unit,(line)] : ") contains part.
    bool HasAt(const std::string& unit, int line, const std::string& part) const;
    std::string Tail(int lines = 25) const;
    // A line containing part appears (at least count of them).
    testing::AssertionResult WaitForLine(const std::string& part, DWORD timeoutMs, int count = 1) const;

private:
    std::string Path_;
};

// --- Registry (8-bit texts, as the runtime writes them) ----------------------------------------------------

// view: KEY_WOW64_32KEY or KEY_WOW64_64KEY for one of a 64-bit prefix's two views, else the program's own.
std::optional<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& value, REGSAM view = 0);
std::optional<DWORD> ReadRegDword(HKEY root, const std::string& key, const std::string& value);
std::optional<std::string> ReadRegBinary(HKEY root, const std::string& key, const std::string& value);
bool WriteRegString(HKEY root, const std::string& key, const std::string& value, const std::string& text,
                    DWORD type = REG_SZ);  // or REG_EXPAND_SZ
bool WriteRegDword(HKEY root, const std::string& key, const std::string& value, DWORD number);
bool WriteRegBinary(HKEY root, const std::string& key, const std::string& value, const std::string& bytes);
bool DeleteRegValue(HKEY root, const std::string& key, const std::string& value);
bool DeleteRegKey(HKEY root, const std::string& key);     // with everything below it

// The system's screen-saver-running flag (SPI_SETSCREENSAVERRUNNING) as this Wine shares it between processes:
// HKCU\Software\Wine\Temporary System Parameters\Control Panel\Desktop, "WINE_ScreenSaverRunning". Read it
// here, not with SystemParametersInfo: a process answers the value it read first. Nothing while never set.
std::optional<bool> ScreenSaverRunningFlag();
bool SetScreenSaverRunningFlag(bool running);

// Remembers one value (or its absence) and puts it back on destruction.
class TRegValueRestore {
public:
    TRegValueRestore(HKEY root, const std::string& key, const std::string& value);
    ~TRegValueRestore();
    TRegValueRestore(const TRegValueRestore&) = delete;
    TRegValueRestore& operator=(const TRegValueRestore&) = delete;

private:
    HKEY Root_;
    std::string Key_, Value_;
    std::optional<std::pair<DWORD, std::string>> Saved_;   // type and bytes
};

// --- Ini files (the Windows 9x branch of "/setdef" writes system.ini) -------------------------------------

std::string SystemIniPath();                              // system.ini in the Windows folder
std::optional<std::string> ReadIniString(const std::string& path, const std::string& section,
                                         const std::string& key);

// Remembers one key of an ini file (or its absence) and puts it back on destruction.
class TIniValueRestore {
public:
    TIniValueRestore(const std::string& path, const std::string& section, const std::string& key);
    ~TIniValueRestore();
    TIniValueRestore(const TIniValueRestore&) = delete;
    TIniValueRestore& operator=(const TIniValueRestore&) = delete;

private:
    std::string Path_, Section_, Key_;
    std::optional<std::string> Saved_;
};

// --- Wine settings per program -----------------------------------------------------------------------------

// HKCU\Software\Wine\AppDefaults\<exe name>: settings that apply to programs of that file name only.
// The key is removed on destruction.
class TWineAppDefaults {
public:
    explicit TWineAppDefaults(const std::string& exeName);  // a file name or path; the name part is used
    ~TWineAppDefaults();
    TWineAppDefaults(const TWineAppDefaults&) = delete;
    TWineAppDefaults& operator=(const TWineAppDefaults&) = delete;
    // The Windows version Wine reports, e.g. "win98" (GetVersionExW then gives platform 1) or "win10".
    bool SetVersion(const std::string& version);
    // Load order of one DLL, e.g. ("mpr", "native"): the DLL from the program's folder instead of Wine's own.
    bool SetDllOverride(const std::string& dll, const std::string& order);
    // Windows not managed by a window manager: under Xvfb, which has none, hiding a full-screen window then
    // takes milliseconds instead of Wine's 2 s wait for the manager's answer.
    bool SetUnmanaged();

private:
    std::string Key_;
};

// --- Fakes of Windows 9x parts and the shell ---------------------------------------------------------------
// recorder.exe appends its command line to "recorder.txt" beside itself and exits with GetVersionExW's
// platform id; with "--sleep" anywhere on its command line it first sleeps 60 s.
// MPR.DLL's PwdChangePasswordA appends "PwdChangePasswordA <provider> <hwnd> <a> <b>" to "mpr.txt" beside it.
// PASSWORD.CPL's VerifyScreenSavePwd reads "password-answer.txt" beside it ("allow" or "refuse", then an
// optional pause in ms during which it pumps messages like a modal prompt), appends
// "VerifyScreenSavePwd <hwnd> cursor <display count> <allow|refuse>" to "password.txt" and answers (the
// cursor shows while the count is 0 or more).

// Copies recorder.exe into the folder; gives its path.
std::string InstallRecorder(const TTestFolder& folder);
// Copies MPR.DLL and PASSWORD.CPL into the folder.
bool InstallPasswordFakes(const TTestFolder& folder);
bool SetPasswordAnswer(const TTestFolder& folder, bool allow, DWORD pauseMs = 0);

// The runtime tests' fake Flash control (a ten-frame movie that has played out at its first reading)
// registered as the Flash control for every program of the prefix while it lives; Wine's COM reads the
// machine's classes only.
class TFakeFlashInstalled {
public:
    TFakeFlashInstalled();
    ~TFakeFlashInstalled();
    TFakeFlashInstalled(const TFakeFlashInstalled&) = delete;
    TFakeFlashInstalled& operator=(const TFakeFlashInstalled&) = delete;
    bool Installed = false;
};

// Makes programs of exeName report Windows 98 and load MPR.DLL from their own folder when one is there
// (Wine's own otherwise); undone on destruction.
class TWin98 {
public:
    explicit TWin98(const std::string& exeName);
    bool Ok() const { return Ok_; }

private:
    TWineAppDefaults Defaults_;
    bool Ok_;
};

// Registers command (e.g. "\"C:\\...\\recorder.exe\" %l") as the install command of ".scr" files, as REG_SZ or
// REG_EXPAND_SZ (the way Windows stores its own); the previous registration is put back on destruction. It
// goes to HKEY_CLASSES_ROOT itself: this Wine's HKEY_CLASSES_ROOT is HKLM\Software\Classes alone and does not
// show HKCU\Software\Classes.
class TScrInstallCommand {
public:
    explicit TScrInstallCommand(const std::string& command, DWORD type = REG_SZ);
    ~TScrInstallCommand();
    TScrInstallCommand(const TScrInstallCommand&) = delete;
    TScrInstallCommand& operator=(const TScrInstallCommand&) = delete;
    bool Ok() const { return Ok_; }

private:
    TRegValueRestore ScrClass_;
    bool Ok_;
};

} // namespace e2e
