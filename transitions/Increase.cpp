#include "transitions/Increase.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "classlib/Bitmap.h"
#include "data/Random.h"
#include "transitions/AreaBackground.h"
#include "transitions/EffectKit.h"

namespace {

constexpr int kFrames = 100;
constexpr int kCell = 10;  // one dot per 10 x 10 cell and frame
constexpr int kDot = 3;

// Row starts of a bitmap, taken once: a frame lays thousands of dots, far too many for one GDI call each.
std::vector<uint32_t*> Rows(TBitmap& bitmap, int height)
{
    std::vector<uint32_t*> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = bitmap.ScanLine(y);
    return rows;
}

// Lays one frame's dots of the picture into the composed frame: a dot in every cell, at a random place.
void LayDots(const std::vector<uint32_t*>& from, const std::vector<uint32_t*>& to, int W, int H)
{
    for (int x0 = 0; x0 < W; x0 += kCell) {
        for (int y0 = 0; y0 < H; y0 += kCell) {
            const int x = x0 + rtl::rand() % kCell;
            const int y = y0 + rtl::rand() % kCell;
            const int w = std::min(kDot, W - x);
            for (int row = y; row < std::min(y + kDot, H); ++row)
                if (w > 0)
                    std::memcpy(to[static_cast<size_t>(row)] + x, from[static_cast<size_t>(row)] + x,
                                static_cast<size_t>(w) * sizeof(uint32_t));
        }
    }
}

} // namespace

// Frames are composed in a temporary picture that starts as the screen under the picture area; each frame
// adds dots and puts the whole composition on the targets. The whole picture follows, also after a stop.
void IncreaseShow(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CTempPicture frame(W, H);
    TBitmap* picture = fx.Picture->Bitmap();
    if (frame.IsMade() && picture->Width() >= W && picture->Height() >= H) {
        CopyAreaBackground(fx, frame);
        const std::vector<uint32_t*> from = Rows(*picture, H);
        const std::vector<uint32_t*> to = Rows(*frame.Get()->Bitmap(), H);
        for (int n = 0; n < kFrames; ++n) {
            GdiFlush();  // the composition goes to the targets through GDI between frames
            LayDots(from, to, W, H);
            CopyPieceFrom(fx, frame.Handle(), 0, 0, W, H);
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    CopyPiece(fx, 0, 0, W, H);
}
