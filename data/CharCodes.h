// Small text and colour helpers.
#pragma once

#include <cstdint>
#include <string>

// Each byte of text as a signed 8-bit decimal number, concatenated: "abc" -> "979899", byte 0xE9 -> "-23".
std::string CharCodesString(const std::string& text);

// Keeps the low three bytes of a colour, so system-colour constants are not translated.
inline std::uint32_t MaskColor(std::uint32_t color)
{
    return color & 0xFFFFFFu;
}
