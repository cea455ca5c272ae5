// The main window's creation, placement and slide sequencing.
#include "runtime/MainWindow.h"

#include "classlib/Application.h"
#include "classlib/FileUtils.h"
#include "data/FileLog.h"
#include "data/Monitors.h"
#include "runtime/CloseEvents.h"
#include "runtime/CrashRestore.h"
#include "runtime/DesktopCapture.h"
#include "runtime/Messages.h"
#include "runtime/Taskbar.h"
#include "runtime/app.h"

#include <algorithm>
#include <cstdint>

namespace {
const char kUnit[] = "main";
const std::int64_t kFailedMediaPauseMs = 1000;
}

Tfmain::Tfmain(TComponent* owner) : TForm(owner)
{
    SetCaption("fmain");
    SetBounds(0, 0, 466, 424);
    DoubleBuffered = true;
    timer3 = new TTimer(this);
    timer3->SetEnabled(false);
    timer3->OnTimer = [this] { timer3Timer(); };
    timer1 = new TTimer(this);
    timer1->SetEnabled(false);
    timer1->OnTimer = [this] { timer1Timer(); };
    timer2 = new TTimer(this);
    timer2->SetEnabled(false);
    timer2->OnTimer = [this] { timer2Timer(); };
    pmmain = new TPopupMenu(this);
    pmmain->Add("Settings", [this] { Settings1Click(); });
    pmmain->Add("Exit", [this] { Exit1Click(); });
    // Counted from when the window first shows (StartArming): a long start-up must not shorten it.
    watch_close_event_timer = new TTimer(this);
    watch_close_event_timer->SetEnabled(false);
    watch_close_event_timer->SetInterval(2000);
    watch_close_event_timer->OnTimer = [this] { watch_close_event_timerTimer(); };

    SaverSettings = &g_ScreensaverApp.SaverSettings;
    SaverSettings->MainWindow = Handle();
    GlobeSettings = &g_ScreensaverApp.GlobeSettings;
    ScrMode = g_ScreensaverApp.ScrMode;
    FormCreate();
}

Tfmain::~Tfmain()
{
    FormDestroy();
    DestroyComponents();
}

void Tfmain::FormCreate()
{
    SetScreenSaverRunning(true);
    // The desktop is read before anything of this program shows. Only the full-screen saver shows nothing
    // before its window does (no message box, no preview), so only it composes the first slide meanwhile.
    if (ScrMode != smSaver)
        g_DesktopCapture.Wait();
    // Placement and the window procedure are made whatever fails before them, so the saver always covers
    // its screen and closes on input.
    try {
        Media.SetDatabase(&g_ScreensaverApp.Database);
        Media.Open();
        MediaSetting.SetDatabase(&g_ScreensaverApp.Database);
        MediaSetting.SetSaverSettings(SaverSettings);
        MediaSetting.Open();
        MediaSetting.ReadRecord();
        SoundTable.SetDatabase(&g_ScreensaverApp.Database);
        SoundTable.Open();
        CreateMusicPlayer();
        PlayBackgroundMusic(false);
        CreateMediaSoundPlayer();
        CreateFlashPlayer();
    } catch (...) {
        Application.HandleException("main window creation");
    }
    PlaceWindow(ScrMode);
    try {
        PlayMedia();
    } catch (...) {
        Application.HandleException("first slide");
    }
    // Closed while a box of the first slide showed: before the message loop, so nothing ended it yet.
    if (ShowEnded()) {
        Application.Terminate();
        return;
    }
    // The task bar and this window go only once the desktop has been read.
    g_DesktopCapture.Wait();
    if (ScrMode != smPreview) {
        // Only a window that covers the screen hides the task bar; an unplaced one would sit behind nothing.
        if (ScrMode == smSaver || ScrMode == smRunAsExe)
            HideTaskbar(SaverSettings->Data.ScreenIndex);
        if (SaverSettings->Data.MaxRuntimeOn != 0 && SaverSettings->Data.MaxRuntimeMinutes > 0) {
            ZELT_LOG(kUnit, "Time Limitation %u minute(s)", static_cast<unsigned>(SaverSettings->Data.MaxRuntimeMinutes));
            timer3->SetInterval(MaxRuntimeInterval(SaverSettings->Data.MaxRuntimeMinutes));
            timer3->SetEnabled(true);
        }
    }
    if (ScrMode == smRunAsExe)
        PopupMenu = pmmain;
    HookWndProc();
    if (ScrMode == smSaver)
        Pointer.Park(0, 0);
    GetCursorPos(&SaverSettings->SavedCursorPos);
    ZELT_LOG(kUnit, "Main form Init Pos %d ,%d", static_cast<int>(SaverSettings->SavedCursorPos.x),
             static_cast<int>(SaverSettings->SavedCursorPos.y));
    // The password grace period counts from the start of this run.
    SaverSettings->GraceStartTick = GetTickCount();
    SetCaption(Application.Title());
    // A preview is a visible child from its placement on: no show will come.
    if (IsWindowVisible(Handle()))
        StartArming();
}

void Tfmain::FormDestroy()
{
    UnhookWndProc();
}

