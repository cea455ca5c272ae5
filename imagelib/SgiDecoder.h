// SGI pictures (.bw, .rgb, .rgba, .sgi): 8- or 16-bit channels, verbatim or run-length encoded.
#pragma once

#include "imagelib/RgbaImage.h"

bool LooksLikeSgi(const uint8_t* data, std::size_t size);
// False, with a log line, for a damaged, truncated, unsupported or oversized picture.
bool DecodeSgi(const uint8_t* data, std::size_t size, TRgbaImage& out);
