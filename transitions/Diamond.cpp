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
    RevealGrowingShape(fx, args.PauseMs, 0, diamond.W - 1, [&diamond](CRegion& region, int n) {
        diamond.AddTo(region, n);
        return true;
    });
}

void DiamondToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const Diamond diamond(fx);
    RevealOutsideShrinkingShape(fx, args.PauseMs, diamond.W, [&diamond](CRegion& region, int n) {
        diamond.AddTo(region, n);
        return true;
    });
}
