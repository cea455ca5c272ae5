// Bar effects: "Tow bar" splits the picture into a left bar W / 2 + 1 wide and a right bar, "Two bar" into a
// top bar H / 2 + 1 tall and a bottom bar. The move effects slide each bar into place carrying its picture,
// the wipe effects uncover each bar in place; v grows by 2 px per frame. There is no final copy: the move
// effects end on v = extent, which puts both bars whole; the wipe effects end 1 px past it on odd extents.
// A wipe frame copies only the 2 px it uncovers: the frames before have put the rest of the bar in place.
#include "transitions/Bar.h"

#include "transitions/EffectKit.h"
#include "transitions/MovePiece.h"

namespace {

constexpr int kProgress = 2;

// One frame of a bar effect for progress v.
using BarFrame = void (*)(CTransitionEffects& fx, int v);

// Runs v = 0, 2, ... while v < extent + 2; the move effects hold v at the extent for their last frame.
void RunBars(CTransitionEffects& fx, const EffectArgs& args, int extent, bool limit, BarFrame frame)
{
    for (int v = 0; v < extent + kProgress; v += kProgress) {
        if (limit && v > extent)
            v = extent;
        frame(fx, v);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

int HalfWidth(const CTransitionEffects& fx)
{
    return fx.PictureWidth / 2 + 1;
}

int HalfHeight(const CTransitionEffects& fx)
{
    return fx.PictureHeight / 2 + 1;
}

} // namespace

void TowBarMoveDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPieceTo(fx, 0, H - v, hw, v, 0, 0);
        CopyPieceTo(fx, hw, 0, W - hw, v, hw, H - v);
    });
}

void TowBarMoveUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPieceTo(fx, 0, 0, hw, v, 0, H - v);
        CopyPieceTo(fx, hw, H - v, W - hw, v, hw, 0);
    });
}

void TowBarWipeDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPiece(fx, 0, v - kProgress, hw, kProgress);
        CopyPiece(fx, hw, H - v, W - hw, kProgress);
    });
}

void TowBarWipeUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPiece(fx, 0, H - v, hw, kProgress);
        CopyPiece(fx, hw, v - kProgress, W - hw, kProgress);
    });
}

void TwoBarMoveLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPieceTo(fx, 0, 0, v, hh, W - v, 0);
        CopyPieceTo(fx, W - v, hh, v, H - hh, 0, hh);
    });
}

void TwoBarMoveRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPieceTo(fx, W - v, 0, v, hh, 0, 0);
        CopyPieceTo(fx, 0, hh, v, H - hh, W - v, hh);
    });
}

void TwoBarWipeLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPiece(fx, W - v, 0, kProgress, hh);
        CopyPiece(fx, v - kProgress, hh, kProgress, H - hh);
    });
}

void TwoBarWipeRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPiece(fx, v - kProgress, 0, kProgress, hh);
        CopyPiece(fx, W - v, hh, kProgress, H - hh);
    });
}
