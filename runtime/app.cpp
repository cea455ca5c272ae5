#include "runtime/app.h"

#include "classlib/Application.h"
#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/MediaSetting.h"
#include "data/MyXMLTable.h"
#include "data/NameFolding.h"
#include "data/Random.h"
#include "data/TableFormat.h"
#include "data/TempDir.h"
#include "dialogs/configuredlg.h"
#include "runtime/CommandLine.h"
#include "runtime/CrashRestore.h"
#include "runtime/DesktopCapture.h"
#include "runtime/Taskbar.h"

#include <cstdlib>
#include <stdexcept>

CScreensaverApp g_ScreensaverApp;

namespace {

const char kUnit[] = "app";

std::string ProgramPath()
{
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    return path;
}

bool ShowsSaver(TScrMode mode)
{
    return mode == smSaver || mode == smPreview;
}

} // namespace

CScreensaverApp::CScreensaverApp() = default;
CScreensaverApp::~CScreensaverApp() = default;

bool CScreensaverApp::Init()
{
    InitRandom();
    ZELT_LOG(kUnit, "CMD: %s", GetCommandLineA());
    const std::string program = ProgramPath();
    ZELT_LOG(kUnit, "screensaver file : %s", program.c_str());

    const int argc = __argc;
    char** argv = __argv;
    if (argc > 1) {
        const std::string arg1 = argv[1];
        if (arg1 == "/setdef") {
            ZELT_LOG(kUnit, "set as system's default screensaver!");
            if (SetAsDefaultSaver(program))
                ZELT_LOG(kUnit, "default screensaver is set!");
            return false;
        }
        if (arg1 == "/ins") {
            ZELT_LOG(kUnit, "open screensaver setting dialog!");
            InstallSaver(program);
            ZELT_LOG(kUnit, "setting dialog closed!");
            return false;
        }
        if (UpperAZ(arg1).find("/A") != std::string::npos) {
            ZELT_LOG(kUnit, "checking password in win9x");
            ChangePassword9x(reinterpret_cast<HWND>(static_cast<std::intptr_t>(argc > 2 ? std::atoll(argv[2]) : 0)));
            ZELT_LOG(kUnit, "finish checking password!");
            return false;
        }
    }

    // The mode is known before anything that can fail, so that a failure is reported as the mode asks.
    ParentWindow = reinterpret_cast<HWND>(ParseCommandLine());
    if (LowerAZ(program).find(".exe") != std::string::npos)
        ScrMode = smRunAsExe;
    const std::int32_t offset = ReadProjectOffset(program);
    Database.Open(program, offset);
    ExtractRuntimeLibs();
    GlobeSettings.SetDatabase(&Database);
    GlobeSettings.Open();
    GlobeSettings.ReadProject();
    GlobeSettings.SetFilePath(program);
    if (GlobeSettings.ProjectData.RunAsProgram == 1)
        ScrMode = smRunAsExe;

    Mutex = nullptr;
    if (ScrMode == smSaver) {
        Mutex = CreateMutexA(nullptr, TRUE, "tarnwheelscreensaver");
        if (GetLastError() == ERROR_ALREADY_EXISTS)
            return false;
    }
    if (ScrMode == smPreview && !IsWindow(ParentWindow)) {
        ZELT_LOG(kUnit, "no preview window %p: nothing to show in", static_cast<void*>(ParentWindow));
        return false;
    }

    SaverSettings.SetRegistryKey(GlobeSettings.ProjectName);
    Application.SetTitle(GlobeSettings.ProjectName);
    SaverSettings.Load();

    switch (ScrMode) {
    case smConfigure: ZELT_LOG(kUnit, "start mode : Configure"); break;
    case smPreview: ZELT_LOG(kUnit, "start mode : Preview in small screen"); break;
    case smSaver: ZELT_LOG(kUnit, "start mode : Normal or Press Preview button!"); break;
    case smChangePassword: ZELT_LOG(kUnit, "start mode : change password"); break;
    case smRunAsExe: ZELT_LOG(kUnit, "start mode : run as an exe file"); break;
    default: break;
    }

    if (ScrMode == smConfigure) {
        ZELT_LOG(kUnit, "Openning the configuration dialog!");
        ShowConfigDialog(&SaverSettings, &GlobeSettings);
        GlobeSettings.Close();
        if (Mutex) {
            CloseHandle(Mutex);
            Mutex = nullptr;
        }
        ZELT_LOG(kUnit, "Exit from the configuration dialog!");
        return false;
    }

    SaveDesktopBitmap();
    if (ShowsSaver(ScrMode)) {
        ZELT_LOG(kUnit, "notify windows a screensaver is running");
        SetScreenSaverRunning(true);
        RunningFlagSet = true;
    }
    return true;
}

