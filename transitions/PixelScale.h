// Scaling of 32-bit pixels, done here rather than by the drawing layer, whose stretches are far too slow for a
// stretch over most of the picture in every frame.
#pragma once

#include <cstddef>
#include <cstdint>

class CParallelRows;

// A rectangle of 0x00RRGGBB pixels in memory, rows Stride pixels apart.
struct PixelRect {
    uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    ptrdiff_t Stride = 0;

    uint32_t* Row(int y) const { return Bits + y * Stride; }
    bool IsEmpty() const { return !Bits || Width <= 0 || Height <= 0; }
};

enum class ScaleFilter {
    Average,  // each target pixel the average of the part of the source it covers (smoothing)
    Nearest,  // each target pixel the source pixel under its centre (lines repeated or dropped)
};

// Scales the whole of `from` into the box (x, y, w, h) of `to`. Averages are weighed in 256ths, so a channel
// may be one level off the exact average. Only the part of the box inside `to` is written. With `rows` the
// rows are shared out over its threads.
void ScalePixels(const PixelRect& from, const PixelRect& to, int x, int y, int w, int h, ScaleFilter filter,
                 CParallelRows* rows);
