// The program's operator new and delete, over malloc and free, with the failure that TFailingAllocation arms.
#include "FailingAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allowed{-1};  // allocations left before the failing one; -1 when none is armed
std::atomic<bool> g_failed{false};

} // namespace

TFailingAllocation::TFailingAllocation(long allowed)
{
    g_failed = false;
    g_allowed = allowed;
}

TFailingAllocation::~TFailingAllocation()
{
    g_allowed = -1;
}

bool TFailingAllocation::Happened() const
{
    return g_failed;
}

void* operator new(std::size_t size)
{
    long left = g_allowed.load();
    while (left >= 0 && !g_allowed.compare_exchange_weak(left, left - 1)) {
    }
    if (left == 0) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
