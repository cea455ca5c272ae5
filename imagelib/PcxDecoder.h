// PCX pictures (.pcx, .pcc): 1-bit planar up to 16 colours, 4- and 8-bit palettes, 24- and 32-bit planes.
#pragma once

#include "imagelib/RgbaImage.h"

bool LooksLikePcx(const uint8_t* data, std::size_t size);
// False, with a log line, for a damaged, truncated, unsupported or oversized picture.
bool DecodePcx(const uint8_t* data, std::size_t size, TRgbaImage& out);
