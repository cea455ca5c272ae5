#include "transitions/PicturePyramid.h"

#include <algorithm>
#include <new>

namespace {

// A side halved k times, never below one pixel.
int Halved(int side, int k)
{
    return std::max(1, side >> k);
}

// How often a side can be halved and stay at least `box` long.
int Halvings(int side, int box)
{
    int k = 0;
    while ((side >> (k + 1)) >= std::max(box, 1))
        ++k;
    return k;
}

} // namespace

const PixelRect& CPicturePyramid::For(int w, int h)
{
    return Level(Halvings(Picture_.Width, w), Halvings(Picture_.Height, h));
}

const PixelRect& CPicturePyramid::Level(int kx, int ky)
{
    if (kx == 0 && ky == 0)
        return Picture_;
    std::unique_ptr<Copy>& copy = Copies_[{kx, ky}];
    if (copy)
        return copy->Rect;
    // Each copy is made from the one halved once less along both axes where both are halved (a box that
    // keeps the picture's proportions needs no others), else along the one.
    const PixelRect& from = kx > 0 && ky > 0 ? Level(kx - 1, ky - 1) : kx > 0 ? Level(kx - 1, ky) : Level(0, ky - 1);
    try {
        auto made = std::make_unique<Copy>();
        made->Rect.Width = Halved(Picture_.Width, kx);
        made->Rect.Height = Halved(Picture_.Height, ky);
        made->Rect.Stride = made->Rect.Width;
        // Left unfilled: the scaling writes every pixel.
        made->Pixels.reset(new uint32_t[static_cast<size_t>(made->Rect.Width) * made->Rect.Height]);
        made->Rect.Bits = made->Pixels.get();
        ScalePixels(from, made->Rect, 0, 0, made->Rect.Width, made->Rect.Height, ScaleFilter::Average,
                    &Rows_);
        copy = std::move(made);
        return copy->Rect;
    } catch (const std::bad_alloc&) {
        Copies_.erase({kx, ky});
        return Picture_;
    }
}
