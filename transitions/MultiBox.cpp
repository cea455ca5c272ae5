#include "transitions/MultiBox.h"

#include "transitions/EffectKit.h"
#include "transitions/StepOverride.h"

namespace {

constexpr int kGrid = 10;  // boxes per side

// Half-cell sizes and the single-precision height-to-width ratio that shapes every box.
struct BoxGrid {
    int HalfW, HalfH;
    float Ratio;

    explicit BoxGrid(const CTransitionEffects& fx)
        : HalfW((fx.PictureWidth + 2 * kGrid) / (2 * kGrid)),
          HalfH((fx.PictureHeight + 2 * kGrid) / (2 * kGrid)),
          Ratio(RatioOf(fx.PictureHeight, fx.PictureWidth))
    {
    }
    int CentreX(int i) const { return (2 * i + 1) * HalfW; }
    int CentreY(int j) const { return (2 * j + 1) * HalfH; }
    // Half-height of a box of half-width e.
    int HalfHeightOf(int e) const { return ScaleBy(Ratio, e); }
};

struct Box {
    int Left, Top, Right, Bottom;
};

Box BoxAt(const BoxGrid& grid, int i, int j, int e)
{
    const int k = grid.HalfHeightOf(e);
    return {grid.CentreX(i) - e, grid.CentreY(j) - k, grid.CentreX(i) + e, grid.CentreY(j) + k};
}

// Copies the picture in the band between two boxes about the same centre, the inner one inside the outer.
void CopyBand(CTransitionEffects& fx, const Box& o, const Box& in)
{
    const int width = o.Right - o.Left;
    CopyPiece(fx, o.Left, o.Top, width, in.Top - o.Top);
    CopyPiece(fx, o.Left, in.Bottom, width, o.Bottom - in.Bottom);
    CopyPiece(fx, o.Left, in.Top, in.Left - o.Left, in.Bottom - in.Top);
    CopyPiece(fx, in.Right, in.Top, o.Right - in.Right, in.Bottom - in.Top);
}

// Every box turns from size inner to size outer (half-widths) into picture: only these bands change.
void RevealBands(CTransitionEffects& fx, const BoxGrid& grid, int outer, int inner)
{
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i)
            CopyBand(fx, BoxAt(grid, i, j, outer), BoxAt(grid, i, j, inner));
}

void CopyWhole(CTransitionEffects& fx)
{
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

// Frame e shows the old screen with boxes of half-width e of the picture. The boxes only grow, so each frame
// draws the bands by which they grew instead of recomposing the whole area; the targets show the same. The
// first frame (empty boxes) shows the old screen as it is. The whole picture follows, also after a stop.
void MultiBoxFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    CStepOverride step(fx, 2);
    const BoxGrid grid(fx);
    for (int e = 0; e < grid.HalfW; ++e) {
        if (e > 0)
            RevealBands(fx, grid, e, e - 1);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyWhole(fx);
}

// Frame e shows the picture with boxes of half-width e of the old screen, from full cells down to
// half-width 1. The targets show the old screen when the effect starts, so the first frame copies the
// picture everywhere but in the boxes, and later frames only turn the bands by which the boxes shrank into
// picture. The whole picture follows, also after a stop.
void MultiBoxToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    CStepOverride step(fx, 2);
    const BoxGrid grid(fx);
    for (int e = grid.HalfW; e > 0; --e) {
        if (e == grid.HalfW) {
            CRegion boxes;
            for (int j = 0; j < kGrid; ++j) {
                for (int i = 0; i < kGrid; ++i) {
                    const Box b = BoxAt(grid, i, j, e);
                    boxes.AddRect(b.Left, b.Top, b.Right, b.Bottom);
                }
            }
            CRegion outside(0, 0, fx.PictureWidth, fx.PictureHeight);
            outside.Subtract(boxes);
            CopyRegion(fx, outside);
        } else {
            RevealBands(fx, grid, e + 1, e);
        }
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyWhole(fx);
}
