// Media files for end-to-end tests, made in memory: PCM sound and uncompressed video.
#pragma once

#include <cstdint>
#include <string>

namespace e2e {

// A mono PCM WAV file of silence lasting ms milliseconds, of 8 bits a sample unless told. Wine's sound device
// opens one of 64 bits and accepts its play, but it never starts (stopped at position 0 for good).
std::string PcmWav(int ms, uint16_t bits = 8);
// An uncompressed 24-bit AVI of frames solid frames in one colour (0x00RRGGBB) at fps frames a second.
std::string SolidAvi(int width, int height, int frames, int fps, uint32_t rgb);

} // namespace e2e
