// Colours in the class library's manner: 0x00BBGGRR, or a system-colour constant with the top byte 0xFF.
#pragma once

#include <windows.h>

#include <cstdint>

typedef uint32_t TColor;

const TColor clBlack = 0x000000;
const TColor clWhite = 0xFFFFFF;
// System-colour constants: 0xFF000000 | COLOR_xxx index.
const TColor clSystemColor = 0xFF000000;

// The plain RGB value GDI is given: system-colour constants become the current system colour.
COLORREF ColorToRGB(TColor color);
