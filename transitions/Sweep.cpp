// Sweep effects: a band 400 px deep made of 20 cells; each cell shows a part of itself that grows by 1 px
// from the band's leading end to its trailing end. The band advances 20 px per frame, so every 20-px cell of
// the picture is revealed 1, 2, ..., 20 px in 20 frames. Every sweep ends with a copy of the whole picture.
#include "transitions/Sweep.h"

#include "transitions/EffectKit.h"

namespace {

constexpr int kCell = 20;
constexpr int kBand = 20 * kCell;

// Forward sweeps: the band starts just before the near edge, trailing cell (whole) first.
template <typename CopyLines>
void SweepForward(CTransitionEffects& fx, const EffectArgs& args, int extent, CopyLines copyLines)
{
    for (int o = -kBand; o < extent; o += kCell) {
        for (int i = 0; i < kCell; ++i)
            copyLines(fx, o + kCell * i, o + kCell * i + kCell - i);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

// Backward sweeps: the band starts wholly past the far edge, leading cell (1 px) first.
template <typename CopyLines>
void SweepBackward(CTransitionEffects& fx, const EffectArgs& args, int extent, CopyLines copyLines)
{
    for (int o = extent + kBand; o > -kBand - kCell; o -= kCell) {
        for (int i = 1; i <= kCell; ++i)
            copyLines(fx, o + kCell * i, o + kCell * i + i);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

} // namespace

void SweepDown(CTransitionEffects& fx, const EffectArgs& args)
{
    SweepForward(fx, args, fx.PictureHeight, CopyRows);
}

void SweepLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    SweepBackward(fx, args, fx.PictureWidth, CopyColumns);
}

void SweepRight(CTransitionEffects& fx, const EffectArgs& args)
{
    SweepForward(fx, args, fx.PictureWidth, CopyColumns);
}

void SweepUp(CTransitionEffects& fx, const EffectArgs& args)
{
    SweepBackward(fx, args, fx.PictureHeight, CopyRows);
}
