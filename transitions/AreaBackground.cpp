#include "transitions/AreaBackground.h"

#include <algorithm>

#include "classlib/Bitmap.h"

void CopyAreaBackground(const CTransitionEffects& fx, CTempPicture& temp)
{
    HDC source = PictureDC(fx.BackgroundPicture);
    HDC target = temp.Handle();
    if (!source || !target)
        return;
    const TBitmap& background = *fx.BackgroundPicture->Bitmap();
    const int x0 = std::max(fx.X, 0);
    const int y0 = std::max(fx.Y, 0);
    const int x1 = std::min(fx.X + fx.PictureWidth, background.Width());
    const int y1 = std::min(fx.Y + fx.PictureHeight, background.Height());
    if (x0 >= x1 || y0 >= y1)
        return;
    ::BitBlt(target, x0 - fx.X, y0 - fx.Y, x1 - x0, y1 - y0, source, x0, y0, SRCCOPY);
}
