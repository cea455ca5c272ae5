// stb_image reads zeros past the end of its input instead of failing, trusts PNG chunk lengths before
// reading them, overflows on long PNM numbers and reads past its buffer converting 16-bit PNM. These checks
// walk the headers first and refuse input that does not hold all it declares, or that stb_image mishandles.
#pragma once

#include <cstddef>
#include <cstdint>

// Every chunk up to IEND lies within the bytes.
bool PngChunksComplete(const uint8_t* data, std::size_t size);
// A binary PNM (P5, P6) of 8-bit samples (largest value 1 to 255) whose raw pixel data is all there.
bool PnmDataComplete8Bit(const uint8_t* data, std::size_t size);
// The pixel data of the channels a PSD decode reads (at most four) is all there.
bool PsdDataComplete(const uint8_t* data, std::size_t size);
// The pixel data of a TGA picture, raw or run-length encoded, is all there.
bool TgaDataComplete(const uint8_t* data, std::size_t size);
