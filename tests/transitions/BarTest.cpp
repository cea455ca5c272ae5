// Bar effects 133-140: two bars sliding into place or uncovered in place, 2 px per frame, no final copy.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"

namespace {

constexpr int kTowBarMoveDown = 133;
constexpr int kTowBarWipeDown = 135;
constexpr int kTwoBarMoveLeft = 137;
constexpr int kTwoBarWipeRight = 140;

TEST(Bar, TowBarMoveDownAt401x301SlidesBarsOf201And200ColumnsAndEndsWhole)
{
    ProbeSetup s;
    s.Effect = kTowBarMoveDown;
    s.W = 401;
    s.H = 301;
    s.Probes = {51, 151, 152};
    const ProbeResult r = RunProbe(s);

    // v = 0, 2, ..., 300, then 301.
    ASSERT_EQ(r.Frames, 152);
    EXPECT_EQ(r.Pauses, std::vector<int>(152, 2));
    for (int f : {51, 151}) {
        const int v = 2 * (f - 1);
        const Snapshot& shot = r.Shots.at(f);
        int wrong = 0;
        for (int y = 0; y < 301; ++y)
            for (int x = 0; x < 401; ++x) {
                bool ok;
                if (x < 201 && y < v)
                    ok = Shows(shot, x, y, x, 301 - v + y);  // the left bar's lowest v rows, at the top
                else if (x >= 201 && y >= 301 - v)
                    ok = Shows(shot, x, y, x, y - (301 - v));  // the right bar's highest v rows, at the bottom
                else
                    ok = ShowsBackground(shot, x, y);
                wrong += !ok;
            }
        EXPECT_EQ(wrong, 0) << "frame " << f;
    }
    EXPECT_EQ(Mismatches(r.Shots.at(152), [](int, int) { return true; }), 0);
    EXPECT_TRUE(r.End == r.Shots.at(152));
}

TEST(Bar, TwoBarMoveLeftAt400x300Takes201FramesWithATopBarOf151Rows)
{
    ProbeSetup s;
    s.Effect = kTwoBarMoveLeft;
    s.W = 400;
    s.H = 300;
    s.Probes = {101, 201};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 201);
    EXPECT_EQ(r.Pauses, std::vector<int>(201, 2));
    const int v = 200;
    const Snapshot& shot = r.Shots.at(101);
    int wrong = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            bool ok;
            if (y < 151 && x >= 400 - v)
                ok = Shows(shot, x, y, x - (400 - v), y);  // the top bar enters from the right
            else if (y >= 151 && x < v)
                ok = Shows(shot, x, y, x + 400 - v, y);  // the bottom bar enters from the left
            else
                ok = ShowsBackground(shot, x, y);
            wrong += !ok;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Mismatches(r.Shots.at(201), [](int, int) { return true; }), 0);
}

TEST(Bar, TowBarWipeDownOnAnOddHeightRunsOnePastTheEdge)
{
    ProbeSetup s;
    s.Effect = kTowBarWipeDown;
    s.W = 20;
    s.H = 301;
    s.Probes = {50};
    const ProbeResult r = RunProbe(s);

    // v = 0, 2, ..., 302; the left bar (11 columns) from the top, the right bar from the bottom.
    EXPECT_EQ(r.Frames, 152);
    EXPECT_EQ(Mismatches(r.Shots.at(50), [](int x, int y) { return x < 11 ? y < 98 : y >= 301 - 98; }), 0);
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Bar, AStopHalfWayThroughTwoBarWipeRightLeavesBothHalvesPartlyShown)
{
    ProbeSetup s;
    s.Effect = kTwoBarWipeRight;
    s.W = 100;
    s.H = 40;
    s.StopAtFrame = 26;  // v = 50
    const ProbeResult r = RunProbe(s);

    EXPECT_EQ(r.Frames, 26);
    // Top bar (21 rows) up to the middle from the left, bottom bar from the right, the rest background.
    EXPECT_EQ(Mismatches(r.End, [](int x, int y) { return y < 21 ? x < 50 : x >= 50; }), 0);
}

TEST(Bar, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {133, 2},
        {134, 2},
        {135, 2},
        {136, 2},
        {137, 2},
        {138, 2},
        {139, 2},
        {140, 2},
    });
}

} // namespace
