// The checks of the moving families: a frame may show the picture's pixels anywhere in its area (they slide),
// but nothing else than those and the background; and a model of where each pixel of a frame comes from.
#pragma once

#include <functional>

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

// Where a pixel of the area takes its value from: the picture pixel (X, Y), or the background when X < 0.
struct Source {
    int X, Y;
};
constexpr Source kBackground{-1, -1};
using FrameModel = std::function<Source(int x, int y)>;

// Every pixel from its own place of the picture.
inline const FrameModel kWhole = [](int x, int y) { return Source{x, y}; };

// Pixels of the shot that differ from what the model says they take.
inline int WrongPixels(const Snapshot& shot, const FrameModel& model)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const Source from = model(x, y);
            const uint32_t want =
                from.X < 0 ? CoordPixel(x, y, kBackgroundMark) : CoordPixel(from.X, from.Y, kPictureMark);
            wrong += shot.At(x, y) != want;
        }
    return wrong;
}
