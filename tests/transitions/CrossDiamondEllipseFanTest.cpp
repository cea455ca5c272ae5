// Cross, Diamond, Ellipse and Fan wipes 38-46: shapes that grow or shrink one pixel per frame (the fans 2),
// 2 ms per frame; all but the fans end with the whole picture, even after a stop request.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "OffscreenRun.h"
#include "CentredPicture.h"
#include "data/Random.h"

namespace {

OffscreenResult RunWipe(int number, int w, int h, int stopAt = 0, bool keepFrames = false, int step = 1)
{
    OffscreenSetup s;
    s.Effect = number;
    s.W = w;
    s.H = h;
    s.StopAtFrame = stopAt;
    s.KeepFrames = keepFrames;
    s.Step = step;
    return RunOffscreen(s);
}

int Diagonal(int a, int b)
{
    return static_cast<int>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
}

TEST(ShapeWipes, FrameCountsPausesAndEndState)
{
    for (const auto& size : {std::pair<int, int>{30, 17}, {47, 61}, {101, 33}}) {
        const int W = size.first, H = size.second;
        const int N = (W + 2) / 2;
        const std::pair<int, int> expected[] = {
            {38, N},                                  // growing cross: N = (W + 2) / 2 frames
            {39, N + 1},                              // shrinking cross: N down to 0
            {40, W},                                  // growing diamond: 0 to W - 1
            {41, W + 1},                              // shrinking diamond: W down to 0
            {42, Diagonal(W / 2, H / 2) + 1},         // growing ellipse: 1 to N + 1
            {43, (W < H ? W / 2 : H / 2) + 1},        // shrinking ellipse: half the shorter side down to 0
            {44, Diagonal(W, H) - 1},                 // random circle: 1 while below the diagonal
        };
        for (const auto& e : expected) {
            const OffscreenResult r = RunWipe(e.first, W, H);
            EXPECT_EQ(r.Frames, e.second) << "effect " << e.first << " at " << W << "x" << H;
            EXPECT_EQ(r.Pauses, std::vector<int>(r.Frames, 2)) << "effect " << e.first;
            EXPECT_EQ(HiddenPixels(r.End), 0) << "effect " << e.first;
        }
        for (int fan : {45, 46}) {
            const OffscreenResult r = RunWipe(fan, W, H);
            EXPECT_GT(r.Frames, 1) << "effect " << fan;
            EXPECT_EQ(r.Pauses, std::vector<int>(r.Frames, 2)) << "effect " << fan;
            EXPECT_EQ(HiddenPixels(r.End), 0) << "effect " << fan;
        }
    }
}

TEST(ShapeWipes, OnePixelWidePictureGivesTheCrossAndDiamondOneFrame)
{
    for (int number : {38, 40}) {
        const OffscreenResult r = RunWipe(number, 1, 5);
        EXPECT_EQ(r.Frames, 1) << "effect " << number;
        EXPECT_EQ(HiddenPixels(r.End), 0) << "effect " << number;
    }
}

TEST(ShapeWipes, StopKeepsTheFinalCopyExceptForTheFans)
{
    for (int number = 38; number <= 46; ++number) {
        const OffscreenResult r = RunWipe(number, 61, 47, 3, true);
        ASSERT_EQ(r.Frames, 3) << "effect " << number;
        if (number <= 44) {
            EXPECT_EQ(HiddenPixels(r.End), 0) << "effect " << number;
        } else {
            EXPECT_TRUE(r.End == r.Shots.back()) << "effect " << number;
            EXPECT_GT(HiddenPixels(r.End), 0) << "effect " << number;
        }
    }
}

TEST(ShapeWipes, CrossBarsKeepThePictureProportions)
{
    // 60 x 30: centre column N = 31, centre row 16, r = 0.5. Frame 11 draws i = 10: the vertical bar covers
    // columns 21 to 40, the horizontal bar rows 11 to 20.
    const OffscreenResult r = RunWipe(38, 60, 30, 0, true);
    const Snapshot& shot = r.Shots[10];
    EXPECT_TRUE(Revealed(shot, 21, 0));
    EXPECT_FALSE(Revealed(shot, 20, 0));
    EXPECT_TRUE(Revealed(shot, 40, 29));
    EXPECT_FALSE(Revealed(shot, 41, 29));
    EXPECT_TRUE(Revealed(shot, 0, 11));
    EXPECT_FALSE(Revealed(shot, 0, 10));
    EXPECT_TRUE(Revealed(shot, 59, 20));
    EXPECT_FALSE(Revealed(shot, 59, 21));
}

TEST(ShapeWipes, CentredEllipseKeepsThePictureProportions)
{
    // 90 x 30, centre (45, 15): at size i the half height is i and the half width 3i.
    const OffscreenResult r = RunWipe(42, 90, 30, 0, true);
    const int i = 8;
    const Snapshot& shot = r.Shots[i - 1];
    EXPECT_TRUE(Revealed(shot, 45 + 3 * i - 3, 15));
    EXPECT_TRUE(Revealed(shot, 45 - 3 * i + 3, 15));
    EXPECT_FALSE(Revealed(shot, 45 + 3 * i + 2, 15));
    EXPECT_TRUE(Revealed(shot, 45, 15 + i - 2));
    EXPECT_FALSE(Revealed(shot, 45, 15 + i + 2));
}

TEST(ShapeWipes, RandomEllipseGrowsACircleAboutTheDrawnCentre)
{
    // The centre is drawn right after seeding: first y in 1..H-1, then x in 1..W-1.
    const int W = 101, H = 33;
    const unsigned seed = 777;
    rtl::srand(seed);
    const int cy = rtl::rand() % (H - 1) + 1;
    const int cx = rtl::rand() % (W - 1) + 1;

    OffscreenSetup s;
    s.Effect = 44;
    s.W = W;
    s.H = H;
    s.Seed = seed;
    s.KeepFrames = true;
    const OffscreenResult r = RunOffscreen(s);
    ASSERT_EQ(r.Frames, Diagonal(W, H) - 1);

    for (int radius : {3, 12, 30}) {
        const Snapshot& shot = r.Shots[radius - 1];
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d < radius - 1.5) {
                    ASSERT_TRUE(Revealed(shot, x, y)) << x << "," << y << " radius " << radius;
                }
                if (d > radius + 1.0) {
                    ASSERT_FALSE(Revealed(shot, x, y)) << x << "," << y << " radius " << radius;
                }
            }
    }
}

