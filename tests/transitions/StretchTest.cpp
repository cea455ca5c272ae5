// Stretch effects 120-128: the box each frame stretches the whole picture into, over the background, frame by
// frame against the figures of their description.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"

namespace {

constexpr int kStretchFromBottom = 120;
constexpr int kStretchFromBottomLeft = 121;
constexpr int kStretchFromCenter = 123;
constexpr int kStretchFromRight = 125;
constexpr int kStretchFromTopLeft = 127;

// Stretched pixels are mixed from picture pixels, which all carry the picture's marker.
bool Stretched(const Snapshot& shot, int x, int y)
{
    return (shot.At(x, y) & 0xFF) == kPictureMark;
}

// Pixels that disagree with "inside the box: a stretched picture pixel; outside: the background".
template <typename InBox>
int BoxMismatches(const Snapshot& shot, InBox inBox)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            wrong += !(inBox(x, y) ? Stretched(shot, x, y) : ShowsBackground(shot, x, y));
    return wrong;
}

TEST(Stretch, FromBottomAt400x300WithStep10Takes30FramesOfGrowingHeight)
{
    ProbeSetup s;
    s.Effect = kStretchFromBottom;
    s.W = 400;
    s.H = 300;
    s.Step = 10;
    s.Probes = {1, 2, 15, 30};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 30);
    EXPECT_EQ(r.Pauses, std::vector<int>(30, 2));
    for (int f : s.Probes) {
        const int top = 300 - 10 * (f - 1);  // box heights 0, 10, ..., 290
        EXPECT_EQ(BoxMismatches(r.Shots.at(f), [&](int, int y) { return y >= top; }), 0) << "frame " << f;
    }
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Stretch, FromRightIgnoresStepAndGrowsBy2)
{
    ProbeSetup s;
    s.Effect = kStretchFromRight;
    s.W = 40;
    s.H = 24;
    s.Probes = AllFrames(20);
    s.Step = 1;
    const ProbeResult slow = RunProbe(s);
    s.Step = 50;
    const ProbeResult fast = RunProbe(s);

    // W / 2 frames with boxes 0, 2, ..., W - 2 wide, whatever Step holds.
    ASSERT_EQ(slow.Frames, 20);
    ASSERT_EQ(fast.Frames, 20);
    for (int f = 1; f <= 20; ++f) {
        EXPECT_TRUE(slow.Shots.at(f) == fast.Shots.at(f)) << "frame " << f;
        const int left = 40 - 2 * (f - 1);
        EXPECT_EQ(BoxMismatches(slow.Shots.at(f), [&](int x, int) { return x >= left; }), 0) << "frame " << f;
    }
}

TEST(Stretch, FromCenterOfAPortraitPictureFollowsItsProportions)
{
    ProbeSetup s;
    s.Effect = kStretchFromCenter;
    s.W = 300;
    s.H = 400;
    s.Step = 2;
    s.Probes = {11, 75};
    const ProbeResult r = RunProbe(s);

    // o = 0, 2, ..., 148; the box is 2o wide and 2 (o x 400 / 300) tall around (150, 200).
    ASSERT_EQ(r.Frames, 75);
    EXPECT_EQ(BoxMismatches(r.Shots.at(11),
                            [](int x, int y) { return x >= 130 && x < 170 && y >= 174 && y < 226; }),
              0);
    EXPECT_EQ(BoxMismatches(r.Shots.at(75),
                            [](int x, int y) { return x >= 2 && x < 298 && y >= 3 && y < 397; }),
              0);
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Stretch, CornersOfAPortraitPictureAreDrivenByTheWidth)
{
    for (int effect : {kStretchFromBottomLeft, kStretchFromTopLeft}) {
        ProbeSetup s;
        s.Effect = effect;
        s.W = 40;
        s.H = 60;
        s.Step = 3;
        s.Probes = {5, 14, 15};
        const ProbeResult r = RunProbe(s);

        // c = 0, 3, ..., 39 (14 frames) and r = 60 x c / 40, then the frame that finds the box complete.
        ASSERT_EQ(r.Frames, 15) << effect;
        EXPECT_EQ(r.Pauses, std::vector<int>(15, 2)) << effect;
        const bool bottom = effect == kStretchFromBottomLeft;
        EXPECT_EQ(BoxMismatches(r.Shots.at(5), [&](int x, int y) { return x < 12 && (bottom ? y >= 42 : y < 18); }),
                  0)
            << effect;
        EXPECT_EQ(BoxMismatches(r.Shots.at(14), [&](int x, int y) { return x < 39 && (bottom ? y >= 2 : y < 58); }),
                  0)
            << effect;
        EXPECT_TRUE(r.Shots.at(15) == r.Shots.at(14)) << effect;
    }
}

TEST(Stretch, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {120, 2},
        {121, 2},
        {122, 2},
        {123, 2},
        {124, 2},
        {125, 2},
        {126, 2},
        {127, 2},
        {128, 2},
    });
}

} // namespace
