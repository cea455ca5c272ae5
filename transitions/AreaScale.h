// Area-averaging scaling of 32-bit pixels, done here rather than by the drawing layer, whose smoothing
// stretch reads the whole source for every call and is far too slow for a stretch per frame.
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

// Scales the whole of `from` into the box (x, y, w, h) of `to`: each pixel of the box is the average of the
// part of `from` it covers (weights in 256ths, so a channel may be one level off the exact average). Only
// the part of the box inside `to` is written.
void AreaScale(const PixelRect& from, const PixelRect& to, int x, int y, int w, int h, CParallelRows& rows);
