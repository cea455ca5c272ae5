// The class library's pseudo-random generator: a 32-bit state of its own, apart from the runtime's rand.
#pragma once

// Seeds the generator from the clock.
void Randomize();
// 0 to n - 1; 0 without a draw when n <= 0.
int Random(int n);
