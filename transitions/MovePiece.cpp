#include "transitions/MovePiece.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "transitions/EffectKit.h"

void CopyPieceTo(CTransitionEffects& fx, int sx, int sy, int w, int h, int dx, int dy)
{
    HDC source = PictureDC(fx.Picture);
    if (!source)
        return;
    // Cut the source to the picture, then to what lands inside the area after the shift.
    const int ox = dx - sx, oy = dy - sy;
    const int x0 = std::max({sx, 0, -ox});
    const int y0 = std::max({sy, 0, -oy});
    const int x1 = std::min({sx + w, fx.PictureWidth, fx.PictureWidth - ox});
    const int y1 = std::min({sy + h, fx.PictureHeight, fx.PictureHeight - oy});
    if (x0 >= x1 || y0 >= y1)
        return;
    CopyToTargets(fx, fx.Picture, x0, y0, x1 - x0, y1 - y0, fx.X + x0 + ox, fx.Y + y0 + oy);
}

void RestoreBackground(CTransitionEffects& fx, int x, int y, int w, int h)
{
    if (!PictureDC(fx.BackgroundPicture))
        return;
    const TBitmap& background = *fx.BackgroundPicture->Bitmap();
    // Window coordinates of the rectangle, cut to the picture area and to the background.
    const int x0 = std::max({fx.X + x, fx.X, 0});
    const int y0 = std::max({fx.Y + y, fx.Y, 0});
    const int x1 = std::min({fx.X + x + w, fx.X + fx.PictureWidth, background.Width()});
    const int y1 = std::min({fx.Y + y + h, fx.Y + fx.PictureHeight, background.Height()});
    if (x0 < x1 && y0 < y1)
        fx.BlitBoth(x0, y0, x1 - x0, y1 - y0, fx.BackgroundPicture, x0, y0);
}
