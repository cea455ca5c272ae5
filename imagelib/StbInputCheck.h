// stb_image reads zeros past the end of its input instead of failing, and trusts PNG chunk lengths before
// reading them. These checks walk the headers first and refuse input that does not hold all it declares.
#pragma once

#include <cstddef>
#include <cstdint>

// Every chunk up to IEND lies within the bytes.
bool PngChunksComplete(const uint8_t* data, std::size_t size);
// The raw pixel data of a binary PNM (P5, P6) is all there.
bool PnmDataComplete(const uint8_t* data, std::size_t size);
// The pixel data of the channels a PSD decode reads (at most four) is all there.
bool PsdDataComplete(const uint8_t* data, std::size_t size);
// The pixel data of a TGA picture, raw or run-length encoded, is all there.
bool TgaDataComplete(const uint8_t* data, std::size_t size);
