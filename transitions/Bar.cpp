// Bar effects: "Tow bar" splits the picture into a left bar W / 2 + 1 wide and a right bar, "Two bar" into a
// top bar H / 2 + 1 tall and a bottom bar. The move effects slide each bar into place carrying its picture,
// the wipe effects uncover each bar in place; v grows by 2 px per frame. There is no final copy: the move
// effects end on v = extent, which puts both bars whole; the wipe effects end 1 px past it on odd extents.
#include "transitions/Bar.h"

#include <algorithm>

#include "transitions/EffectKit.h"

namespace {

constexpr int kProgress = 2;

// Copies the rectangle (sx, sy, w, h) of the picture to (X + dx, Y + dy) on the window, then on the back
// buffer; only picture pixels are copied, and only into the picture area.
void PutPiece(CTransitionEffects& fx, int sx, int sy, int w, int h, int dx, int dy)
{
    // Cut the source to the picture, then to what lands inside the picture area after the shift.
    const int ox = dx - sx, oy = dy - sy;
    const int x0 = std::max({sx, 0, -ox});
    const int y0 = std::max({sy, 0, -oy});
    const int x1 = std::min({sx + w, fx.PictureWidth, fx.PictureWidth - ox});
    const int y1 = std::min({sy + h, fx.PictureHeight, fx.PictureHeight - oy});
    if (x0 >= x1 || y0 >= y1)
        return;
    HDC source = PictureDC(fx.Picture);
    if (fx.WindowDC)
        ::BitBlt(fx.WindowDC, fx.X + x0 + ox, fx.Y + y0 + oy, x1 - x0, y1 - y0, source, x0, y0, SRCCOPY);
    if (HDC buffer = PictureDC(fx.BackBuffer))
        ::BitBlt(buffer, fx.X + x0 + ox, fx.Y + y0 + oy, x1 - x0, y1 - y0, source, x0, y0, SRCCOPY);
}

// One frame of a bar effect for progress v.
using BarFrame = void (*)(CTransitionEffects& fx, int v);

// Runs v = 0, 2, ... while v < extent + 2; the move effects hold v at the extent for their last frame.
void RunBars(CTransitionEffects& fx, const EffectArgs& args, int extent, bool limit, BarFrame frame)
{
    for (int v = 0; v < extent + kProgress; v += kProgress) {
        if (limit && v > extent)
            v = extent;
        frame(fx, v);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

int HalfWidth(const CTransitionEffects& fx)
{
    return fx.PictureWidth / 2 + 1;
}

int HalfHeight(const CTransitionEffects& fx)
{
    return fx.PictureHeight / 2 + 1;
}

} // namespace

void TowBarMoveDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        PutPiece(fx, 0, H - v, hw, v, 0, 0);
        PutPiece(fx, hw, 0, W - hw, v, hw, H - v);
    });
}

void TowBarMoveUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        PutPiece(fx, 0, 0, hw, v, 0, H - v);
        PutPiece(fx, hw, H - v, W - hw, v, hw, 0);
    });
}

void TowBarWipeDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPiece(fx, 0, 0, hw, v);
        CopyPiece(fx, hw, H - v, W - hw, v);
    });
}

void TowBarWipeUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureHeight, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hw = HalfWidth(fx);
        CopyPiece(fx, 0, H - v, hw, v);
        CopyPiece(fx, hw, 0, W - hw, v);
    });
}

void TwoBarMoveLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        PutPiece(fx, 0, 0, v, hh, W - v, 0);
        PutPiece(fx, W - v, hh, v, H - hh, 0, hh);
    });
}

void TwoBarMoveRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, true, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        PutPiece(fx, W - v, 0, v, hh, 0, 0);
        PutPiece(fx, 0, hh, v, H - hh, W - v, hh);
    });
}

void TwoBarWipeLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPiece(fx, W - v, 0, v, hh);
        CopyPiece(fx, 0, hh, v, H - hh);
    });
}

void TwoBarWipeRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBars(fx, args, fx.PictureWidth, false, [](CTransitionEffects& fx, int v) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, hh = HalfHeight(fx);
        CopyPiece(fx, 0, 0, v, hh);
        CopyPiece(fx, W - v, hh, v, H - hh);
    });
}
