// The check of the moving families: a frame may show the picture's pixels anywhere in its area (they slide),
// but nothing else than those and the background.
#pragma once

#include "TransitionHarness.h"

// Pixels of the W x H shot that show neither their own background pixel nor any pixel of the W x H picture.
inline int ForeignPixels(const Snapshot& shot, int w, int h)
{
    int foreign = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const uint32_t v = shot.At(x, y);
            foreign += v != CoordPixel(x, y, kBackgroundMark) && !IsPicturePixel(v, w, h);
        }
    return foreign;
}
