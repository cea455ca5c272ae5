// The device contexts the library hands out: a memory DC with a 32-bpp top-down DIB section selected.
#pragma once

#include <windows.h>

#include "imagelib/RgbaImage.h"

// A new memory DC holding the picture (BGRA, alpha kept in the fourth byte), or 0.
HDC CreateImageDC(const TRgbaImage& image);
// Puts the DC's original bitmap back, then deletes the DIB section and the DC. FALSE for a handle that is not
// a memory DC.
BOOL DeleteImageDC(HDC dc);
