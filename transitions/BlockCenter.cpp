#include "transitions/BlockCenter.h"

#include "transitions/CentredRect.h"
#include "transitions/EffectKit.h"

namespace {

// Frame (1..64) at which "Block from center" lays each cell, rows top to bottom, columns left to right.
constexpr int kSpiralFrame[8][8] = {
    {43, 42, 41, 40, 39, 38, 37, 64},
    {44, 21, 20, 19, 18, 17, 36, 63},
    {45, 22, 7, 6, 5, 16, 35, 62},
    {46, 23, 8, 1, 4, 15, 34, 61},
    {47, 24, 9, 2, 3, 14, 33, 60},
    {48, 25, 10, 11, 12, 13, 32, 59},
    {49, 26, 27, 28, 29, 30, 31, 58},
    {50, 51, 52, 53, 54, 55, 56, 57},
};

void RunBlocks(CTransitionEffects& fx, const EffectArgs& args, bool fromCenter)
{
    int cellOfFrame[65] = {};
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            cellOfFrame[kSpiralFrame[row][col]] = row * 8 + col;

    const int bw = fx.PictureWidth / 8 + 1, bh = fx.PictureHeight / 8 + 1;
    for (int k = 1; k <= 64; ++k) {
        const int cell = cellOfFrame[fromCenter ? k : 65 - k];
        CopyPiece(fx, (cell % 8) * bw, (cell / 8) * bh, bw, bh);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

// Copies the band between an outer rectangle and the inner one it contains, from source.
void CopyRing(CTransitionEffects& fx, const CComPicture* source, const CentredRect& o, const CentredRect& i)
{
    CopyPieceFrom(fx, source, o.Left, o.Top, o.Right - o.Left, i.Top - o.Top);
    CopyPieceFrom(fx, source, o.Left, i.Bottom, o.Right - o.Left, o.Bottom - i.Bottom);
    CopyPieceFrom(fx, source, o.Left, i.Top, i.Left - o.Left, i.Bottom - i.Top);
    CopyPieceFrom(fx, source, i.Right, i.Top, o.Right - i.Right, i.Bottom - i.Top);
}

void CopyWhole(CTransitionEffects& fx)
{
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

void BlockFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlocks(fx, args, true);
}

void BlockToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlocks(fx, args, false);
}

// Each frame copies the rectangle of step i; only the band it adds to the previous one is drawn, which the
// targets did not show yet.
void CenterDiffuse(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int n = CentreSteps(W, H);
    CentredRect shown = CentreRect(W, H, 0);
    for (int i = 0; i < n; ++i) {
        const CentredRect next = CentreRect(W, H, i);
        CopyRing(fx, fx.Picture, next, shown);
        shown = next;
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyWhole(fx);
}

// Frame n shows the picture with the centred rectangle of step n showing the old screen. The first frame
// is composed in a temporary picture and drawn whole; each later frame only turns the band by which the
// old screen's rectangle shrank back into picture, which is all that changes on the targets.
void CenterEnvelop(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CTempPicture frame(W, H);
    HDC picture = PictureDC(fx.Picture);
    HDC background = PictureDC(fx.BackgroundPicture);
    if (frame.IsMade()) {
        HDC temp = frame.Handle();
        CentredRect previous{0, 0, W, H};
        for (int n = CentreSteps(W, H); n >= 1; --n) {
            const CentredRect hole = CentreRect(W, H, n);
            if (n == CentreSteps(W, H)) {
                ::BitBlt(temp, 0, 0, W, H, picture, 0, 0, SRCCOPY);
                if (background)
                    ::BitBlt(temp, hole.Left, hole.Top, hole.Right - hole.Left, hole.Bottom - hole.Top,
                             background, fx.X + hole.Left, fx.Y + hole.Top, SRCCOPY);
                CopyPieceFrom(fx, frame.Get(), 0, 0, W, H);
            } else {
                CopyRing(fx, fx.Picture, previous, hole);
            }
            previous = hole;
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    CopyWhole(fx);
}
