// Circle sweeps 32-37: a ray turning anticlockwise from the bottom-right corner about the centre, 2 pixels
// per frame whatever the slide's step, 1 ms per frame, ending with the whole picture.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "OffscreenRun.h"
#include "CentredPicture.h"

namespace {

OffscreenResult RunCircle(int number, int w, int h, int step = 1, int stopAt = 0, bool keepFrames = false)
{
    OffscreenSetup s;
    s.Effect = number;
    s.W = w;
    s.H = h;
    s.Step = step;
    s.StopAtFrame = stopAt;
    s.KeepFrames = keepFrames;
    return RunOffscreen(s);
}

TEST(CircleSweep, CentreSweepOf200x100TakesAbout304FramesAndEndsComplete)
{
    // About 51 + 101 + 51 + 101 frames; the last sweep position gives way to the whole-picture copy.
    const OffscreenResult r = RunCircle(36, 200, 100, 1, 0, true);
    EXPECT_NEAR(r.Frames, 51 + 101 + 51 + 101, 1);
    EXPECT_EQ(r.Pauses, std::vector<int>(r.Frames, 1));
    EXPECT_EQ(HiddenPixels(r.End), 0);

    // Halfway through phase 0 the ray points from (100, 50) to about (200, 50): only below it, on the right.
    const Snapshot& quarter = r.Shots[25];
    EXPECT_TRUE(Revealed(quarter, 190, 80));
    EXPECT_FALSE(Revealed(quarter, 190, 20));
    EXPECT_FALSE(Revealed(quarter, 50, 80));

    // After phase 0 the wedge between the rays to the bottom-right and top-right corners is shown.
    const Snapshot& phase0 = r.Shots[50];
    EXPECT_TRUE(Revealed(phase0, 190, 50));
    EXPECT_TRUE(Revealed(phase0, 150, 40));
    EXPECT_TRUE(Revealed(phase0, 150, 60));
    EXPECT_FALSE(Revealed(phase0, 150, 10));
    EXPECT_FALSE(Revealed(phase0, 150, 90));
    EXPECT_FALSE(Revealed(phase0, 50, 50));

    // After phase 1 (the top edge) the whole upper half and the right wedge are shown, not the rest.
    const Snapshot& phase1 = r.Shots[151];
    EXPECT_TRUE(Revealed(phase1, 20, 5));
    EXPECT_TRUE(Revealed(phase1, 100, 20));
    EXPECT_FALSE(Revealed(phase1, 20, 80));
    EXPECT_FALSE(Revealed(phase1, 100, 95));
}

TEST(CircleSweep, MembersRunTheirPhasesAndEndComplete)
{
    // Phases of about H/2 + 1 (right and left edges) and W/2 + 1 (top and bottom edges) frames at 200 x 100.
    struct Case {
        int Number;
        int AboutFrames;
    };
    const Case cases[] = {
        {32, 51 + 101},             // left-bottom: phases 0 and 1, stops on entering phase 2
        {33, 51 + 101 + 51 + 101},  // left-top: runs to the end
        {34, 51 + 101 + 51},        // right-bottom: stops on entering phase 3
        {35, 51 + 51 + 101},        // right-top: starts in phase 1 with a = H
        {37, 51 + 101 + 51 + 101},  // random centre: runs to the end
    };
    for (const Case& c : cases) {
        const OffscreenResult r = RunCircle(c.Number, 200, 100);
        EXPECT_NEAR(r.Frames, c.AboutFrames, 1) << "effect " << c.Number;
        EXPECT_EQ(r.Pauses, std::vector<int>(r.Frames, 1)) << "effect " << c.Number;
        EXPECT_EQ(HiddenPixels(r.End), 0) << "effect " << c.Number;
    }
}

TEST(CircleSweep, SweepsTwoPixelsPerFrameAndRestoresStep)
{
    for (int number = 32; number <= 37; ++number)
        for (int step : {1, 25, 77}) {
            const OffscreenResult full = RunCircle(number, 61, 47, step);
            EXPECT_EQ(full.StepInFrames, std::vector<int>(full.Frames, 2)) << number << " step " << step;
            EXPECT_EQ(full.StepAfter, step) << number;
            // The frame count does not depend on the slide's step.
            EXPECT_EQ(full.Frames, RunCircle(number, 61, 47, 1).Frames) << number << " step " << step;

            const OffscreenResult stopped = RunCircle(number, 61, 47, step, 3);
            EXPECT_EQ(stopped.Frames, 3) << number;
            EXPECT_EQ(stopped.StepAfter, step) << number << " after a stop";
        }
}

TEST(CircleSweep, StopLeavesTheSweptAreaWithoutTheFinalCopy)
{
    const OffscreenResult r = RunCircle(36, 200, 100, 1, 100, true);
    EXPECT_EQ(r.Frames, 100);
    EXPECT_TRUE(r.End == r.Shots.back());
    EXPECT_GT(HiddenPixels(r.End), 0);
}

TEST(CircleSweep, TinyPicturesEndComplete)
{
    for (int number = 32; number <= 37; ++number)
        for (const auto& size : {std::pair<int, int>{1, 1}, {1, 5}, {5, 1}, {2, 2}}) {
            const OffscreenResult r = RunCircle(number, size.first, size.second);
            EXPECT_EQ(HiddenPixels(r.End), 0) << number << " at " << size.first << "x" << size.second;
        }
}

} // namespace

// A picture smaller than the window, centred in it: the sweeps are clipped around the picture where it lies.
TEST(CircleSweep, ACentredSmallerPictureIsRevealedInItsPlace)
{
    ExpectCentredPictureRevealedInPlace(32, 37);
}
