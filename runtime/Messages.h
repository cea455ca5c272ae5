// The notices the players and the slideshow thread post to the main window and the picture form
// (always posted, never sent, with wParam 0 and lParam 0).
#pragma once

#include <windows.h>

const UINT WM_NEXTMEDIA = 1032;
const UINT WM_TRANSITIONDONE = 1033;
const UINT WM_MUSICDONE = 1034;
const UINT WM_MUSICPAUSE = 1035;
const UINT WM_MUSICRESUME = 1036;
const UINT WM_MEDIASOUNDDONE = 1037;
