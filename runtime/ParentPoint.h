// Input that a player's window passes on to its parent: a mouse message's point moves from the window's
// client area into the parent's.
#pragma once

#include <windows.h>

LPARAM MapPointToParent(HWND window, HWND parent, LPARAM lParam);
