// PNG, TGA, PSD/PDD and 8-bit binary PNM (P5, P6) pictures through stb_image.
#pragma once

#include "imagelib/RgbaImage.h"

bool LooksLikePng(const uint8_t* data, std::size_t size);
bool LooksLikePsd(const uint8_t* data, std::size_t size);
bool LooksLikePnm(const uint8_t* data, std::size_t size);
// Decodes any of the formats above; TGA has no signature, so stb_image tries it after the others.
// False, with a log line, for a damaged, truncated, unsupported or oversized picture.
bool DecodeWithStb(const uint8_t* data, std::size_t size, TRgbaImage& out);
