// JPEG and GIF files made at test time with the encoders of libjpeg and giflib.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A JPEG of width x height from 0x00RRGGBB colours, quality 95.
std::vector<uint8_t> EncodeJpeg(int width, int height, const std::function<uint32_t(int, int)>& color);
// A JPEG of one sample value per channel everywhere: 1 channel grayscale, 4 channels CMYK as Adobe
// stores it (255 = no ink).
std::vector<uint8_t> EncodeFlatJpeg(int width, int height, const std::vector<uint8_t>& samples);
// A flat progressive JPEG whose second scan follows itself `repeats` more times.
std::vector<uint8_t> EncodeRepeatedScanJpeg(int width, int height, int repeats);

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
