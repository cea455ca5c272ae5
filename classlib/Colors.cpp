#include "classlib/Colors.h"

COLORREF ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == clSystemColor)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF;
}
