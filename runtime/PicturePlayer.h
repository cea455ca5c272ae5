// TfImageSlideShowPlayer shows picture slides: a borderless child form over the main window's client area.
// For each slide it composes the new picture (the slide's picture fitted and placed over its background with
// title and text), on the whole window or per monitor, and starts a slideshow thread that reveals it with the
// slide's transition. It forwards input to the main window and turns the end of a transition into
// WM_NEXTMEDIA for it.
#pragma once

#include "classlib/Form.h"
#include "classlib/WindowProcHook.h"
#include "picture/ComPicture.h"
#include "runtime/Background.h"
#include "runtime/ScrMode.h"
#include "transitions/ParallelRows.h"
#include "transitions/TransitionEffects.h"

#include <windows.h>

class CMedia;
class CMediaSetting;
class CSaverSettings;
class CZELTGlobeSettings;
class TSlideShowThread;
class TThread;

// The monitor geometry the player reads: the system's (data/Monitors.h) unless a test puts its own here.
struct TMonitorQuery {
    int (*Count)();
    int (*Rect)(int n, int& left, int& top, int& width, int& height);
};
extern TMonitorQuery g_PlayerMonitors;

class TfImageSlideShowPlayer : public TForm {
public:
    TfImageSlideShowPlayer(TComponent* owner, HWND parent, TScrMode mode, CMedia* media, CZELTGlobeSettings* project,
                           CSaverSettings* settings);
    ~TfImageSlideShowPlayer() override;

    // Composes the slide the records stand on and starts its transition, then shows the form. False, with
    // nothing started and nothing posted, when the slide's picture cannot be loaded or placed.
    bool ShowMedia(CMediaSetting* slide);
    // Stops the running transition, whose end notice then never comes, and forgets the thread.
    void StopThread();
    TSlideShowThread* RunningThread() const { return Thread; }

    CComPicture BackgroundPicture;
    CComPicture BackBuffer;
    CComPicture NewPicture;
    CComPicture Monitor1Picture;
    CComPicture Monitor2Picture;

protected:
    void FormPaint(HDC dc) override;

private:
    // The slide's picture, the part of it to draw and where it goes in a frame.
    struct TPlacement {
        CComPicture Picture;
        int SourceW = 0, SourceH = 0;
        int X = 0, Y = 0, W = 0, H = 0;
    };

    void FormCreate();
    void FormDestroy();
    bool ShowWholeArea(bool covered);
    bool ShowDualMonitor();
    bool ComposeMonitor(int n);
    void CloneToMonitor2();
    bool LoadPicture(TPlacement& p);
    void FitPicture(TPlacement& p, int frameW, int frameH, bool logFit);
    void PutPicture(CComPicture& dest, TPlacement& p, int x, int y);
    bool StartThread(int x, int y);
    void OnThreadTerminate(TThread* thread);

    void SlideWndProc(TMessage& message);
    HWND ParentHandle();

    TScrMode ScrMode;
    CMediaSetting* Slide = nullptr;
    CZELTGlobeSettings* Project;
    CSaverSettings* Settings;
    CMedia* Media;
    TransitionParams Params{};
    CRingSpans RingSpans;
    CParallelRows Helpers;  // kept from slide to slide
    TSlideShowThread* Thread = nullptr;
    bool ShownBefore = false;
    TWindowProcHook Hook;
};
