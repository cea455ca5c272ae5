// The screen-saver command line as Windows writes it: the program name, then a switch letter after an
// optional "/" or "-", then for some letters a window handle.
#pragma once

#include "runtime/ScrMode.h"

#include <cstdint>

// Sets mode from the switch letter (leaves it unchanged for an unknown letter) and gives the number that
// follows it, or foregroundWindow for a bare configure switch; 0 when there is none.
std::intptr_t ParseScrCommandLine(const char* line, TScrMode& mode, std::intptr_t foregroundWindow);
