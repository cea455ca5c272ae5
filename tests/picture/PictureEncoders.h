// GIF files made at test time with the encoder of giflib, and the JPEG ones of JpegEncoders.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/picture/JpegEncoders.h"

// A GIF89a: one frame of colour indices (row-major, frameWidth x frameHeight) at (left, top) on a screen of
// screenWidth x screenHeight, with a 16-entry palette; transparentIndex -1 for none. A second frame of
// index 1 everywhere follows, which decoders of the first frame must ignore.
struct TGifLayout {
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int Left = 0;
    int Top = 0;
    int FrameWidth = 0;
    int FrameHeight = 0;
    bool Interlace = false;
    int TransparentIndex = -1;
    std::vector<uint32_t> Palette;  // 16 colours 0x00RRGGBB
    std::vector<uint8_t> Indices;
};
std::vector<uint8_t> EncodeGif(const TGifLayout& layout);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
