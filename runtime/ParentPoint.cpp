#include "runtime/ParentPoint.h"

#include <windowsx.h>

LPARAM MapPointToParent(HWND window, HWND parent, LPARAM lParam)
{
    // Signed, so a point left of or above the window keeps its place instead of wrapping.
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &p);
    ScreenToClient(parent, &p);
    return MAKELPARAM(p.x, p.y);
}
