#include "transitions/AreaBackground.h"

#include <algorithm>
#include <cstdint>

#include "classlib/Bitmap.h"

void CopyAreaBackground(const CTransitionEffects& fx, CTempPicture& temp)
{
    HDC source = PictureDC(fx.BackgroundPicture);
    HDC target = temp.Handle();
    if (!source || !target)
        return;
    const TBitmap& background = *fx.BackgroundPicture->Bitmap();
    // In 64 bits: a far-off placement must not wrap around.
    const int64_t x0 = std::max<int64_t>(fx.X, 0);
    const int64_t y0 = std::max<int64_t>(fx.Y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{fx.X} + fx.PictureWidth, background.Width());
    const int64_t y1 = std::min<int64_t>(int64_t{fx.Y} + fx.PictureHeight, background.Height());
    if (x0 >= x1 || y0 >= y1)
        return;
    ::BitBlt(target, static_cast<int>(x0 - fx.X), static_cast<int>(y0 - fx.Y), static_cast<int>(x1 - x0),
             static_cast<int>(y1 - y0), source, static_cast<int>(x0), static_cast<int>(y0), SRCCOPY);
}

CAreaCanvas::CAreaCanvas(CTransitionEffects& fx) : Fx_(fx)
{
    const PixelRect buffer = PixelsOf(fx.BackBuffer);
    const PixelRect background = PixelsOf(fx.BackgroundPicture);
    const auto inside = [&](const PixelRect& r) {
        return !r.IsEmpty() && fx.X >= 0 && fx.Y >= 0 && int64_t{fx.X} + fx.PictureWidth <= r.Width &&
               int64_t{fx.Y} + fx.PictureHeight <= r.Height;
    };
    if (inside(buffer) && inside(background))
        return;
    Temp_ = std::make_unique<CTempPicture>(fx.PictureWidth, fx.PictureHeight);
    if (Temp_->IsMade())
        CopyAreaBackground(fx, *Temp_);
}

PixelRect CAreaCanvas::Pixels()
{
    if (Temp_)
        return PixelsOf(Temp_->Get());
    PixelRect area = PixelsOf(Fx_.BackBuffer);
    area.Bits = area.Row(Fx_.Y) + Fx_.X;
    area.Width = Fx_.PictureWidth;
    area.Height = Fx_.PictureHeight;
    return area;
}

void CAreaCanvas::Show(int x, int y, int w, int h)
{
    if (Temp_) {
        if (!ShownWhole_)
            x = 0, y = 0, w = Fx_.PictureWidth, h = Fx_.PictureHeight;
        ShownWhole_ = true;
        CopyPieceFrom(Fx_, Temp_->Get(), x, y, w, h);
        return;
    }
    if (Fx_.WindowDC && ClipToPicture(Fx_, x, y, w, h))
        ::BitBlt(Fx_.WindowDC, Fx_.X + x, Fx_.Y + y, w, h, PictureDC(Fx_.BackBuffer), Fx_.X + x, Fx_.Y + y,
                 SRCCOPY);
}
