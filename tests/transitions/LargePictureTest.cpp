// Pictures large enough for the helper threads, with the frames of the composing effects composed in the back
// buffer itself (or, overhanging the client, in a temporary), region copies reaching the back buffer from the
// region's rectangles, and the effects that copy only what a frame adds: one effect of each route keeps the
// battery's every-frame rules.
#include <gtest/gtest.h>

#include "ProgramBench.h"
#include "TransitionHarness.h"
#include "transitions/EffectTable.h"

namespace {

constexpr int kClientW = 420;
constexpr int kClientH = 320;
constexpr int kW = 400;
constexpr int kH = 290;

TEST(LargePicture, EveryRouteKeepsTheTargetsEqualAndEndsWithThePicture)
{
    TransitionBench& bench = ProgramBench(kClientW, kClientH, 3);
    // Band corner and centre, Circle, Increase, Move, Multi-Wipe, Show comb, Stretch, Tow bar wipe, Wedge.
    for (int effect : {2, 8, 33, 47, 76, 91, 116, 124, 135, 141}) {
        const unsigned traits = g_EffectTable[effect].Traits;
        const POINT placements[] = {{3, 4}, {kClientW - kW / 2 - 1, -(kH / 2) - 1}};
        for (const POINT& at : placements) {
            RunSetup s;
            s.Effect = effect;
            s.W = kW;
            s.H = kH;
            s.X = at.x;
            s.Y = at.y;
            s.Step = 7;
            s.RevealsInPlace = (traits & kRevealsInPlace) != 0;
            s.MovesPicture = (traits & kMovesPicture) != 0;
            const RunResult r = bench.Run(s);
            for (const std::string& p : r.Problems)
                ADD_FAILURE() << "effect " << effect << " at " << at.x << "," << at.y << ": " << p;
            EXPECT_TRUE(r.EndWindow == r.EndBuffer) << "effect " << effect;
            int wrong = 0;
            for (int y = 0; y < kClientH; ++y)
                for (int x = 0; x < kClientW; ++x)
                    wrong += r.EndBuffer.At(x, y) != bench.Expected(s, x, y);
            EXPECT_EQ(wrong, 0) << "effect " << effect << " at " << at.x << "," << at.y << ": end state";
            EXPECT_EQ(r.LiveTempPicturesAfter, 0) << "effect " << effect;
        }
    }
}

} // namespace
