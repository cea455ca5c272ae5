#include "transitions/Line.h"

#include "transitions/EffectKit.h"

namespace {

constexpr int kGap = 4;  // lines of one pass start 4 pixels apart
constexpr int kThick = 2;

// Rows (y, 2 pixels high) or columns (x, 2 pixels wide), so that one routine serves both directions.
struct LineAxis {
    bool Columns;
    int Extent(const CTransitionEffects& fx) const { return Columns ? fx.PictureWidth : fx.PictureHeight; }
    void Draw(CTransitionEffects& fx, int at) const
    {
        if (Columns)
            CopyPiece(fx, at, 0, kThick, fx.PictureHeight);
        else
            CopyPiece(fx, 0, at, fx.PictureWidth, kThick);
    }
};

// Draws lines from start, moving by delta, until the next one would start past last (delta > 0) or before
// last (delta < 0); every line ends a frame. False when a stop was asked for.
bool Pass(CTransitionEffects& fx, const EffectArgs& args, LineAxis axis, int start, int delta, int last)
{
    for (int at = start;; at += delta) {
        axis.Draw(fx, at);
        if (!EndFrame(fx, args.PauseMs))
            return false;
        const int next = at + delta;
        if (delta > 0 ? next > last : next < last)
            return true;
    }
}

// Both passes run forward: rows 4k and 4k + 1, then 4k + 2 and 4k + 3.
void Forward(CTransitionEffects& fx, const EffectArgs& args, LineAxis axis)
{
    const int n = axis.Extent(fx);
    if (Pass(fx, args, axis, 0, kGap, n))
        Pass(fx, args, axis, 2, kGap, n);
}

// Both passes run backward from the far edge. On an odd extent one pass reaches the line at -1, which
// covers row (column) 0 alone.
void Backward(CTransitionEffects& fx, const EffectArgs& args, LineAxis axis)
{
    const int n = axis.Extent(fx);
    if (Pass(fx, args, axis, n - 2, -kGap, -1))
        Pass(fx, args, axis, n - 4, -kGap, -1);
}

// First pass forward from 0, second pass backward from the highest line of the form 4k + 2 below the far
// edge, so that the second pass meets the first on its way back.
void ForwardRebound(CTransitionEffects& fx, const EffectArgs& args, LineAxis axis)
{
    const int n = axis.Extent(fx);
    static constexpr int kBackStart[4] = {2, 3, 4, 1};  // by n mod 4
    if (Pass(fx, args, axis, 0, kGap, n))
        Pass(fx, args, axis, n - kBackStart[n % 4], -kGap, 0);
}

// First pass backward from the far edge (down to the line at -1, which covers row 0 when n mod 4 is 1),
// second pass forward from 0, 1, 2 or -1 by n mod 4.
void BackwardRebound(CTransitionEffects& fx, const EffectArgs& args, LineAxis axis)
{
    const int n = axis.Extent(fx);
    static constexpr int kForwardStart[4] = {0, 1, 2, -1};  // by n mod 4
    if (Pass(fx, args, axis, n - 2, -kGap, -1))
        Pass(fx, args, axis, kForwardStart[n % 4], kGap, n);
}

constexpr LineAxis kRows{false};
constexpr LineAxis kColumns{true};

} // namespace

void LineDown(CTransitionEffects& fx, const EffectArgs& args)
{
    Forward(fx, args, kRows);
}

void LineDownRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    ForwardRebound(fx, args, kRows);
}

void LineLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    Backward(fx, args, kColumns);
}

void LineLeftRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    BackwardRebound(fx, args, kColumns);
}

void LineRight(CTransitionEffects& fx, const EffectArgs& args)
{
    Forward(fx, args, kColumns);
}

void LineRightRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    ForwardRebound(fx, args, kColumns);
}

void LineUp(CTransitionEffects& fx, const EffectArgs& args)
{
    Backward(fx, args, kRows);
}

void LineUpRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    BackwardRebound(fx, args, kRows);
}
