#include "transitions/LinesMosaic.h"

#include "data/IntArray.h"
#include "data/Random.h"
#include "transitions/EffectKit.h"

namespace {

constexpr int kTiles = 20;  // tiles per side of the mosaic

// Lays the 2-pixel lines 0, 2, ..., 2 * (extent / 2) in random order, one per frame.
void RandomLines(CTransitionEffects& fx, const EffectArgs& args, bool columns)
{
    const int extent = columns ? fx.PictureWidth : fx.PictureHeight;
    TIntArray left;
    for (int i = 0; i <= extent / 2; ++i)
        left.Add(i);
    while (left.Count() > 0) {
        const int c = rtl::rand() % left.Count();
        const int at = 2 * left[c];
        if (columns)
            CopyPiece(fx, at, 0, 2, fx.PictureHeight);
        else
            CopyPiece(fx, 0, at, fx.PictureWidth, 2);
        left.Delete(c);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

} // namespace

void LinesHorizontal(CTransitionEffects& fx, const EffectArgs& args)
{
    RandomLines(fx, args, false);
}

void LinesVertical(CTransitionEffects& fx, const EffectArgs& args)
{
    RandomLines(fx, args, true);
}

// The tiles are one pixel wider and higher than a twentieth of the picture, so the last row and column
// reach past its edges (cut there).
void Mosaic(CTransitionEffects& fx, const EffectArgs& args)
{
    const int tw = fx.PictureWidth / kTiles + 1;
    const int th = fx.PictureHeight / kTiles + 1;
    TIntArray lefts, tops;
    for (int a = 0; a < kTiles; ++a) {
        for (int b = 0; b < kTiles; ++b) {
            lefts.Add(a * tw);
            tops.Add(b * th);
        }
    }
    while (lefts.Count() > 0) {
        const int k = rtl::rand() % lefts.Count();
        CopyPiece(fx, lefts[k], tops[k], tw, th);
        lefts.Delete(k);
        tops.Delete(k);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}
