// The Flash slide's player: paints the slide's background with its title and text on the main window,
// hands the movie to the Flash control, polls it once a second and tells the main window with WM_NEXTMEDIA
// when the slide's end rule is met. Without the control (it is not installed) every Flash slide ends at once.
#pragma once

#include "picture/ComPicture.h"
#include "runtime/FlashEndRule.h"
#include "runtime/ScrMode.h"

#include <windows.h>

#include <memory>
#include <string>

class CMediaSetting;
class CSaverSettings;
class CZELTGlobeSettings;
class TForm;
class TShockwaveFlash;
class TTimer;

class TFlashPlayer {
public:
    // The owner form is the control's parent and hears WM_NEXTMEDIA; its window is made here.
    TFlashPlayer(TForm* owner, TScrMode mode, CSaverSettings* settings, CZELTGlobeSettings* project);
    ~TFlashPlayer();
    TFlashPlayer(const TFlashPlayer&) = delete;
    TFlashPlayer& operator=(const TFlashPlayer&) = delete;

    void SetScrMode(TScrMode mode);
    void SetSettings(CSaverSettings* settings, CZELTGlobeSettings* project);
    void SetMovie(const std::string& path) { Movie = path; }
    void SetMedia(CMediaSetting* media) { Media = media; }

    // Paints the background and starts the movie of the current slide; with no movie or no control the
    // slide is over at once.
    void Play();
    bool CanPlay() const { return HasControl() && !Movie.empty(); }
    bool HasControl() const { return Flash != nullptr; }
    void Stop();
    void StartPoll(int interval);
    void StopPoll();
    void Finish();
    void Show();
    void Hide();
    void FitToForm();
    // The form's paint: the background with the slide's title and text, when it has either (always when
    // there is no control).
    void Repaint(HDC dc);

private:
    void PaintBackground();
    void timerTimer();

    std::unique_ptr<TTimer> timer;
    std::unique_ptr<TShockwaveFlash> Flash;
    TForm* Owner;
    CComPicture Background;
    TScrMode ScrMode;
    CSaverSettings* Settings;
    CZELTGlobeSettings* Project;
    std::string Movie;
    CMediaSetting* Media = nullptr;
    CFlashEndRule EndRule;
};
