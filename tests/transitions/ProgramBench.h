// The one bench of a test program: its window is made on first use and destroyed once all tests have run,
// before the program's exit.
#pragma once

#include "TransitionHarness.h"

// A clientW x clientH window at WindowSlot(slot) on the first call; later calls return the same bench.
TransitionBench& ProgramBench(int clientW, int clientH, int slot);
