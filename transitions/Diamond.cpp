#include "transitions/Diamond.h"

#include "transitions/GrowingReveal.h"
#include "transitions/ShapeRegion.h"

namespace {

struct Diamond {
    int W, H;
    int Cx, Cy;
    float R;  // H / W

    explicit Diamond(const CTransitionEffects& fx)
        : W(fx.PictureWidth), H(fx.PictureHeight), Cx((W + 2) / 2), Cy((H + 2) / 2),
          R(RatioOf(fx.PictureHeight, fx.PictureWidth))
    {
    }

    // Half width n, half height in the picture's proportion.
    void AddTo(CRegion& region, int n) const
    {
        const int c = ScaleBy(R, n);
        AddPolygon(region, {{Cx - n, Cy}, {Cx, Cy + c}, {Cx + n, Cy}, {Cx, Cy - c}});
    }
};

} // namespace

void DiamondFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const Diamond diamond(fx);
    CGrowingReveal reveal;
    for (int i = 0; i < diamond.W; ++i) {
        CRegion area;
        diamond.AddTo(area, i);
        reveal.Show(fx, area);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    // Also after a stop request.
    CopyPiece(fx, 0, 0, diamond.W, diamond.H);
}

void DiamondToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const Diamond diamond(fx);
    CGrowingReveal reveal;
    for (int n = diamond.W; n >= 0; --n) {
        CRegion area(0, 0, diamond.W, diamond.H);
        CRegion hidden;
        diamond.AddTo(hidden, n);
        area.Subtract(hidden);
        reveal.Show(fx, area);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    // Also after a stop request.
    CopyPiece(fx, 0, 0, diamond.W, diamond.H);
}
