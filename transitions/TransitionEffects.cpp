#include "transitions/TransitionEffects.h"

#include <mmsystem.h>

#include "classlib/Application.h"
#include "classlib/Thread.h"
#include "picture/ComPicture.h"
#include "data/FileLog.h"
#include "transitions/EffectKit.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionTestSeam.h"

TransitionTestSeam* g_TransitionTestSeam = nullptr;

namespace {

// Raises the timer resolution to 1 ms for one transition so the short pauses between frames last what
// they say instead of a whole scheduler tick.
class CTimerResolution {
public:
    CTimerResolution() : Raised_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~CTimerResolution()
    {
        if (Raised_)
            timeEndPeriod(1);
    }
    CTimerResolution(const CTimerResolution&) = delete;
    CTimerResolution& operator=(const CTimerResolution&) = delete;

private:
    bool Raised_;
};

int BitmapWidth(const CComPicture* picture)
{
    return picture && !picture->IsEmpty() ? picture->Bitmap()->Width() : 0;
}

int BitmapHeight(const CComPicture* picture)
{
    return picture && !picture->IsEmpty() ? picture->Bitmap()->Height() : 0;
}

} // namespace

void CTransitionEffects::LoadParams(const TransitionParams& params)
{
    Wnd = params.Wnd;
    BackgroundPicture = params.Background;
    Picture = params.Picture;
    BackBuffer = params.BackBuffer;
    EffectIndex = static_cast<int32_t>(params.EffectIndex);
    NoEffect = (params.EffectsOn & 0xFF) == 0;
    X = static_cast<int32_t>(params.X);
    Y = static_cast<int32_t>(params.Y);
    // A step below 1 would never move the progress of an effect to its end.
    Step = params.Step < 1 ? 1 : static_cast<int32_t>(params.Step);
    Thread = params.Thread;
    PictureWidth = BitmapWidth(Picture);
    PictureHeight = BitmapHeight(Picture);
    BufferWidth = BitmapWidth(BackBuffer);
    BufferHeight = BitmapHeight(BackBuffer);
}

void CTransitionEffects::ShowTransition()
{
    CTimerResolution pacing;
    SeedFromClock();
    // A handle that is not a window would give the whole screen's device context: skip that target.
    WindowDC = Wnd && IsWindow(Wnd) ? GetDC(Wnd) : nullptr;

    // Without a back buffer the window still gets the background, in the background's own size.
    const int width = BackBuffer ? BufferWidth : BitmapWidth(BackgroundPicture);
    const int height = BackBuffer ? BufferHeight : BitmapHeight(BackgroundPicture);
    BlitBoth(0, 0, width, height, BackgroundPicture, 0, 0);

    if (g_FileLog) {
        g_FileLog->Where("TransitionEffects", 136);
        g_FileLog->Print("begin a transition show , transition effect index = %d ", EffectIndex);
    }
    if (NoEffect)
        EffectIndex = -1;

    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    PauseDue = now.QuadPart;  // the effect's pauses keep to a schedule from here
    try {
        RunEffect();
    } catch (...) {
        // Nothing may leave this call: it runs inside the slideshow thread's synchronized call.
        ZELT_LOG("TransitionEffects", "transition effect %d failed", EffectIndex);
    }

    if (WindowDC) {
        ReleaseDC(Wnd, WindowDC);
        WindowDC = nullptr;
    }
    if (g_FileLog) {
        g_FileLog->Where("TransitionEffects", 627);
        g_FileLog->Print("end a transition show");
    }
}

void CTransitionEffects::RunEffect()
{
    if (PictureWidth <= 0 || PictureHeight <= 0 || !PictureDC(Picture)) {
        ZELT_LOG("TransitionEffects", "no picture to show (%d x %d)", PictureWidth, PictureHeight);
        return;
    }
    if (EffectIndex < 0 || EffectIndex >= kEffectCount) {
        // -1 or a damaged number: the plain copy.
        ShowWithoutEffect();
        return;
    }
    const EffectRow& row = g_EffectTable[EffectIndex];
    row.Routine(*this, MakeEffectArgs(row, PictureWidth, PictureHeight));
}

void CTransitionEffects::ShowWithoutEffect()
{
    CopyPiece(*this, 0, 0, PictureWidth, PictureHeight);
}

void CTransitionEffects::BlitBoth(int x, int y, int w, int h, CComPicture* src, int sx, int sy)
{
    CopyToTargets(*this, src, sx, sy, w, h, x, y);
}

int CTransitionEffects::SetStretchModes(int mode)
{
    if (WindowDC)
        ::SetStretchBltMode(WindowDC, mode);
    HDC buffer = PictureDC(BackBuffer);
    return buffer ? ::SetStretchBltMode(buffer, mode) : 0;
}

bool CTransitionEffects::IsTerminated()
{
    Application.ProcessMessages();
    return Thread && Thread->Terminated;
}
