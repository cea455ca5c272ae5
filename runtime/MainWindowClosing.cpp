// The main window's input rules, close events, close query and clean-up, and the popup menu's commands.
#include "classlib/Application.h"
#include "classlib/FileUtils.h"
#include "classlib/Library.h"
#include "data/FileLog.h"
#include "data/SaverSettings.h"
#include "runtime/CloseEvents.h"
#include "runtime/CrashRestore.h"
#include "runtime/Cursor.h"
#include "runtime/MainWindow.h"
#include "runtime/Messages.h"
#include "dialogs/configuredlg.h"
#include "runtime/Taskbar.h"
#include "runtime/app.h"

#include <cstdlib>

namespace {
const char kUnit[] = "main";
}

void Tfmain::HookWndProc()
{
    WndProcHook.Install(Handle(), [this](TMessage& m) { MainWndProc(m); });
}

void Tfmain::UnhookWndProc()
{
    WndProcHook.Remove();
}

void Tfmain::CallOldWndProc(TMessage& message)
{
    WndProcHook.CallOld(message);
}

void Tfmain::ApplyCursorRule()
{
    ::ApplyCursorRule(ScrMode, SaverSettings->PasswordPrompt != 0);
}

// A close rule: only in screen-saver mode outside the password prompt.
void Tfmain::Rule(UINT msg, WPARAM wParam)
{
    if (ScrMode != smSaver || SaverSettings->PasswordPrompt)
        return;
    if (const char* name = InputCloseEvent(msg, wParam, SaverSettings->Data, CloseKeyChar(SaverSettings->Data)))
        SaverSettings->CloseEvent(name);
}

void Tfmain::MouseMoveTest()
{
    POINT now;
    GetCursorPos(&now);
    const POINT& saved = SaverSettings->SavedCursorPos;
    const int dx = std::abs(now.x - saved.x), dy = std::abs(now.y - saved.y);
    const int threshold = SaverSettings->Data.MouseMoveThreshold;
    if (dx <= threshold && dy <= threshold)
        return;
    ZELT_LOG(kUnit, "Previouse %d ,%d", static_cast<int>(saved.x), static_cast<int>(saved.y));
    ZELT_LOG(kUnit, "Now %d ,%d", static_cast<int>(now.x), static_cast<int>(now.y));
    ZELT_LOG(kUnit, "dx: %d , dy : %d , threshold : %d", dx, dy, threshold);
    if (const char* name = MouseMoveCloseEvent(dx, dy, SaverSettings->Data))
        SaverSettings->CloseEvent(name);
    ZELT_LOG(kUnit, "Exit mouse move");
}

void Tfmain::MainWndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE:
    case WM_ERASEBKGND:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        message.Result = 1;
        return;
    case WM_SETCURSOR:
        ApplyCursorRule();
        break;
    case WM_HELP:
        if (LOWORD(message.WParam) == 0)
            Rule(message.Msg, message.WParam);
        message.Result = 0;
        return;
    case WM_CHAR:
        Rule(message.Msg, message.WParam);
        break;
    case WM_SYSCOMMAND:
        ZELT_LOG(kUnit, "here : %d", static_cast<int>(message.WParam));
        if (message.WParam == SC_SCREENSAVE || (message.WParam == SC_CLOSE && ScrMode == smSaver)) {
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        if (ScrMode == smSaver && !SaverSettings->PasswordPrompt)
            MouseMoveTest();
        break;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        Rule(message.Msg, message.WParam);
        break;
    case WM_NEXTMEDIA:
        OnMediaDone();
        break;
    case WM_MUSICDONE:
        OnMusicDone();
        break;
    case WM_MUSICPAUSE:
        PauseMusic();
        break;
    case WM_MUSICRESUME:
        ResumeMusic();
        break;
    case WM_MEDIASOUNDDONE:
        OnMediaSoundDone();
        break;
    case WM_CONTEXTMENU:
        // A second right click before the dialog disabled this window: no menu over the Settings dialog.
        if (SettingsOpen) {
            message.Result = 0;
            return;
        }
        break;
    }
    CallOldWndProc(message);
}

void Tfmain::StartArming()
{
    if (!watch_close_event_timer->Enabled() && !SaverSettings->CloseEventsArmed)
        watch_close_event_timer->SetEnabled(true);
}

void Tfmain::watch_close_event_timerTimer()
{
    SaverSettings->CloseEventsArmed = 1;
    // A preview lives only as long as the window it shows in: the timer stays on to watch it.
    if (ScrMode != smPreview) {
        watch_close_event_timer->SetEnabled(false);
        return;
    }
    // Mostly this window went with its parent and the loop has ended already; the end of the loop runs the
    // clean-up either way.
    if (!IsWindow(g_ScreensaverApp.ParentWindow)) {
        ZELT_LOG(kUnit, "preview window is gone");
        Application.Terminate();
    }
}

