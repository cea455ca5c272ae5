#include "transitions/Ellipse.h"

#include <cmath>

#include "transitions/CentredRect.h"
#include "transitions/GrowingReveal.h"
#include "transitions/ShapeRegion.h"

namespace {

// The ellipse in the centred rectangle of step n. False when GDI cannot make the region.
bool AddCentredEllipse(CRegion& region, int W, int H, int n)
{
    const CentredRect r = CentreRect(W, H, n);
    return AddEllipse(region, r.Left, r.Top, r.Right, r.Bottom);
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
    RevealOutsideShrinkingShape(fx, args.PauseMs, CentreSteps(W, H),
                                [W, H](CRegion& region, int n) { return AddCentredEllipse(region, W, H, n); });
}

// A circle, not an ellipse, until its radius reaches the picture's diagonal, wherever the centre lies.
void EllipseRandom(CTransitionEffects& fx, const EffectArgs& args)
{
    const int cx = args.CentreX, cy = args.CentreY;
    RevealGrowingShape(fx, args.PauseMs, 1, Diagonal(fx.PictureWidth, fx.PictureHeight) - 1,
                       [cx, cy](CRegion& region, int n) { return AddEllipse(region, cx - n, cy - n, cx + n, cy + n); });
}