void Tfmain::PlaceWindow(TScrMode mode)
{
    if (mode == smPreview) {
        // The preview fills the parent's client area, where a child lives (the display settings' preview
        // window has no frame, so this is also its window size).
        RECT r = {};
        GetClientRect(g_ScreensaverApp.ParentWindow, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        SetParent(Handle(), g_ScreensaverApp.ParentWindow);
        MoveWindow(Handle(), 0, 0, width, height, FALSE);
        SetWindowLongW(Handle(), GWL_STYLE, WS_CHILD | WS_VISIBLE);
    } else if (mode == smSaver || mode == smRunAsExe) {
        ZELT_LOG(kUnit, "show on screen %d", static_cast<int>(SaverSettings->Data.ScreenIndex));
        int left = 0, top = 0, width = 0, height = 0;
        GetMonitorRect(SaverSettings->Data.ScreenIndex, left, top, width, height);
        SetBounds(left, top, width, height);
    }
}

void Tfmain::PlayMedia()
{
    if (ShowEnded())
        return;
    switch (MediaKind) {
    case 0: StopPicture(); break;
    case 1: StopFlash(); break;
    case 2: StopVideo(1); break;
    default: break;
    }
    MediaPlaying = 0;
    MediaFailed = 0;
    ZELT_LOG(kUnit, "Media Count = %d", MediaSetting.Count());
    ZELT_LOG(kUnit, "Media name = %s", MediaSetting.FileName.c_str());
    const std::int32_t type = MediaSetting.Data.MediaType;
    switch (type) {
    case 0:
        DoubleBuffered = true;
        CreatePicturePlayer();
        ShowPicture();
        break;
    case 1:
        ZELT_LOG(kUnit, "Play a flash movie");
        DoubleBuffered = false;
        PlayFlash();
        break;
    case 2:
        DoubleBuffered = true;
        ZELT_LOG(kUnit, "Play a video movie");
        PlayVideo();
        break;
    default:
        ZELT_LOG(kUnit, "Unknow Media type %d", static_cast<int>(type));
        // Nothing will report the end of this slide: go on to the next one.
        SkipFailedMedia();
        break;
    }
    if (ShowEnded())
        return;
    MediaPlaying = 1;
    const bool kindChanged = MediaKind != type;
    switch (MediaKind) {
    case 0: ShowPicturePlayer(kindChanged); break;
    case 1: HideFlash(kindChanged); break;
    case 2: HideVideo(kindChanged); break;
    default: break;
    }
    MediaKind = type;
    if (MediaSetting.Data.MusicOn)
        ResumeMusic();
    else
        PauseMusic();
    MediaSoundPlaying = 0;
    const std::string sound = FindMediaSound(MediaSetting.BindSound);
    if (!sound.empty())
        MediaSoundPlaying = PlayMediaSound(sound);
}

void Tfmain::ScheduleNextMedia()
{
    std::int64_t ms = static_cast<std::int64_t>(GlobeSettings->ProjectData.MediaDelay) * 1000;
    // After a slide that could not be shown, a pause of its own: a project of broken slides must not spin.
    if (MediaFailed)
        ms = std::max<std::int64_t>(ms, kFailedMediaPauseMs);
    if (ms <= 0) {
        timer1Timer();
        return;
    }
    if (!NextMediaTimerRunning) {
        timer1->SetInterval(static_cast<UINT>(std::min<std::int64_t>(ms, USER_TIMER_MAXIMUM)));
        timer1->SetEnabled(true);
        NextMediaTimerRunning = 1;
    }
}

void Tfmain::StopNextMediaTimer()
{
    // Also armed without a project delay, after a slide that could not be shown.
    timer1->SetEnabled(false);
    NextMediaTimerRunning = 0;
}

void Tfmain::OnMediaDone()
{
    MediaPlaying = 0;
    if (MediaSoundPlaying)
        return;
    ZELT_LOG(kUnit, "Show Next media file");
    ScheduleNextMedia();
}

void Tfmain::SkipFailedMedia()
{
    MediaFailed = 1;
    // Posted, never called: with no delay a direct call would recurse into the next slide.
    PostMessageW(Handle(), WM_NEXTMEDIA, 0, 0);
}

void Tfmain::OnMediaSoundDone()
{
    MediaSoundPlaying = 0;
    if (!MediaPlaying)
        ScheduleNextMedia();
}

void Tfmain::timer1Timer()
{
    if (Paused) {
        // Without a delay nothing calls again: the end of the pause plays it.
        if (!NextMediaTimerRunning)
            NextMediaHeld = 1;
        return;
    }
    StopNextMediaTimer();
    MediaSetting.MoveNext(GlobeSettings->ProjectData.ShuffleSlides);
    PlayMedia();
}

void Tfmain::timer2Timer()
{
    if (Paused)
        return;
    StopMusicGapTimer();
    // A slide that asked for silence (a video with its own sound, say) keeps it: the track waits paused
    // for the next slide with music.
    PlayBackgroundMusic(MediaSetting.Data.MusicOn != 0);
}

void Tfmain::timer3Timer()
{
    timer3->SetEnabled(false);
    // The maximum runtime is over: close as a close event would, through the close query.
    ZELT_LOG(kUnit, "maximum runtime reached");
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void Tfmain::AddTempFile(const std::string& path)
{
    if (std::find(TempFiles.begin(), TempFiles.end(), path) == TempFiles.end())
        TempFiles.push_back(path);
}

void Tfmain::DropTempFile(const std::string& path)
{
    if (DeleteFileIfExists(path))
        TempFiles.erase(std::remove(TempFiles.begin(), TempFiles.end(), path), TempFiles.end());
}

bool Tfmain::ShowEnded()
{
    return ClosedOnce || !Handle();
}

void Tfmain::DeleteTempFiles()
{
    for (const std::string& path : TempFiles)
        DeleteFileIfExists(path);
}

void Tfmain::FormShow()
{
    ShowWindow(Application.Handle(), SW_HIDE);
    StartArming();
}
