// JPEG decoding through libjpeg, straight into the target's rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/PixelTarget.h"

// False (with a log line) on a damaged or unsupported file; never throws.
bool DecodeJpeg(const uint8_t* data, size_t size, TPixelTarget& target);
