// Picks the decoder for a block of bytes by its content and decodes it.
#pragma once

#include "imagelib/RgbaImage.h"

// The format code the caller passes for names of the TGA group (".tga", ".vst", ".icb", ".vda", ".win").
constexpr int kTargaFormatCode = 6;

// True when the file name contains a text of the TGA group (letters A to Z compared without case).
bool IsTargaName(const char* fileName);

// Decodes PNG, PSD, binary PNM, TIFF, PCX and SGI content whatever its name; TGA content, which has no
// signature, only when allowTarga is set. False, with a log line, when nothing decodes the bytes.
bool DecodePicture(const uint8_t* data, std::size_t size, bool allowTarga, TRgbaImage& out);
