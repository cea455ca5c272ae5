// The program's one main window: it owns the slide records, the media store and the music, makes the
// players, places itself by start mode and monitor, steps through the slides and decides when input closes it.
#pragma once

#include "classlib/Form.h"
#include "classlib/Menus.h"
#include "classlib/Timer.h"
#include "classlib/WindowProcHook.h"
#include "data/Media.h"
#include "data/MediaSetting.h"
#include "runtime/Cursor.h"
#include "runtime/FlashPlayer.h"
#include "runtime/ScrMode.h"
#include "runtime/SoundTable.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CSaverSettings;
class CSoundPlayer;
class Tfvideoplayer;
class CZELTGlobeSettings;
class TfImageSlideShowPlayer;

class Tfmain : public TForm {
public:
    explicit Tfmain(TComponent* owner);
    ~Tfmain() override;

    // Sequencing (MainWindow.cpp).
    void PlaceWindow(TScrMode mode);
    void PlayMedia();
    void ScheduleNextMedia();
    void StopNextMediaTimer();
    void OnMediaDone();
    void OnMediaSoundDone();
    // Ends a slide that cannot be shown; the next one comes after the delay, but never within a second.
    void SkipFailedMedia();
    void AddTempFile(const std::string& path);
    // Deletes a listed file now; one still held open (by the Flash control) stays listed for the close.
    void DropTempFile(const std::string& path);
    void DeleteTempFiles();
    // A message box runs its own message loop, in which the window may close and free its players: after a
    // box, a slide change goes on only while this is false.
    bool ShowEnded();

    // Pictures (MainWindowPicture.cpp).
    void CreatePicturePlayer();
    void ShowPicture();
    void StopPicture();
    void ShowPicturePlayer(bool kindChanged);

    // Music and slide sounds (MainWindowSound.cpp).
    void PlayBackgroundMusic(bool play);
    void OnMusicDone();
    void StartMusicGapTimer(int seconds);
    void StopMusicGapTimer();
    void PauseMusic();
    void ResumeMusic();
    std::string FindMediaSound(const std::string& name);
    int PlayMediaSound(const std::string& path);
    void CreateMusicPlayer();
    void CreateMediaSoundPlayer();
    void FreeMediaSoundPlayer();
    void FreeMusicPlayer();

    // Video (MainWindowVideo.cpp).
    void PlayVideo();
    void StopVideo(int deviceFlag);
    void HideVideo(bool kindChanged);
    void FreeVideoPlayers();
    // The embedded video copied to the cache folder, reusing the copy its extension-less twin keeps.
    std::string ExtractVideo(const std::string& name);
    // A media file beside the project: relative to the program's folder or by its stored name; "" and a
    // message when it does not exist.
    std::string ExternalMediaPath(const std::string& name);
    Tfvideoplayer* CurrentVideoPlayer() const { return VideoPlayers[VideoAlternation]; }

    // Flash (MainWindowFlash.cpp).
    void CreateFlashPlayer();
    void PlayFlash();
    // The embedded movie and its accessory files written to the temporary folder and listed for the close;
    // the movie's path, or "" when it is not in the project or cannot be written.
    std::string ExtractFlashMovie();
    void StopFlash();
    void HideFlash(bool kindChanged);
    void FreeFlashPlayer();

    // Input and closing (MainWindowClosing.cpp).
    void HookWndProc();
    void UnhookWndProc();
    void CallOldWndProc(TMessage& message);
    void MainWndProc(TMessage& message);

    TTimer* timer3;
    TTimer* timer1;
    TTimer* timer2;
    TPopupMenu* pmmain;
    TTimer* watch_close_event_timer;

    std::uint8_t Paused = 0;
    std::uint8_t ClosedOnce = 0;
    TScrMode ScrMode;
    CSaverSettings* SaverSettings;
    CMediaSetting MediaSetting;
    CMedia Media;
    std::int32_t MediaKind = -1;
    std::int32_t NextMediaTimerRunning = 0;
    CSoundTable SoundTable;
    CSoundPlayer* MusicPlayer = nullptr;
    CZELTGlobeSettings* GlobeSettings;
    std::string FlashTempFile;
    std::unique_ptr<TFlashPlayer> FlashPlayer;
    TfImageSlideShowPlayer* ImageSlideShowPlayer = nullptr;  // owned by the application object
    std::vector<std::string> TempFiles;
    std::string VideoCacheFile;
    std::int32_t VideoAlternation = 0;
    Tfvideoplayer* VideoPlayers[2] = {nullptr, nullptr};
    std::int32_t MusicGapTimerRunning = 0;
    std::int32_t MusicStalled = 0;  // no track of the list played: tried again at the next slide
    std::set<int> FailedTracks;     // rows that failed since a track last played to its end
    std::int32_t MediaPlaying = 0;
    std::int32_t MediaSoundPlaying = 0;
    CSoundPlayer* MediaSoundPlayer = nullptr;
    std::int32_t MediaFailed = 0;  // the current slide could not be shown
    std::uint8_t NextMediaHeld = 0;  // a slide change without a timer came while paused
    TWindowProcHook WndProcHook;

protected:
    void FormShow() override;
    void FormResize() override;
    void FormPaint(HDC dc) override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose(TCloseAction& action) override;

private:
    void FormCreate();
    void FormDestroy();
    void timer1Timer();
    void timer2Timer();
    void timer3Timer();
    void watch_close_event_timerTimer();
    void StartArming();
    void Settings1Click();
    void EndSettingsPause();
    void Exit1Click();
    void MouseMoveTest();
    void Rule(UINT msg, WPARAM wParam);
    void ApplyCursorRule();

    std::uint8_t SettingsOpen = 0;   // the Settings dialog runs: one at a time, and a close waits for it
    std::uint8_t CloseHeld = 0;      // a close came while the Settings dialog ran
    TParkedPointer Pointer;          // the saver's pointer, put back at the close
};

// The Windows 9x screen-saver password check; true when the close may go on.
bool VerifyPassword9x(HWND window);
