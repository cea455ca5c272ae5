// Reader of Windows bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8 and bit fields,
// bottom-up and top-down rows. Never reads outside [data, data + size).
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/PixelTarget.h"

// False (with a log line) when the bytes are not a bitmap it can read.
bool DecodeBmp(const uint8_t* data, size_t size, TPixelTarget& target);
