#include "transitions/Increase.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/Random.h"
#include "transitions/AreaBackground.h"
#include "transitions/EffectKit.h"

namespace {

constexpr int kFrames = 100;
constexpr int kCell = 10;  // one dot per 10 x 10 cell and frame
constexpr int kDot = 3;

// Lays one frame's dots of the picture into the composition: a dot in every cell, at a random place. The
// places are drawn cell by cell down each column of cells, and the dots then laid row of cells by row of
// cells, so that memory is walked in order: dots that overlap carry the same picture pixels, so the order in
// which they are laid does not matter.
void LayDots(const PixelRect& from, const PixelRect& to, int W, int H, std::vector<POINT>& places)
{
    const int columns = (W + kCell - 1) / kCell, cellRows = (H + kCell - 1) / kCell;
    places.resize(static_cast<size_t>(columns) * cellRows);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < cellRows; ++j) {
            POINT& p = places[static_cast<size_t>(j) * columns + i];
            p.x = i * kCell + rtl::rand() % kCell;
            p.y = j * kCell + rtl::rand() % kCell;
        }
    for (const POINT& p : places) {
        const int x = p.x, y = p.y;
        const int w = std::min(kDot, W - x);
        for (int row = y; row < std::min(y + kDot, H) && w > 0; ++row)
            std::copy_n(from.Row(row) + x, w, to.Row(row) + x);
    }
}

} // namespace

// Frames are composed over the screen under the picture area; each frame adds dots and puts the whole
// composition on the targets. The whole picture follows, also after a stop.
void IncreaseShow(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CAreaCanvas canvas(fx);
    const PixelRect picture = PixelsOf(fx.Picture);
    if (canvas.IsReady() && picture.Width >= W && picture.Height >= H) {
        std::vector<POINT> places;
        for (int n = 0; n < kFrames; ++n) {
            // Pixels() first finishes the copies of the frame before out of the composition.
            LayDots(picture, canvas.Pixels(), W, H, places);
            canvas.Show(0, 0, W, H);
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    CopyPiece(fx, 0, 0, W, H);
}
