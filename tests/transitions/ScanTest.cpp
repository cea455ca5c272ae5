// Scan effects 104-111: 2-line bands drawn in place, Step 2 for the run whatever the slide's step, 2 ms per
// frame for "down" and 5 ms for the others; frames and bands from the members' formulas.
#include <gtest/gtest.h>

#include <vector>

#include "OffscreenRun.h"
#include "ShotChecks.h"

namespace {

constexpr int kScanDown = 104;
constexpr int kScanLeft = 105;
constexpr int kScanRight = 106;
constexpr int kScanToCenterHorizontal = 107;
constexpr int kScanToCenterVertical = 108;
constexpr int kScanToEdgeHorizontal = 109;
constexpr int kScanToEdgeVertical = 110;
constexpr int kScanUp = 111;

OffscreenResult RunScan(int effect, int w, int h, int step = 9, int stopAt = 0)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = step;
    s.KeepFrames = true;
    s.StopAtFrame = stopAt;
    return RunOffscreen(s);
}

TEST(Scan, ToEdgeHorizontalAtHeight12EndsWithRow0Alone)
{
    const OffscreenResult r = RunScan(kScanToEdgeHorizontal, 5, 12);

    // m = 7; s = 0, 2, 4, 6: rows 5-8, then 3-4 and 9-10, then 1-2 and 11, then row 0 alone.
    ASSERT_EQ(r.Frames, 4);
    EXPECT_EQ(r.Pauses, std::vector<int>(4, 5));
    EXPECT_EQ(Mismatches(r.Shots[0], [](int, int y) { return y >= 5 && y <= 8; }), 0);
    EXPECT_EQ(Mismatches(r.Shots[1], [](int, int y) { return y >= 3 && y <= 10; }), 0);
    EXPECT_EQ(Mismatches(r.Shots[2], [](int, int y) { return y >= 1; }), 0);
    EXPECT_EQ(HiddenPixels(r.Shots[3]), 0);
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Scan, FramesAndPausesOfEveryMemberOnA9x7Picture)
{
    struct Case {
        int Effect, Frames, PauseMs;
    };
    const Case cases[] = {
        {kScanDown, 4, 2},               // s = 0, 2, 4, 6 < 7
        {kScanLeft, 9, 5},               // one column per frame
        {kScanRight, 5, 5},              // s = 0 .. 8 < 9
        {kScanToCenterHorizontal, 3, 5}, // s <= 7 / 2 + 1 = 4
        {kScanToCenterVertical, 3, 5},   // s <= 9 / 2 + 1 = 5
        {kScanToEdgeHorizontal, 2, 5},   // m = 4
        {kScanToEdgeVertical, 3, 5},     // m = 5
        {kScanUp, 4, 5},
    };
    for (const Case& c : cases) {
        for (int step : {1, 50}) {
            const OffscreenResult r = RunScan(c.Effect, 9, 7, step);
            EXPECT_EQ(r.Frames, c.Frames) << c.Effect << " step " << step;
            EXPECT_EQ(r.Pauses, std::vector<int>(c.Frames, c.PauseMs)) << c.Effect;
            EXPECT_EQ(r.StepInFrames, std::vector<int>(c.Frames, 2)) << c.Effect;
            EXPECT_EQ(r.StepAfter, step) << c.Effect;
            EXPECT_EQ(HiddenPixels(r.End), 0) << c.Effect;
        }
    }
}

TEST(Scan, EdgeMembersRevealTheirBandsInOrder)
{
    // Odd width: the last band of "right" is one column wide; "left" takes one column per frame.
    const OffscreenResult right = RunScan(kScanRight, 9, 4);
    const OffscreenResult left = RunScan(kScanLeft, 9, 4);
    const OffscreenResult down = RunScan(kScanDown, 4, 7);
    const OffscreenResult up = RunScan(kScanUp, 4, 7);
    ASSERT_EQ(right.Frames, 5);
    ASSERT_EQ(left.Frames, 9);
    ASSERT_EQ(down.Frames, 4);
    ASSERT_EQ(up.Frames, 4);
    for (int f = 1; f <= 5; ++f)
        EXPECT_EQ(Mismatches(right.Shots[f - 1], [&](int x, int) { return x < 2 * f; }), 0) << "right, frame " << f;
    for (int f = 1; f <= 9; ++f)
        EXPECT_EQ(Mismatches(left.Shots[f - 1], [&](int x, int) { return x >= 9 - f; }), 0) << "left, frame " << f;
    for (int f = 1; f <= 4; ++f) {
        EXPECT_EQ(Mismatches(down.Shots[f - 1], [&](int, int y) { return y < 2 * f; }), 0) << "down, frame " << f;
        EXPECT_EQ(Mismatches(up.Shots[f - 1], [&](int, int y) { return y >= 7 - 2 * f; }), 0) << "up, frame " << f;
    }
}

