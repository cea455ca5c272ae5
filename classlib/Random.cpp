#include "classlib/Random.h"

#include <chrono>
#include <cstdint>

namespace {

std::uint32_t g_RandSeed = 0;

} // namespace

void Randomize()
{
    g_RandSeed = static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

int Random(int n)
{
    if (n <= 0)
        return 0;
    g_RandSeed = g_RandSeed * 134775813u + 1u;
    // The high half of state x n: every draw in range, and the state's best bits decide.
    return static_cast<int>((static_cast<std::uint64_t>(g_RandSeed) * static_cast<std::uint32_t>(n)) >> 32);
}
