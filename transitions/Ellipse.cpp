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

void CopyWhole(CTransitionEffects& fx)
{
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

// A size whose region cannot be made is skipped without drawing, pumping or pausing.
void EllipseFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int last = Diagonal(W / 2, H / 2) + 1;
    CGrowingReveal reveal;
    for (int i = 1; i <= last; ++i) {
        CRegion area;
        if (!AddCentredEllipse(area, W, H, i))
            continue;
        reveal.Show(fx, area);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    // Also after a stop request.
    CopyWhole(fx);
}

void EllipseToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CGrowingReveal reveal;
    for (int n = W < H ? W / 2 : H / 2; n >= 0; --n) {
        CRegion hidden;
        if (!AddCentredEllipse(hidden, W, H, n))
            continue;
        CRegion area(0, 0, W, H);
        area.Subtract(hidden);
        reveal.Show(fx, area);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    // Also after a stop request.
    CopyWhole(fx);
}

// A circle, not an ellipse, until its radius reaches the picture's diagonal, wherever the centre lies.
void EllipseRandom(CTransitionEffects& fx, const EffectArgs& args)
{
    const int cx = args.CentreX, cy = args.CentreY;
    const int last = Diagonal(fx.PictureWidth, fx.PictureHeight);
    CGrowingReveal reveal;
    for (int i = 1; i < last; ++i) {
        CRegion area;
        if (!AddEllipse(area, cx - i, cy - i, cx + i, cy + i))
            continue;
        reveal.Show(fx, area);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    // Also after a stop request.
    CopyWhole(fx);
}
