#include "transitions/Ellipse.h"

#include <cmath>
#include <cstdint>

#include "transitions/GrowingReveal.h"
#include "transitions/ShapeRegion.h"

namespace {

// The centred ellipse of size n: half of the shorter side is n, the other half in proportion.
// False when GDI cannot make the region.
bool AddCentredEllipse(CRegion& region, int W, int H, int n)
{
    int halfW, halfH;
    if (W < H) {
        halfW = n;
        halfH = static_cast<int>(static_cast<int64_t>(H) * n / W);
    } else {
        halfH = n;
        halfW = static_cast<int>(static_cast<int64_t>(W) * n / H);
    }
    const int cx = W / 2, cy = H / 2;
    return AddEllipse(region, cx - halfW, cy - halfH, cx + halfW, cy + halfH);
}

int Diagonal(int a, int b)
{
    return static_cast<int>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
}

} // namespace

// A size whose region cannot be made is skipped without drawing, pumping or pausing.
void EllipseFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RevealGrowingShape(fx, args.PauseMs, 1, Diagonal(W / 2, H / 2) + 1,
                       [W, H](CRegion& region, int n) { return AddCentredEllipse(region, W, H, n); });
}

void EllipseToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RevealOutsideShrinkingShape(fx, args.PauseMs, W < H ? W / 2 : H / 2,
                                [W, H](CRegion& region, int n) { return AddCentredEllipse(region, W, H, n); });
}

// A circle, not an ellipse, until its radius reaches the picture's diagonal, wherever the centre lies.
void EllipseRandom(CTransitionEffects& fx, const EffectArgs& args)
{
    const int cx = args.CentreX, cy = args.CentreY;
    RevealGrowingShape(fx, args.PauseMs, 1, Diagonal(fx.PictureWidth, fx.PictureHeight) - 1,
                       [cx, cy](CRegion& region, int n) { return AddEllipse(region, cx - n, cy - n, cx + n, cy + n); });
}