void CScreensaverApp::RunGuarded(const std::function<void()>& run)
{
    Application.OnException = [this](const std::string& where, const std::string& message) {
        ReportException(where, message);
    };
    try {
        run();
    } catch (...) {
        Application.HandleException("start-up");
    }
}

void CScreensaverApp::ReportException(const std::string& where, const std::string& message)
{
    ZELT_LOG(kUnit, "exception (%s): %s", where.c_str(), message.c_str());
    // A box in a full-screen or preview run would take the input that closes it, or stand where nobody looks.
    if (!ShowsSaver(ScrMode))
        Application.ShowException(std::runtime_error(message));
}

std::intptr_t CScreensaverApp::ParseCommandLine()
{
    return ParseScrCommandLine(GetCommandLineA(), ScrMode, reinterpret_cast<std::intptr_t>(GetForegroundWindow()));
}

std::int32_t CScreensaverApp::ReadProjectOffset(const std::string& path)
{
    TFileStream file(path, fmOpenRead);
    std::int32_t offset = 0;
    return ReadOffsetTrailer(file, offset) ? offset : 0;
}

void CScreensaverApp::ExtractRuntimeLibs()
{
    CMyXMLTable table;
    table.SetLoadBinary(0);
    table.Open(&Database, "runtimelib");
    const std::string folder = GetTempDir();
    if (!folder.empty()) {
        for (table.First(); !table.Eof; table.Next()) {
            const std::string name = table.FieldAsString("name");
            // A name from the project is a file name inside the temporary folder, nothing else.
            if (!IsSafeAccFileName(name)) {
                ZELT_LOG(kUnit, "runtime library name refused : %s", name.c_str());
                continue;
            }
            TMemoryStream stream;
            table.BlobToStream("libs", stream);
            // A library that cannot be written (one in use, say) is left as it is, one written short is gone;
            // start-up goes on.
            const std::string path = folder + name;
            if (!stream.SaveToFile(path))
                ZELT_LOG(kUnit, FileExists(path) ? "Cann't write runtime library : %s"
                                                 : "Cann't write runtime library, nothing of it is kept : %s",
                         path.c_str());
        }
    }
    table.Close();
}

void CScreensaverApp::SaveDesktopBitmap()
{
    const std::string folder = GetTempDir();
    if (!folder.empty())
        g_DesktopCapture.Start(SaverSettings.Data.ScreenIndex, folder + "zeltdsk.bmp");
}

int CScreensaverApp::Exit()
{
    if (Exited)
        return 1;
    Exited = true;
    // A fault during the rest of the shutdown ends the process without an error box.
    InstallCrashRestore();
    RestoreTaskbar();
    if (RunningFlagSet) {
        ZELT_LOG(kUnit, "notify windows screensaver is stopped!");
        SetScreenSaverRunning(false);
        RunningFlagSet = false;
    }
    // The desktop picture shows the user's screen: it goes with the run that wrote it. Its thread does not
    // log, so its failure is told here.
    if (!g_DesktopCapture.Wait())
        ZELT_LOG(kUnit, "Cann't save the desktop picture : %s", (GetTempDir() + "zeltdsk.bmp").c_str());
    g_DesktopCapture.Remove();
    GlobeSettings.Close();
    Database.Clear();
    if (Mutex) {
        CloseHandle(Mutex);
        Mutex = nullptr;
    }
    return 1;
}