TEST(ShapeWipes, FansTurnTheirWayTwoPixelsPerFrameAndRestoreStep)
{
    // 60 x 40: hub (31, 21). After frame 5 the top blade has travelled t = 9 from the top midpoint:
    // rightward for the clockwise fan, leftward for the anticlockwise one.
    const OffscreenResult cw = RunWipe(45, 60, 40, 0, true, 25);
    EXPECT_TRUE(Revealed(cw.Shots[4], 35, 1));
    EXPECT_FALSE(Revealed(cw.Shots[4], 27, 1));
    const OffscreenResult acw = RunWipe(46, 60, 40, 0, true, 25);
    EXPECT_TRUE(Revealed(acw.Shots[4], 27, 1));
    EXPECT_FALSE(Revealed(acw.Shots[4], 35, 1));

    for (const OffscreenResult* r : {&cw, &acw}) {
        EXPECT_EQ(r->StepInFrames, std::vector<int>(r->Frames, 2));
        EXPECT_EQ(r->StepAfter, 25);
    }
    for (int fan : {45, 46}) {
        const OffscreenResult stopped = RunWipe(fan, 60, 40, 2, false, 77);
        EXPECT_EQ(stopped.StepAfter, 77) << "effect " << fan << " after a stop";
    }
}

} // namespace

// A picture smaller than the window, centred in it: the shapes are clipped around the picture where it lies.
TEST(ShapeWipes, ACentredSmallerPictureIsRevealedInItsPlace)
{
    ExpectCentredPictureRevealedInPlace(38, 46);
}
