#include "ProgramBench.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TransitionBench> g_Bench;

class BenchCleanup : public ::testing::Environment {
public:
    void TearDown() override { g_Bench.reset(); }
};
const auto* const g_Cleanup = ::testing::AddGlobalTestEnvironment(new BenchCleanup);

} // namespace

TransitionBench& ProgramBench(int clientW, int clientH, int slot)
{
    if (!g_Bench)
        g_Bench = std::make_unique<TransitionBench>(clientW, clientH, WindowSlot(slot));
    return *g_Bench;
}
