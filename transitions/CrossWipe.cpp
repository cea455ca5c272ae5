#include "transitions/CrossWipe.h"

#include "transitions/GrowingReveal.h"

namespace {

struct Cross {
    int W, H;
    int N;    // the centre column, and the number of frames of the growing cross
    int My;   // the centre row
    float R;  // H / W

    explicit Cross(const CTransitionEffects& fx)
        : W(fx.PictureWidth), H(fx.PictureHeight), N((W + 2) / 2), My((H + 2) / 2),
          R(RatioOf(fx.PictureHeight, fx.PictureWidth))
    {
    }

    // The vertical bar 2n wide and the horizontal bar of the same proportion.
    void AddTo(CRegion& region, int n) const
    {
        const int b = ScaleBy(R, n);
        region.AddRect(N - n, 0, N + n, H);
        region.AddRect(0, My - b, W, My + b);
    }
};

} // namespace

void CrossWipeFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const Cross cross(fx);
    RevealGrowingShape(fx, args.PauseMs, 0, cross.N - 1, [&cross](CRegion& region, int n) {
        cross.AddTo(region, n);
        return true;
    });
}

void CrossWipeToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const Cross cross(fx);
    RevealOutsideShrinkingShape(fx, args.PauseMs, cross.N, [&cross](CRegion& region, int n) {
        cross.AddTo(region, n);
        return true;
    });
}
