// SAVER_DATA: the user's 72-byte settings block, 18 little-endian 32-bit words, stored as registry value "data".
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

struct SAVER_DATA {
    std::int32_t DialogMouseThreshold = 5;   // the dialog saves the threshold here too (1 to 100)
    std::int32_t AnyEvent = 1;               // every handled input closes
    std::int32_t CloseOnMouseMove = 1;
    std::int32_t CloseOnLeftClick = 0;
    std::int32_t CloseOnRightClick = 1;
    std::int32_t CloseOnDoubleClick = 1;
    std::int32_t CloseOnEsc = 1;
    std::int32_t CloseOnEnter = 1;
    std::int32_t CloseOnKey = 0;
    std::int32_t CloseKey = 65;              // low byte: the character
    std::int32_t BackgroundSound = 1;
    std::int32_t MaxRuntimeOn = 0;
    std::int32_t MaxRuntimeMinutes = 60;
    std::int32_t MouseMoveThreshold = 20;    // pixels; the cursor must move strictly more
    std::int32_t OnlySelectedEffects = 0;    // slides take music, random, step and effects from these settings
    std::int32_t RandomEffects = 1;
    std::int32_t TransitionStep = 25;        // pixels per frame
    std::int32_t ScreenIndex = 0;            // 0 the whole virtual screen, n monitor n
};

constexpr std::size_t kSaverDataSize = 72;

static_assert(sizeof(SAVER_DATA) == kSaverDataSize, "SAVER_DATA is 72 bytes");
static_assert(std::is_trivially_copyable<SAVER_DATA>::value, "SAVER_DATA is copied as bytes");
static_assert(offsetof(SAVER_DATA, DialogMouseThreshold) == 0, "offset 0");
static_assert(offsetof(SAVER_DATA, AnyEvent) == 4, "offset 4");
static_assert(offsetof(SAVER_DATA, CloseOnMouseMove) == 8, "offset 8");
static_assert(offsetof(SAVER_DATA, CloseOnLeftClick) == 12, "offset 12");
static_assert(offsetof(SAVER_DATA, CloseOnRightClick) == 16, "offset 16");
static_assert(offsetof(SAVER_DATA, CloseOnDoubleClick) == 20, "offset 20");
static_assert(offsetof(SAVER_DATA, CloseOnEsc) == 24, "offset 24");
static_assert(offsetof(SAVER_DATA, CloseOnEnter) == 28, "offset 28");
static_assert(offsetof(SAVER_DATA, CloseOnKey) == 32, "offset 32");
static_assert(offsetof(SAVER_DATA, CloseKey) == 36, "offset 36");
static_assert(offsetof(SAVER_DATA, BackgroundSound) == 40, "offset 40");
static_assert(offsetof(SAVER_DATA, MaxRuntimeOn) == 44, "offset 44");
static_assert(offsetof(SAVER_DATA, MaxRuntimeMinutes) == 48, "offset 48");
static_assert(offsetof(SAVER_DATA, MouseMoveThreshold) == 52, "offset 52");
static_assert(offsetof(SAVER_DATA, OnlySelectedEffects) == 56, "offset 56");
static_assert(offsetof(SAVER_DATA, RandomEffects) == 60, "offset 60");
static_assert(offsetof(SAVER_DATA, TransitionStep) == 64, "offset 64");
static_assert(offsetof(SAVER_DATA, ScreenIndex) == 68, "offset 68");

// The block as its 72 stored bytes, and back. Decoding n < 72 bytes replaces only the block's first n bytes.
void EncodeSaverData(const SAVER_DATA& data, std::uint8_t (&bytes)[kSaverDataSize]);
void DecodeSaverData(const std::uint8_t* bytes, std::size_t n, SAVER_DATA& data);