TEST(Scan, ToCenterMembersMeetAndRunPastTheMiddle)
{
    // H = 10: s = 0, 2, 4, 6 (s <= 6); rows [s, s + 2) and [8 - s, 10 - s); the bands meet at s = 4 and the
    // last frame redraws rows 2-3 and 6-7.
    const OffscreenResult rows = RunScan(kScanToCenterHorizontal, 3, 10);
    ASSERT_EQ(rows.Frames, 4);
    EXPECT_EQ(Mismatches(rows.Shots[0], [](int, int y) { return y < 2 || y >= 8; }), 0);
    EXPECT_EQ(Mismatches(rows.Shots[1], [](int, int y) { return y < 4 || y >= 6; }), 0);
    EXPECT_EQ(HiddenPixels(rows.Shots[2]), 0);

    // W = 11: s = 0, 2, 4, 6 (s <= 6); columns [s, s + 2) and [9 - s, 11 - s); at s = 4 they overlap in
    // column 5.
    const OffscreenResult columns = RunScan(kScanToCenterVertical, 11, 3);
    ASSERT_EQ(columns.Frames, 4);
    EXPECT_EQ(Mismatches(columns.Shots[1], [](int x, int) { return x < 4 || x >= 7; }), 0);
    EXPECT_EQ(Mismatches(columns.Shots[0], [](int x, int) { return x < 2 || x >= 9; }), 0);
    EXPECT_EQ(HiddenPixels(columns.Shots[2]), 0);
}

TEST(Scan, ToEdgeVerticalGrowsFromColumnW2Plus1)
{
    // W = 8: m = 5; s = 0, 2, 4: columns 3-6, then 1-2 and 7, then 0.
    const OffscreenResult r = RunScan(kScanToEdgeVertical, 8, 3);
    ASSERT_EQ(r.Frames, 3);
    EXPECT_EQ(Mismatches(r.Shots[0], [](int x, int) { return x >= 3 && x <= 6; }), 0);
    EXPECT_EQ(Mismatches(r.Shots[1], [](int x, int) { return x >= 1; }), 0);
    EXPECT_EQ(HiddenPixels(r.Shots[2]), 0);
}

TEST(Scan, PictureOneRowHighTakesOneFrameDownAndUp)
{
    for (int effect : {kScanDown, kScanUp}) {
        const OffscreenResult r = RunScan(effect, 6, 1);
        EXPECT_EQ(r.Frames, 1) << effect;
        EXPECT_EQ(HiddenPixels(r.End), 0) << effect;
    }
}

TEST(Scan, AStopKeepsTheLastFrameOrMakesTheFinalCopy)
{
    // Without a final copy: "down", "left" and "right" stay as far as they came.
    const OffscreenResult down = RunScan(kScanDown, 5, 12, 9, 2);
    ASSERT_EQ(down.Frames, 2);
    EXPECT_EQ(Mismatches(down.End, [](int, int y) { return y < 4; }), 0);
    EXPECT_EQ(down.StepAfter, 9);

    const OffscreenResult left = RunScan(kScanLeft, 12, 5, 9, 3);
    ASSERT_EQ(left.Frames, 3);
    EXPECT_EQ(Mismatches(left.End, [](int x, int) { return x >= 9; }), 0);

    // With one: the picture ends complete.
    for (int effect : {kScanToCenterHorizontal, kScanToCenterVertical, kScanToEdgeHorizontal, kScanToEdgeVertical,
                       kScanUp}) {
        const OffscreenResult r = RunScan(effect, 12, 12, 9, 1);
        ASSERT_EQ(r.Frames, 1) << effect;
        EXPECT_EQ(HiddenPixels(r.End), 0) << effect;
        EXPECT_EQ(r.StepAfter, 9) << effect;
    }
}

} // namespace
