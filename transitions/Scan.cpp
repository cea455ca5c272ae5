// Scan effects: Step is 2 for each run (and given back afterwards); it is the band thickness and the advance
// per frame, except "Scan left", which draws one column per frame. "Down", "left" and "right" cover every line
// with their bands and make no final copy; the others end with the whole picture, also after a stop.
#include "transitions/Scan.h"

#include <algorithm>

#include "transitions/EffectKit.h"
#include "transitions/StepOverride.h"

using std::max;
using std::min;

namespace {

using Lines = void (*)(CTransitionEffects&, int, int);

// Bands [s, s + 2) for s = 0, 2, ... while s < n.
void ScanForward(CTransitionEffects& fx, const EffectArgs& args, int n, Lines lines)
{
    CStepOverride step(fx, 2);
    for (int s = 0; s < n; s += fx.Step) {
        lines(fx, s, s + fx.Step);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

// Bands [s, s + 2) and [n - s - 2, n - s) for s = 0, 2, ... while s <= n / 2 + 1, then the final copy.
void ScanToCenter(CTransitionEffects& fx, const EffectArgs& args, int n, Lines lines)
{
    {
        CStepOverride step(fx, 2);
        const int d = fx.Step;
        for (int s = 0; s <= n / 2 + 1; s += d) {
            lines(fx, s, s + d);
            lines(fx, n - s - d, n - s);
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    fx.ShowWithoutEffect();
}

// From m = n / 2 + 1 outward: bands [m - s - 2, m - s) and [m + s, m + s + 2), cut at 0 and n, for
// s = 0, 2, ... while s < m; then the final copy.
void ScanToEdge(CTransitionEffects& fx, const EffectArgs& args, int n, Lines lines)
{
    {
        CStepOverride step(fx, 2);
        const int d = fx.Step;
        const int m = n / 2 + 1;
        for (int s = 0; s < m; s += d) {
            lines(fx, max(m - s - d, 0), m - s);
            lines(fx, min(n, m + s), min(n, m + s + d));
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    fx.ShowWithoutEffect();
}

} // namespace

void ScanDown(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanForward(fx, args, fx.PictureHeight, CopyRows);
}

void ScanRight(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanForward(fx, args, fx.PictureWidth, CopyColumns);
}

// One column per frame from the right edge.
void ScanLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    CStepOverride step(fx, 2);
    const int W = fx.PictureWidth;
    for (int i = 0; i < W; ++i) {
        CopyColumns(fx, W - 1 - i, W - i);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

// Bands [H - s - 2, H - s) for s = 0, 2, ... while s < H, then the final copy.
void ScanUp(CTransitionEffects& fx, const EffectArgs& args)
{
    {
        CStepOverride step(fx, 2);
        const int H = fx.PictureHeight, d = fx.Step;
        for (int s = 0; s < H; s += d) {
            CopyRows(fx, max(H - s - d, 0), H - s);
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    fx.ShowWithoutEffect();
}

void ScanToCenterHorizontal(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanToCenter(fx, args, fx.PictureHeight, CopyRows);
}

void ScanToCenterVertical(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanToCenter(fx, args, fx.PictureWidth, CopyColumns);
}

void ScanToEdgeHorizontal(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanToEdge(fx, args, fx.PictureHeight, CopyRows);
}

void ScanToEdgeVertical(CTransitionEffects& fx, const EffectArgs& args)
{
    ScanToEdge(fx, args, fx.PictureWidth, CopyColumns);
}
