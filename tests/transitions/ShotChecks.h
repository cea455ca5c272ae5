// What the pixels of a shot of a run on pictures alone show: a pixel of the new picture, its own, or its
// own background pixel; and the count of pixels that disagree with a revealed-or-not expectation.
#pragma once

#include "TransitionHarness.h"

// The pixel shows the new picture's pixel (px, py).
inline bool Shows(const Snapshot& shot, int x, int y, int px, int py)
{
    return shot.At(x, y) == CoordPixel(px, py, kPictureMark);
}

// The pixel shows its own picture pixel.
inline bool ShowsOwn(const Snapshot& shot, int x, int y)
{
    return Shows(shot, x, y, x, y);
}

// The pixel still shows its own background pixel.
inline bool ShowsBackground(const Snapshot& shot, int x, int y)
{
    return shot.At(x, y) == CoordPixel(x, y, kBackgroundMark);
}

// Pixels for which the shot disagrees with the expectation "revealed(x, y) ? own picture pixel : background".
template <typename Revealed>
int Mismatches(const Snapshot& shot, Revealed revealed)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            wrong += !(revealed(x, y) ? ShowsOwn(shot, x, y) : ShowsBackground(shot, x, y));
    return wrong;
}
