// GIF decoding through giflib: the first frame on the logical screen; transparent pixels and the area
// outside the frame are black.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/PixelTarget.h"

// False (with a log line) on a damaged file or one without a frame; never throws.
bool DecodeGif(const uint8_t* data, size_t size, TPixelTarget& target);
