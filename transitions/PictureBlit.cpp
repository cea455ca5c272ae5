#include "transitions/PictureBlit.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "transitions/EffectKit.h"

void BlitClipped(CComPicture* target, int dx, int dy, int w, int h, CComPicture* source, int sx, int sy)
{
    HDC targetDC = PictureDC(target);
    HDC sourceDC = PictureDC(source);
    if (!targetDC || !sourceDC)
        return;
    // Move the near edges in until both rectangles start inside their bitmaps, then cut the far edges.
    const int skipX = std::max({0, -dx, -sx});
    const int skipY = std::max({0, -dy, -sy});
    dx += skipX, sx += skipX, w -= skipX;
    dy += skipY, sy += skipY, h -= skipY;
    w = std::min({w, target->Bitmap()->Width() - dx, source->Bitmap()->Width() - sx});
    h = std::min({h, target->Bitmap()->Height() - dy, source->Bitmap()->Height() - sy});
    if (w > 0 && h > 0)
        ::BitBlt(targetDC, dx, dy, w, h, sourceDC, sx, sy, SRCCOPY);
}