bool VerifyPassword9x(HWND window)
{
    if (!IsWindows9x())
        return true;
    TLibrary cpl("PASSWORD.CPL");
    if (!cpl)
        return true;
    using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND);
    auto verify = cpl.Find<TVerifyScreenSavePwd>("VerifyScreenSavePwd");
    return verify ? verify(window) != 0 : true;
}

void Tfmain::FormCloseQuery(bool& canClose)
{
    ZELT_LOG(kUnit, "Close Query");
    if (SettingsOpen) {
        // The Settings dialog's edits are not dropped: the close comes when the dialog ends.
        CloseHeld = 1;
        canClose = false;
    } else if (SaverSettings->PasswordPrompt) {
        // A close that was queued before the prompt began waits for the prompt's answer.
        canClose = false;
    } else if (ScrMode == smSaver) {
        // Every close asks, not only one an input asked for: the maximum runtime's, and a WM_CLOSE any other
        // program posts, would otherwise unlock the screen.
        canClose = true;
        if (GetTickCount() - SaverSettings->GraceStartTick >
            static_cast<DWORD>(SaverSettings->PasswordGraceSeconds) * 1000) {
            SaverSettings->BeginPasswordPrompt();
            canClose = VerifyPassword9x(Handle());
            SaverSettings->EndPasswordPrompt();
        }
    }
    if (canClose)
        Paused = 1;
    ZELT_LOG(kUnit, "CanClose : %s", canClose ? "yes" : "no");
}

void Tfmain::FormClose(TCloseAction&)
{
    if (ClosedOnce)
        return;
    ClosedOnce = 1;
    // Also at a session's end, where the message loop goes on for a moment: nothing plays any more.
    Paused = 1;
    StopNextMediaTimer();
    RestoreTaskbar();
    switch (MediaKind) {
    case 0: StopPicture(); break;
    case 1: StopFlash(); break;
    case 2: StopVideo(1); break;  // closed now, so its cache file can be deleted below
    default: break;
    }
    FreeFlashPlayer();
    FreeVideoPlayers();
    if (!FlashTempFile.empty())
        DeleteFileIfExists(FlashTempFile);
    FreeMediaSoundPlayer();
    FreeMusicPlayer();
    StopMusicGapTimer();
    DeleteTempFiles();
    if (!VideoCacheFile.empty()) {
        if (FileExists(VideoCacheFile))
            MoveFileA(VideoCacheFile.c_str(), ChangeFileExt(VideoCacheFile, "").c_str());
        // The cache folder goes too once it is empty; a preview of the same program may still hold files there.
        RemoveDirectoryA(ExtractFilePath(VideoCacheFile).c_str());
    }
    SetScreenSaverRunning(false);
    if (ScrMode != smPreview && SaverSettings->Data.MaxRuntimeOn != 0 && SaverSettings->Data.MaxRuntimeMinutes > 0)
        timer3->SetEnabled(false);
    TempFiles.clear();
    Media.Close();
    MediaSetting.Close();
    SoundTable.Close();
    SetCursorVisible(true);
    Pointer.Return();
}

namespace {

// Set for as long as it lives.
class TFlagScope {
public:
    explicit TFlagScope(std::uint8_t& flag) : Flag_(flag) { Flag_ = 1; }
    ~TFlagScope() { Flag_ = 0; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    std::uint8_t& Flag_;
};

} // namespace

void Tfmain::Settings1Click()
{
    // One dialog at a time: the messages handled below may bring a second choice of Settings.
    if (SettingsOpen)
        return;
    try {
        const TFlagScope open(SettingsOpen);
        // Under whatever the dialog shows, where it is.
        SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Paused = 1;
        Application.ProcessMessages();
        // Modal to this window, which it disables while it runs: no menu, no Exit that would drop its edits,
        // and the show stays below it.
        ShowConfigDialog(SaverSettings, GlobeSettings, Handle());
    } catch (...) {
        EndSettingsPause();
        throw;
    }
    EndSettingsPause();
}

// The show goes on however the dialog ended, with the slide change it held back, or closes when a close came
// meanwhile; a window closed meanwhile stays paused.
void Tfmain::EndSettingsPause()
{
    if (ClosedOnce)
        return;
    Paused = 0;
    if (CloseHeld) {
        CloseHeld = 0;
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    if (NextMediaHeld) {
        NextMediaHeld = 0;
        timer1Timer();
    }
}

void Tfmain::Exit1Click()
{
    Close();
}
