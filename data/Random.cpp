#include "data/Random.h"

#include <ctime>

namespace {

// One state per thread, starting from the default seed 1 like the runtime's generator.
thread_local std::uint32_t t_State = 1;

std::uint32_t Step()
{
    t_State = t_State * 0x015A4E35u + 1u;
    return t_State;
}

} // namespace

namespace rtl {

void srand(unsigned seed)
{
    t_State = seed;
    Step();
}

int rand()
{
    return static_cast<int>((Step() >> 16) & 0x7FFFu);
}

// One step of the same state; the result is the state's upper 31 bits (state >> 1).
// The upper bits of this generator are its best mixed ones, so they are the ones kept.
int rand31()
{
    return static_cast<int>(Step() >> 1);
}

} // namespace rtl

void InitRandom()
{
    rtl::srand(static_cast<unsigned>(std::time(nullptr)));
}

int RandomInt(int n)
{
    if (n <= 0)
        return 0;
    return rtl::rand() % n;
}
