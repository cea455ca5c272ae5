// Where a picture decoder writes: asked once for a picture of width x height, it hands back the top-down
// rows of 32-bit 0x00RRGGBB pixels (row y at pixels + y * width), or null to refuse.
#pragma once

#include <cstdint>

class TPixelTarget {
public:
    virtual ~TPixelTarget() = default;
    virtual uint32_t* Allocate(int width, int height) = 0;
};

// Decoders refuse larger pictures before asking for memory: a damaged header must not claim gigabytes.
const int kMaxPictureSide = 16384;
const int64_t kMaxPicturePixels = int64_t(64) * 1024 * 1024;

inline bool PictureSizeAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}
