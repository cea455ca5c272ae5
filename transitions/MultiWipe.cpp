#include "transitions/MultiWipe.h"

#include "transitions/EffectKit.h"
#include "transitions/StepOverride.h"

namespace {

constexpr int kGrid = 10;   // cells per side
constexpr int kGrowth = 2;  // leg growth per frame, whatever the step

// The cells' corner the triangles grow from: legs point right (+1) or left (-1), down (+1) or up (-1).
struct Corner {
    int Dx, Dy;
};

// The union of the triangles given by three vertices each, joined pairwise: joining them one by one into a
// growing region would cost far more, the region being rebuilt at every step.
void UnionOfTriangles(CRegion& out, const POINT* vertices, int count)
{
    if (count == 1) {
        out.Adopt(CreatePolygonRgn(vertices, 3, WINDING));
        return;
    }
    const int half = count / 2;
    CRegion rest;
    UnionOfTriangles(out, vertices, half);
    UnionOfTriangles(rest, vertices + 3 * half, count - half);
    out.Add(rest);
}

// All triangles with horizontal leg t and vertical leg trunc(t * ratio), one per cell, as one region.
void BuildTriangles(CRegion& all, Corner c, int cw, int ch, float ratio, int t)
{
    const int k = ScaleBy(ratio, t);
    // Corners on the cells' left (top) edges for legs pointing right (down), on their right (bottom) edges
    // otherwise: grid lines 0 to 9, or 1 to 10.
    const int firstI = c.Dx > 0 ? 0 : 1;
    const int firstJ = c.Dy > 0 ? 0 : 1;
    POINT vertices[3 * kGrid * kGrid];
    POINT* v = vertices;
    for (int j = firstJ; j < firstJ + kGrid; ++j) {
        for (int i = firstI; i < firstI + kGrid; ++i) {
            const int ic = i * cw, jc = j * ch;
            *v++ = {ic, jc};
            *v++ = {ic + c.Dx * t, jc};
            *v++ = {ic, jc + c.Dy * k};
        }
    }
    UnionOfTriangles(all, vertices, kGrid * kGrid);
}

// Frame t reveals the picture through every triangle of leg t. The picture is static and what a frame
// revealed stays, so each frame copies only through the part its region adds to the previous frame's: what
// both share was copied then (or earlier). The targets end up as with a copy through the whole region.
// The whole picture follows, also after a stop.
void MultiWipe(CTransitionEffects& fx, const EffectArgs& args, Corner corner)
{
    CStepOverride step(fx, 2);
    const int cw = (fx.PictureWidth + kGrid) / kGrid;
    const int ch = (fx.PictureHeight + kGrid) / kGrid;
    const float ratio = RatioOf(fx.PictureHeight, fx.PictureWidth);
    CRegion regions[2];  // this frame's and the previous frame's, by turns
    for (int t = 0, n = 0; t < 2 * cw; t += kGrowth, n ^= 1) {
        CRegion& all = regions[n];
        BuildTriangles(all, corner, cw, ch, ratio, t);
        CRegion fresh;
        fresh.Add(all);
        fresh.Subtract(regions[n ^ 1]);
        CopyRegion(fx, fresh);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

void MultiWipeFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {1, -1});
}

void MultiWipeFromBottomRight(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {-1, -1});
}

void MultiWipeFromLeftTop(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {1, 1});
}

void MultiWipeFromRightTop(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {-1, 1});
}
