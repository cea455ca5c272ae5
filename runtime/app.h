// The screen-saver application: start-up in every mode Windows uses, the one-shot switches, and shutdown.
#pragma once

#include "data/MyXMLDb.h"
#include "data/SaverSettings.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/ScrMode.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class CScreensaverApp {
public:
    CScreensaverApp();
    ~CScreensaverApp();
    CScreensaverApp(const CScreensaverApp&) = delete;
    CScreensaverApp& operator=(const CScreensaverApp&) = delete;

    // The entry's guarded block: what fails in run, or in any callback from the first step on, goes to
    // ReportException.
    void RunGuarded(const std::function<void()>& run);
    // Logs a failure; shows it too, unless the run is a full-screen saver or a preview.
    void ReportException(const std::string& where, const std::string& message);
    // The whole start-up; true when the main window is to be made and run.
    bool Init();
    // The shutdown, once (a session's end runs it before the message loop is over); always 1.
    int Exit();

    // Sets the start mode from the command line; gives the window handle after the switch letter.
    std::intptr_t ParseCommandLine();
    static std::int32_t ReadProjectOffset(const std::string& path);
    void ExtractRuntimeLibs();
    void SaveDesktopBitmap();

    // The one-shot switches. SetAsDefaultSaver reports whether the system took the path.
    bool SetAsDefaultSaver(const std::string& path);
    void InstallSaver(const std::string& path);
    void ChangePassword9x(HWND window);

    HANDLE Mutex = nullptr;
    HWND ParentWindow = nullptr;
    TScrMode ScrMode = smNone;
    CMyXMLDb Database;
    CSaverSettings SaverSettings;
    CZELTGlobeSettings GlobeSettings;

private:
    // The system's screen-saver-running flag is cleared at the end only by the process that set it.
    bool RunningFlagSet = false;
    bool Exited = false;
};

extern CScreensaverApp g_ScreensaverApp;

// The Windows 9x family: the password functions exist there only.
bool IsWindows9x();
// The shell's install command with path put in for every "%l": in quotes when it holds blanks, unless the
// command quotes "%l" itself.
std::string InstallCommandLine(const std::string& command, const std::string& path);
// The 8.3 form of path, or path itself when it has none.
std::string ShortPath(const std::string& path);
