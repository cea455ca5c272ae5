// PROJECT_DATA: the 80-byte field "data" of the single "project" record.
// Integers are signed 32-bit little-endian, flags bytes (0 = off). Reserved bytes have no reader.
#pragma once

#include <cstddef>
#include <cstdint>

struct PROJECT_DATA {
    std::uint8_t Reserved0[8];
    std::int32_t RunAsProgram;         // 1: always an ordinary program, whatever the command line
    std::uint8_t Reserved12[8];
    std::uint8_t RandomPosition;       // pictures and videos at random positions instead of centred
    std::uint8_t ShuffleSlides;
    std::uint8_t Reserved22[2];
    std::int32_t MediaDelay;           // seconds between two media; 0 or less moves on at once
    std::uint8_t LoopMusic;
    std::uint8_t Reserved29[3];
    std::int32_t MusicGap;             // seconds between two background-music tracks
    std::uint8_t RandomMusic;
    std::uint8_t ShowBanner;           // settings dialog shows the banner picture
    std::uint8_t HasPublisher;         // settings dialog shows its "Publisher" page
    std::uint8_t Reserved39[19];
    std::uint8_t EmbeddedMedia;        // media in table "media" instead of files beside the program
    std::uint8_t EmbeddedMusic;        // music in blob "music" of table "music"
    std::int32_t BackgroundMode;       // 0 background first, 1 compose on a copy of the background
    std::int32_t FitMode;              // 0 shrink when larger, 1 fit, 2 fill, 3 stretch
    std::uint8_t RelativePaths;        // non-embedded media relative to the program's folder
    std::uint8_t Reserved69[7];
    std::uint8_t HasPictures;          // settings dialog shows its "Transition Effects" page
    std::uint8_t Reserved77[3];
};

static_assert(sizeof(PROJECT_DATA) == 80, "PROJECT_DATA is stored as 80 bytes");
static_assert(offsetof(PROJECT_DATA, RunAsProgram) == 8, "offset");
static_assert(offsetof(PROJECT_DATA, RandomPosition) == 20, "offset");
static_assert(offsetof(PROJECT_DATA, ShuffleSlides) == 21, "offset");
static_assert(offsetof(PROJECT_DATA, MediaDelay) == 24, "offset");
static_assert(offsetof(PROJECT_DATA, LoopMusic) == 28, "offset");
static_assert(offsetof(PROJECT_DATA, MusicGap) == 32, "offset");
static_assert(offsetof(PROJECT_DATA, RandomMusic) == 36, "offset");
static_assert(offsetof(PROJECT_DATA, ShowBanner) == 37, "offset");
static_assert(offsetof(PROJECT_DATA, HasPublisher) == 38, "offset");
static_assert(offsetof(PROJECT_DATA, EmbeddedMedia) == 58, "offset");
static_assert(offsetof(PROJECT_DATA, EmbeddedMusic) == 59, "offset");
static_assert(offsetof(PROJECT_DATA, BackgroundMode) == 60, "offset");
static_assert(offsetof(PROJECT_DATA, FitMode) == 64, "offset");
static_assert(offsetof(PROJECT_DATA, RelativePaths) == 68, "offset");
static_assert(offsetof(PROJECT_DATA, HasPictures) == 76, "offset");
