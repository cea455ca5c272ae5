// Which input closes the saver: the name of the close event an input message makes under the user's
// settings, or null when it makes none. Applies in screen-saver mode outside the password prompt only. Also
// when the maximum runtime closes it.
#pragma once

#include "data/SaverData.h"

#include <windows.h>

#include <cstdint>

// Buttons, double clicks, characters and the help key. keyChar is the specified close key as the character
// the window receives (see CloseKeyChar). The Esc and Enter keys close as the characters they make (27, 13).
const char* InputCloseEvent(UINT msg, WPARAM wParam, const SAVER_DATA& data, wchar_t keyChar);
// A mouse move of dx, dy pixels from where the run started.
const char* MouseMoveCloseEvent(int dx, int dy, const SAVER_DATA& data);
// The stored key byte as the character a W window receives for it, through the ANSI code page.
wchar_t CloseKeyChar(const SAVER_DATA& data);
// The maximum runtime in minutes as a window timer's interval: counted in 64 bits and kept within what a
// timer takes, so a long limit never wraps round to a short one.
UINT MaxRuntimeInterval(std::int32_t minutes);
