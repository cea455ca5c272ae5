// Sweep effects 129-132: a band of 20 cells moving 20 px per frame, each cell showing 1 to 20 px of itself.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"

namespace {

constexpr int kSweepDown = 129;
constexpr int kSweepLeft = 130;
constexpr int kSweepRight = 131;
constexpr int kSweepUp = 132;

bool Nothing(int, int)
{
    return false;
}

bool Everything(int, int)
{
    return true;
}

TEST(Sweep, RightAcross400ColumnsTakes40FramesOf30Ms)
{
    ProbeSetup s;
    s.Effect = kSweepRight;
    s.W = 400;
    s.H = 10;
    s.Probes = {1, 2, 3, 40};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 40);
    EXPECT_EQ(r.Pauses, std::vector<int>(40, 30));
    EXPECT_EQ(Mismatches(r.Shots.at(1), Nothing), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(2), [](int x, int) { return x == 0; }), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(3), [](int x, int) { return x < 2 || x == 20; }), 0);
    // The last frame makes the cell holding the last column whole.
    EXPECT_EQ(Mismatches(r.Shots.at(40), Everything), 0);
}

TEST(Sweep, DownShowsRow0InTheSecondFrameAndRows0To1And20InTheThird)
{
    ProbeSetup s;
    s.Effect = kSweepDown;
    s.W = 10;
    s.H = 300;
    s.Probes = {1, 2, 3};
    const ProbeResult r = RunProbe(s);

    EXPECT_EQ(r.Frames, 35);  // (300 + 400) / 20
    EXPECT_EQ(Mismatches(r.Shots.at(1), Nothing), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(2), [](int, int y) { return y == 0; }), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(3), [](int, int y) { return y < 2 || y == 20; }), 0);
    EXPECT_EQ(Mismatches(r.End, Everything), 0);
}

TEST(Sweep, LeftAcross400ColumnsTakes61FramesOfWhichTheFirst22ShowNoChange)
{
    ProbeSetup s;
    s.Effect = kSweepLeft;
    s.W = 400;
    s.H = 10;
    s.Probes = {22, 23, 61};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 61);
    EXPECT_EQ(r.Pauses, std::vector<int>(61, 30));
    EXPECT_EQ(Mismatches(r.Shots.at(22), Nothing), 0);
    // o = 360: the leading cell shows column 380.
    EXPECT_EQ(Mismatches(r.Shots.at(23), [](int x, int) { return x == 380; }), 0);
    // In the last frame cell 20 covers the cell that holds column 0.
    EXPECT_EQ(Mismatches(r.Shots.at(61), Everything), 0);
}

TEST(Sweep, SmallPicturesStillRunTheWholeBandPast)
{
    struct Case {
        int Effect, W, H, Frames;
    };
    const Case cases[] = {{kSweepRight, 10, 5, 21}, {kSweepDown, 5, 10, 21}, {kSweepLeft, 10, 5, 42}, {kSweepUp, 5, 10, 42}};
    for (const Case& c : cases) {
        ProbeSetup s;
        s.Effect = c.Effect;
        s.W = c.W;
        s.H = c.H;
        const ProbeResult r = RunProbe(s);
        EXPECT_EQ(r.Frames, c.Frames) << c.Effect;
        EXPECT_EQ(Mismatches(r.End, Everything), 0) << c.Effect;
    }
}

TEST(Sweep, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {129, 30},
        {130, 30},
        {131, 30},
        {132, 30},
    });
}

} // namespace
