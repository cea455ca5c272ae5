// MEDIA_SETTING_DATA: the 164-byte binary field "data" of a "setting" record (one slide).
// Integers are signed 32-bit little-endian, colours 0x00BBGGRR, flags bytes (0 = off).
// Reserved bytes have no reader; they are kept as stored.
#pragma once

#include <cstddef>
#include <cstdint>

struct MEDIA_SETTING_DATA {
    std::uint8_t Reserved0[4];
    std::uint8_t DrawTransparent;      // colour-keyed draw instead of a plain stretch
    std::uint8_t MusicOn;              // background music plays during this slide
    std::uint8_t TitleShown;
    std::uint8_t Reserved7;
    std::uint8_t TitleCharset;
    std::uint8_t Reserved9[3];
    std::int32_t TitleColor;
    std::int32_t TitleFontSize;        // points
    std::int32_t TitlePosition;        // 0 to 9, 9 = at TitleX, TitleY
    std::int32_t TitleX;
    std::int32_t TitleY;
    std::uint8_t DescShown;            // text block shown
    std::uint8_t Reserved33[3];
    std::uint8_t DescCharset;
    std::uint8_t Reserved37[3];
    std::int32_t DescColor;
    std::int32_t DescFontSize;
    std::int32_t DescPosition;
    std::int32_t DescX;
    std::int32_t DescY;
    std::uint8_t BackSolidAllowed;
    std::uint8_t BackPictureAllowed;
    std::uint8_t BackGradientAllowed;
    std::uint8_t Reserved63;
    std::int32_t SolidColor;
    std::int32_t GradientFromColor;
    std::int32_t GradientToColor;
    std::uint8_t EffectOn;             // 0: shown without a transition effect
    std::uint8_t EffectRandom;         // effects at random, else in turn
    std::uint8_t Reserved78[2];
    std::int32_t Step;                 // transition step in pixels per frame
    std::uint8_t Reserved84[20];
    std::int32_t MediaType;            // 0 picture, 1 Flash movie, 2 video
    std::int32_t FlashBackColor;
    std::int32_t FlashAlignMode;
    std::int32_t FlashScaleMode;
    std::int32_t VideoSizeMode;        // 0 to 5
    std::uint8_t BackFromDesktop;
    std::uint8_t BackFromProjectImage;
    std::uint8_t BackFromTable;        // table "backimage"
    std::uint8_t GradientFromPresets;
    std::uint8_t SolidFromPresets;
    std::uint8_t Reserved129[3];
    std::int32_t BackLayout;
    std::int32_t TileCount;
    std::uint8_t Reserved140;
    std::uint8_t RandomTiles;
    std::uint8_t Reserved142[2];
    std::int32_t FlashEndMode;         // 0 end frame, 1 seconds, 2 never, other: when the movie stops
    std::int32_t FlashEndFrame;
    std::uint8_t Reserved152[4];
    std::int32_t FlashSeconds;
    std::uint8_t FlashMouseMoves;
    std::uint8_t FlashMouseClicks;
    std::uint8_t Reserved162[2];
};

static_assert(sizeof(MEDIA_SETTING_DATA) == 164, "MEDIA_SETTING_DATA is 164 bytes");
static_assert(offsetof(MEDIA_SETTING_DATA, DrawTransparent) == 4, "offset 4");
static_assert(offsetof(MEDIA_SETTING_DATA, MusicOn) == 5, "offset 5");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleShown) == 6, "offset 6");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleCharset) == 8, "offset 8");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleColor) == 12, "offset 12");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleFontSize) == 16, "offset 16");
static_assert(offsetof(MEDIA_SETTING_DATA, TitlePosition) == 20, "offset 20");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleX) == 24, "offset 24");
static_assert(offsetof(MEDIA_SETTING_DATA, TitleY) == 28, "offset 28");
static_assert(offsetof(MEDIA_SETTING_DATA, DescShown) == 32, "offset 32");
static_assert(offsetof(MEDIA_SETTING_DATA, DescCharset) == 36, "offset 36");
static_assert(offsetof(MEDIA_SETTING_DATA, DescColor) == 40, "offset 40");
static_assert(offsetof(MEDIA_SETTING_DATA, DescFontSize) == 44, "offset 44");
static_assert(offsetof(MEDIA_SETTING_DATA, DescPosition) == 48, "offset 48");
static_assert(offsetof(MEDIA_SETTING_DATA, DescX) == 52, "offset 52");
static_assert(offsetof(MEDIA_SETTING_DATA, DescY) == 56, "offset 56");
static_assert(offsetof(MEDIA_SETTING_DATA, BackSolidAllowed) == 60, "offset 60");
static_assert(offsetof(MEDIA_SETTING_DATA, BackPictureAllowed) == 61, "offset 61");
static_assert(offsetof(MEDIA_SETTING_DATA, BackGradientAllowed) == 62, "offset 62");
static_assert(offsetof(MEDIA_SETTING_DATA, SolidColor) == 64, "offset 64");
static_assert(offsetof(MEDIA_SETTING_DATA, GradientFromColor) == 68, "offset 68");
static_assert(offsetof(MEDIA_SETTING_DATA, GradientToColor) == 72, "offset 72");
static_assert(offsetof(MEDIA_SETTING_DATA, EffectOn) == 76, "offset 76");
static_assert(offsetof(MEDIA_SETTING_DATA, EffectRandom) == 77, "offset 77");
static_assert(offsetof(MEDIA_SETTING_DATA, Step) == 80, "offset 80");
static_assert(offsetof(MEDIA_SETTING_DATA, MediaType) == 104, "offset 104");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashBackColor) == 108, "offset 108");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashAlignMode) == 112, "offset 112");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashScaleMode) == 116, "offset 116");
static_assert(offsetof(MEDIA_SETTING_DATA, VideoSizeMode) == 120, "offset 120");
static_assert(offsetof(MEDIA_SETTING_DATA, BackFromDesktop) == 124, "offset 124");
static_assert(offsetof(MEDIA_SETTING_DATA, BackFromProjectImage) == 125, "offset 125");
static_assert(offsetof(MEDIA_SETTING_DATA, BackFromTable) == 126, "offset 126");
static_assert(offsetof(MEDIA_SETTING_DATA, GradientFromPresets) == 127, "offset 127");
static_assert(offsetof(MEDIA_SETTING_DATA, SolidFromPresets) == 128, "offset 128");
static_assert(offsetof(MEDIA_SETTING_DATA, BackLayout) == 132, "offset 132");
static_assert(offsetof(MEDIA_SETTING_DATA, TileCount) == 136, "offset 136");
static_assert(offsetof(MEDIA_SETTING_DATA, RandomTiles) == 141, "offset 141");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashEndMode) == 144, "offset 144");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashEndFrame) == 148, "offset 148");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashSeconds) == 156, "offset 156");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashMouseMoves) == 160, "offset 160");
static_assert(offsetof(MEDIA_SETTING_DATA, FlashMouseClicks) == 161, "offset 161");
