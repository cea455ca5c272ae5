// The battery every effect number runs: end state, untouched surroundings, window equal to the back buffer at
// every frame, no clip region left, counters back to zero, a frame cap, reveal-in-place where the effect
// reveals in place, and stopping at the first frame and mid-run. Numbers without a routine yet are listed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ProgramBench.h"
#include "TransitionHarness.h"
#include "transitions/EffectTable.h"

namespace {

constexpr int kClientW = 120;
constexpr int kClientH = 80;

struct Size {
    int W, H;
};
const Size kSizes[] = {{1, 1}, {2, 3}, {9, 7}, {30, 17}, {61, 47}, {47, 61}, {101, 33}};

TransitionBench& Bench()
{
    return ProgramBench(kClientW, kClientH, 0);
}

std::vector<int> AllNumbers()
{
    std::vector<int> numbers{-1};
    for (int n = 0; n < kEffectCount; ++n)
        numbers.push_back(n);
    return numbers;
}

unsigned TraitsOf(int effect)
{
    return effect >= 0 ? g_EffectTable[effect].Traits : kRevealsInPlace | kFinalCopyOnStop;
}

std::string Describe(const RunSetup& s)
{
    char text[128];
    std::snprintf(text, sizeof text, "effect %d, %dx%d at (%d,%d), step %d", s.Effect, s.W, s.H, s.X, s.Y, s.Step);
    return text;
}

void ExpectNoProblems(const RunResult& r, const RunSetup& s)
{
    for (const std::string& p : r.Problems)
        ADD_FAILURE() << Describe(s) << ": " << p;
    EXPECT_EQ(r.LiveRegionsAfter, 0) << Describe(s);
    EXPECT_EQ(r.LiveTempPicturesAfter, 0) << Describe(s);
    EXPECT_TRUE(r.EndWindow == r.EndBuffer) << Describe(s) << ": window and back buffer differ at the end";
}

// Pauses at the ends of frames: those of the row's length (some members also sleep once inside a frame).
size_t FramePauses(const RunResult& r, int effect)
{
    if (effect < 0)
        return r.Pauses.size();
    return static_cast<size_t>(std::count(r.Pauses.begin(), r.Pauses.end(), g_EffectTable[effect].PauseMs));
}

// Number of client pixels whose value differs from what a complete transition shows.
int WrongPixels(const TransitionBench& bench, const RunSetup& s, const Snapshot& shot)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            wrong += shot.At(x, y) != bench.Expected(s, x, y);
    return wrong;
}

class Battery : public ::testing::TestWithParam<int> {};

TEST_P(Battery, EveryRunEndsWithThePictureAndKeepsTheTargetsEqual)
{
    const int effect = GetParam();
    const unsigned traits = TraitsOf(effect);
    std::vector<int> steps{1};
    if (traits & kUsesStep)
        steps = {1, 25, 77};
    for (const Size& size : kSizes) {
        // Inside the client area, and overhanging its right and top edges.
        const POINT placements[] = {{3, 4}, {kClientW - size.W / 2 - 1, -(size.H / 2) - 1}};
        for (const POINT& at : placements)
            for (int step : steps) {
                RunSetup s;
                s.Effect = effect;
                s.W = size.W;
                s.H = size.H;
                s.X = at.x;
                s.Y = at.y;
                s.Step = step;
                s.RevealsInPlace = (traits & kRevealsInPlace) != 0;
                s.MovesPicture = (traits & kMovesPicture) != 0;
                const RunResult r = Bench().Run(s);
                ExpectNoProblems(r, s);
                EXPECT_EQ(WrongPixels(Bench(), s, r.EndBuffer), 0) << Describe(s) << ": end state";
                EXPECT_EQ(FramePauses(r, effect), static_cast<size_t>(r.Frames)) << Describe(s);
                if (HasFailure())
                    return;
            }
    }
}

TEST_P(Battery, StopsAtTheFirstFrameAndMidRun)
{
    const int effect = GetParam();
    const unsigned traits = TraitsOf(effect);
    RunSetup s;
    s.Effect = effect;
    s.W = 30;
    s.H = 17;
    s.Step = 4;
    const RunResult full = Bench().Run(s);
    if (full.Frames == 0) {
        SUCCEED() << "effect " << effect << " draws in one copy";
        return;
    }

    for (int stopAt : {1, (full.Frames + 1) / 2}) {
        for (bool viaMessage : {false, true}) {
            RunSetup stop = s;
            (viaMessage ? stop.PostStopAtFrame : stop.StopAtFrame) = stopAt;
            const RunResult r = Bench().Run(stop);
            const std::string what = Describe(stop) + (viaMessage ? ", posted stop at " : ", stop at ") +
                                     std::to_string(stopAt);
            ExpectNoProblems(r, stop);
            EXPECT_EQ(r.Frames, stopAt) << what;
            EXPECT_EQ(FramePauses(r, effect), static_cast<size_t>(stopAt - 1)) << what;
            if (traits & kFinalCopyOnStop)
                EXPECT_EQ(WrongPixels(Bench(), stop, r.EndBuffer), 0) << what << ": final copy expected";
            else
                EXPECT_TRUE(r.EndBuffer == r.LastFrame) << what << ": the last frame should stay";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(All, Battery, ::testing::ValuesIn(AllNumbers()),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param < 0 ? std::string("none") : "n" + std::to_string(info.param);
                         });

TEST(BatteryCoverage, EveryNumberHasItsRoutine)
{
    for (int n = 0; n < kEffectCount; ++n)
        EXPECT_NE(g_EffectTable[n].Routine, nullptr) << n;
}

} // namespace
