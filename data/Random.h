// The runtime's own pseudo-random generator and the helpers built on it.
// Never the C runtime's rand: random choices must follow this exact sequence.
#pragma once

#include <cstdint>

namespace rtl {

// Sets the state to seed, then draws once and discards the value.
void srand(unsigned seed);
// 15-bit draw: state = state * 0x015A4E35 + 1, result (state >> 16) & 0x7FFF, so 0 to 32767.
int rand();
// 31-bit draw on the same state (0 to 2^31 - 1); used by the shuffle bags.
int rand31();

} // namespace rtl

// Seeds the generator with the current time in seconds.
void InitRandom();
// A 15-bit draw modulo n; 0 without a draw when n <= 0.
int RandomInt(int n);
