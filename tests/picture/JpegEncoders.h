// JPEG files made at test time with the encoder of libjpeg.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A JPEG of width x height from 0x00RRGGBB colours, quality 95.
std::vector<uint8_t> EncodeJpeg(int width, int height, const std::function<uint32_t(int, int)>& color);
// A JPEG of one sample value per channel everywhere: 1 channel grayscale, 4 channels CMYK as Adobe
// stores it (255 = no ink).
std::vector<uint8_t> EncodeFlatJpeg(int width, int height, const std::vector<uint8_t>& samples);
// A flat progressive JPEG whose second scan follows itself `repeats` more times.
std::vector<uint8_t> EncodeRepeatedScanJpeg(int width, int height, int repeats);
