// The transition engine: reveals a newly composed picture over the window's current screen, drawing every
// frame to the window and to the back buffer alike, with one of the numbered effects or a plain copy.
#pragma once

#include <windows.h>

#include <cstdint>

#include "transitions/ParallelRows.h"

class CComPicture;
class TThread;

// The block the picture player hands to the slideshow thread and the engine: eleven machine words
// (32 bits each in the product).
struct TransitionParams {
    HWND Wnd;                  // 0: the picture form's window
    CComPicture* Background;   // 1: the background as the window shows it before the transition
    CComPicture* Picture;      // 2: the new picture
    CComPicture* BackBuffer;   // 3: the picture form's back buffer
    intptr_t EffectIndex;      // 4: -1 for none, 0..160 for the effect table's rows
    intptr_t EffectsOn;        // 5: low byte only; 0 switches effects off
    intptr_t X;                // 6: left of the new picture in the window's client area
    intptr_t Y;                // 7: top of the new picture
    intptr_t Step;             // 8: progress per frame in pixels
    intptr_t Unused;           // 9: not read
    TThread* Thread;           // 10: the running slideshow thread; its Terminated flag stops the effect
};
static_assert(sizeof(TransitionParams) == 11 * sizeof(void*), "TransitionParams is eleven words");

// Made for one transition: construct, LoadParams, ShowTransition, destroy, all on the UI thread.
// It owns nothing; the pictures, window and thread belong to the picture player.
class CTransitionEffects {
public:
    CTransitionEffects() = default;
    CTransitionEffects(const CTransitionEffects&) = delete;
    CTransitionEffects& operator=(const CTransitionEffects&) = delete;

    void LoadParams(const TransitionParams& params);
    // Background on both targets, then the effect (or the plain copy), then the end log.
    void ShowTransition();
    // The whole new picture to (X, Y): window first, then back buffer.
    void ShowWithoutEffect();
    // A rectangle of src to (x, y) of the back buffer, then of the window; not offset by (X, Y).
    void BlitBoth(int x, int y, int w, int h, CComPicture* src, int sx, int sy);
    // Sets the stretch mode of the window, then of the back buffer; returns the back buffer's previous mode
    // (0 without a back buffer).
    int SetStretchModes(int mode);
    // Pumps pending messages, then answers the thread's stop flag.
    bool IsTerminated();

    HWND Wnd = nullptr;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Step = 0;
    CComPicture* BackgroundPicture = nullptr;
    CComPicture* Picture = nullptr;
    CComPicture* BackBuffer = nullptr;
    TThread* Thread = nullptr;
    // Valid only while ShowTransition runs; null when Wnd is not a window (that target is skipped).
    HDC WindowDC = nullptr;
    int32_t EffectIndex = 0;
    bool NoEffect = false;
    int32_t PictureWidth = 0;
    int32_t PictureHeight = 0;
    int32_t BufferWidth = 0;
    int32_t BufferHeight = 0;
    // Pacing: when the current pause ends, in performance-counter ticks (set when the effect starts).
    int64_t PauseDue = 0;
    // Helpers for the pixel work of large frames; they start with the first such frame and end with this
    // object.
    CParallelRows Workers;

private:
    void RunEffect();
};
