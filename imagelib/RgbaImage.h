// A decoded picture: 8-bit RGBA, rows top to bottom, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Larger pictures are refused: at most this many pixels a side ...
constexpr int kMaxPictureSide = 16384;
// ... and at most this many bytes of 32-bit pixels.
constexpr std::size_t kMaxPictureBytes = 64u * 1024u * 1024u;

// True when a width x height picture is positive and within both limits.
bool PictureSizeAllowed(long long width, long long height);

struct TRgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;  // Width * Height * 4 bytes

    // Sizes the picture (opaque black); false, leaving it empty, when the size is not allowed.
    bool Allocate(long long width, long long height);
    void Clear()
    {
        Width = Height = 0;
        Pixels.clear();
    }
    uint8_t* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * Width * 4; }
    void SetPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
    {
        uint8_t* p = Row(y) + x * 4;
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }
};
