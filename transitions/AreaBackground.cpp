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
