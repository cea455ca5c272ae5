// Wedge wipe effects 141-144 (three phases around an apex near the centre) and Window blind effects 145-148
// (20 frames, one line of every 20-px slat each).
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"
#include "CentredPicture.h"

namespace {

constexpr int kWedgeWipeDown = 141;
constexpr int kWedgeWipeLeft = 142;
constexpr int kWindowBlindDown = 145;
constexpr int kWindowBlindLeft = 146;
constexpr int kWindowBlindRight = 147;
constexpr int kWindowBlindUp = 148;

TEST(WedgeWipe, DownAt400x300RunsItsThreePhasesAroundTheApex201_151)
{
    ProbeSetup s;
    s.Effect = kWedgeWipeDown;
    s.W = 400;
    s.H = 300;
    // Phase 0 v = 1..201 (101 frames), phase 1 v = 0..300 (151), phase 2 v = 201..1 (101).
    const int phase1 = 102, phase2 = 253;
    s.Probes = {51, phase1 + 75, phase2 + 50};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 353);
    EXPECT_EQ(r.Pauses, std::vector<int>(353, 2));

    // v = 101: the wedge (302, 0), (201, 151), (100, 0) opens on the top edge.
    const Snapshot& open = r.Shots.at(51);
    EXPECT_TRUE(ShowsOwn(open, 201, 5));
    EXPECT_TRUE(ShowsOwn(open, 201, 140));
    EXPECT_TRUE(ShowsOwn(open, 120, 5));
    EXPECT_TRUE(ShowsBackground(open, 90, 5));
    EXPECT_TRUE(ShowsBackground(open, 310, 5));
    EXPECT_TRUE(ShowsBackground(open, 201, 160));

    // v = 150: the arms lie along the sides; everything above row 150 shows.
    const Snapshot& sweep = r.Shots.at(phase1 + 75);
    int wrong = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            if (y < 149)
                wrong += !ShowsOwn(sweep, x, y);
            else if (y > 152)
                wrong += !ShowsBackground(sweep, x, y);
        }
    EXPECT_EQ(wrong, 0) << "rows 149 to 152 lie on the arms";

    // Phase 2, v = 101: only the triangle (100, 300), (201, 151), (302, 300) on the bottom edge is left.
    const Snapshot& close = r.Shots.at(phase2 + 50);
    EXPECT_TRUE(ShowsBackground(close, 201, 290));
    EXPECT_TRUE(ShowsBackground(close, 201, 160));
    EXPECT_TRUE(ShowsOwn(close, 90, 295));
    EXPECT_TRUE(ShowsOwn(close, 310, 295));
    EXPECT_TRUE(ShowsOwn(close, 201, 140));
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(WedgeWipe, LeftAt400x300OpensOnTheRightEdge)
{
    ProbeSetup s;
    s.Effect = kWedgeWipeLeft;
    s.W = 400;
    s.H = 300;
    s.Probes = {76};
    const ProbeResult r = RunProbe(s);

    // Phase 0 v = 1..151 (76 frames), phase 1 v = 400..0 (201), phase 2 v = 151..1 (76).
    ASSERT_EQ(r.Frames, 353);
    const Snapshot& open = r.Shots.at(76);
    EXPECT_TRUE(ShowsOwn(open, 395, 151));
    EXPECT_TRUE(ShowsOwn(open, 395, 5));
    EXPECT_TRUE(ShowsOwn(open, 395, 295));
    EXPECT_TRUE(ShowsBackground(open, 5, 151));
    EXPECT_TRUE(ShowsBackground(open, 190, 151));
}

// The line (row or column index) frame f copies in each slat, from the member's description.
int BlindLine(int effect, int frame)
{
    return effect == kWindowBlindDown || effect == kWindowBlindRight ? frame - 1 : 20 - frame;
}

TEST(WindowBlind, EveryMemberTakes20FramesOf30MsAndEndsWithoutACopy)
{
    for (int effect : {kWindowBlindDown, kWindowBlindLeft, kWindowBlindRight, kWindowBlindUp}) {
        const bool columns = effect == kWindowBlindLeft || effect == kWindowBlindRight;
        for (int side : {45, 7}) {
            ProbeSetup s;
            s.Effect = effect;
            s.W = columns ? side : 13;
            s.H = columns ? 13 : side;
            s.Probes = {1, 6, 20};
            const ProbeResult r = RunProbe(s);
            ASSERT_EQ(r.Frames, 20) << effect;
            EXPECT_EQ(r.Pauses, std::vector<int>(20, 30)) << effect;
            for (int f : s.Probes) {
                // Lines whose place in their slat was reached by frame f show; the others wait.
                auto revealed = [&](int x, int y) {
                    const int k = (columns ? x : y) % 20;
                    for (int g = 1; g <= f; ++g)
                        if (BlindLine(effect, g) == k)
                            return true;
                    return false;
                };
                EXPECT_EQ(Mismatches(r.Shots.at(f), revealed), 0) << effect << " side " << side << " frame " << f;
            }
            EXPECT_TRUE(r.End == r.Shots.at(20)) << effect;
        }
    }
}

TEST(WindowBlind, AStopAfter10FramesOfRightShowsTheLeft10ColumnsOfEverySlat)
{
    ProbeSetup s;
    s.Effect = kWindowBlindRight;
    s.W = 70;
    s.H = 9;
    s.StopAtFrame = 10;
    const ProbeResult r = RunProbe(s);
    EXPECT_EQ(r.Frames, 10);
    EXPECT_EQ(Mismatches(r.End, [](int x, int) { return x % 20 < 10; }), 0);
}

TEST(WedgeAndBlind, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {141, 2},
        {142, 2},
        {143, 2},
        {144, 2},
        {145, 30},
        {146, 30},
        {147, 30},
        {148, 30},
    });
}

} // namespace

// A picture smaller than the window, centred in it: the wedges are clipped where the picture lies.
TEST(WedgeWipe, ACentredSmallerPictureIsRevealedInItsPlace)
{
    ExpectCentredPictureRevealedInPlace(141, 144);
}
