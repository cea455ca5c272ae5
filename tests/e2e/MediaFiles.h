// Media files for end-to-end tests, made in memory: PCM sound and uncompressed video.
#pragma once

#include <cstdint>
#include <string>

namespace e2e {

// A mono 8-bit PCM WAV file of silence lasting ms milliseconds.
std::string PcmWav(int ms);
// An uncompressed 24-bit AVI of frames solid frames in one colour (0x00RRGGBB) at fps frames a second.
std::string SolidAvi(int width, int height, int frames, int fps, uint32_t rgb);

} // namespace e2e
