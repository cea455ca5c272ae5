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

// The boxes of half-width e about every cell centre, as one region. Boxes of tall pictures may reach into
// the cells above and below.
void BoxesOf(CRegion& boxes, const BoxGrid& grid, int e)
{
    boxes.Adopt(CreateRectRgn(0, 0, 0, 0));
    const int k = grid.HalfHeightOf(e);
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i)
            boxes.AddRect(grid.CentreX(i) - e, grid.CentreY(j) - k, grid.CentreX(i) + e, grid.CentreY(j) + k);
}

// Frame e shows the picture inside the boxes of half-width e (growing) or outside them (shrinking), the
// old screen elsewhere, as if each frame were composed whole. The targets show the old screen when the
// effect starts, and a frame never takes back picture it showed, so each frame copies only through what
// it adds to the previous one. The whole picture follows, also after a stop.
void RunBoxes(CTransitionEffects& fx, const EffectArgs& args, bool growing)
{
    CStepOverride step(fx, 2);
    const BoxGrid grid(fx);
    CRegion shown[2];  // this frame's picture area and the previous frame's, by turns
    for (int n = 0, frame = 0; frame < grid.HalfW; ++frame, n ^= 1) {
        const int e = growing ? frame : grid.HalfW - frame;
        BoxesOf(shown[n], grid, e);
        if (!growing) {
            CRegion boxes;
            boxes.Add(shown[n]);
            shown[n].Adopt(CreateRectRgn(0, 0, fx.PictureWidth, fx.PictureHeight));
            shown[n].Subtract(boxes);
        }
        CRegion fresh;
        fresh.Add(shown[n]);
        fresh.Subtract(shown[n ^ 1]);
        CopyRegion(fx, fresh);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

// Boxes of the picture grow from the cell centres over the old screen: half-width 0 up to a cell's half-width
// less one, half-height in the picture's proportion.
void MultiBoxFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoxes(fx, args, true);
}

// Boxes of the old screen shrink toward the cell centres over the picture, from whole cells down to
// half-width 1.
void MultiBoxToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoxes(fx, args, false);
}
