// TIFF pictures (.tif, .tiff) through libtiff, read from memory: the first image of the file.
#pragma once

#include "imagelib/RgbaImage.h"

bool LooksLikeTiff(const uint8_t* data, std::size_t size);
// False, with a log line, for a damaged, truncated, unsupported or oversized picture.
bool DecodeTiff(const uint8_t* data, std::size_t size, TRgbaImage& out);
