// Figures of the Band, Block and Center effects: frame counts, pauses, strip widths, directions, the Block
// spiral and the Center rectangles.
#include <gtest/gtest.h>

#include "ProgramBench.h"
#include "TransitionHarness.h"

namespace {

constexpr int kClientW = 120;
constexpr int kClientH = 80;

TransitionBench& Bench()
{
    return ProgramBench(kClientW, kClientH, 2);
}

RunSetup Placed(int effect, int w, int h, int step = 1)
{
    RunSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.X = 3;
    s.Y = 4;
    s.Step = step;
    s.CheckFrames = false;
    return s;
}

// Revealed pixels of a frame, in picture coordinates.
int RevealedCount(const RunSetup& s, const Snapshot& frame, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += Bench().Revealed(s, frame, s.X + x, s.Y + y);
    return n;
}

bool Complete(const RunSetup& s, const Snapshot& frame)
{
    return RevealedCount(s, frame, 0, 0, s.W, s.H) == s.W * s.H;
}

// How far column x (picture coordinates) is revealed from the top edge; -1 when not a prefix.
int TopPrefix(const RunSetup& s, const Snapshot& frame, int x)
{
    int n = 0;
    while (n < s.H && Bench().Revealed(s, frame, s.X + x, s.Y + n))
        ++n;
    for (int y = n; y < s.H; ++y)
        if (Bench().Revealed(s, frame, s.X + x, s.Y + y))
            return -1;
    return n;
}

TEST(Band, FrameCountsFollowTheProgressRangeAndStep)
{
    // 30 x 17: down/up run H + 50 frames at step 1, left/right and the corners W + 50, the centre ones W/2 + 51.
    const struct {
        int effect, frames;
    } cases[] = {{0, 67}, {18, 67}, {12, 80}, {14, 80}, {4, 80}, {6, 80}, {8, 80}, {10, 80}, {2, 66}, {16, 66}};
    for (const auto& c : cases) {
        const RunResult r = Bench().Run(Placed(c.effect, 30, 17));
        EXPECT_EQ(r.Frames, c.frames) << c.effect;
    }
    // A larger step means fewer frames: p = 0, 25, 50 for BandDown.
    EXPECT_EQ(Bench().Run(Placed(0, 30, 17, 25)).Frames, 3);
}

TEST(Band, PausesPerFrameAreThoseListed)
{
    const struct {
        int effect, pause;
    } cases[] = {{0, 20}, {3, 20}, {4, 10}, {7, 20}, {9, 10}, {13, 10}, {14, 15}, {17, 15}, {19, 15}};
    for (const auto& c : cases) {
        const RunResult r = Bench().Run(Placed(c.effect, 9, 7, 5));
        ASSERT_FALSE(r.Pauses.empty()) << c.effect;
        for (int p : r.Pauses)
            EXPECT_EQ(p, c.pause) << c.effect;
    }
}

TEST(Band, DownLargeUsesTwentyPixelStripsAndSmallFive)
{
    for (const auto& c : {std::pair<int, int>{0, 20}, std::pair<int, int>{1, 5}}) {
        const RunSetup s = Placed(c.first, 100, 60);
        const RunResult r = Bench().Run(s);
        // First frame (p = 0): every strip hangs from the top by its own 0..49 pixels.
        bool boundaryDiffers = false;
        for (int x = 0; x < s.W; ++x) {
            const int h = TopPrefix(s, r.FirstFrame, x);
            ASSERT_GE(h, 0) << "column " << x << " not revealed from the top";
            EXPECT_LT(h, 50);
            if (x % c.second != 0)
                EXPECT_EQ(h, TopPrefix(s, r.FirstFrame, x - 1)) << "strip " << c.first << " column " << x;
            else if (x > 0 && h != TopPrefix(s, r.FirstFrame, x - 1))
                boundaryDiffers = true;
        }
        EXPECT_TRUE(boundaryDiffers) << "strips of " << c.second << " px should differ somewhere";
        EXPECT_TRUE(Complete(s, r.EndBuffer));
    }
}

TEST(Band, DirectionsGrowFromTheirEdges)
{
    const RunSetup up = Placed(18, 40, 30, 3);
    RunSetup keep = up;
    keep.KeepFrames = true;
    const RunResult r = Bench().Run(keep);
    ASSERT_GT(r.Frames, 4);
    const Snapshot& early = r.AllFrames[3];  // p = H - 9: only rows near the bottom can be revealed
    EXPECT_EQ(RevealedCount(up, early, 0, 0, up.W, 30 - 9 - 50), 0);
    EXPECT_GT(RevealedCount(up, early, 0, 21, up.W, 30), 0);

    RunSetup left = Placed(12, 40, 30, 3);
    left.KeepFrames = true;
    const RunResult l = Bench().Run(left);
    // Frame 1 (p = 0): each row reaches 0..49 px from the left edge, so column 39 can show but not from row
    // pieces that start right of the left edge: every revealed row is a prefix from x = 0.
    for (int y = 0; y < left.H; ++y) {
        bool gap = false;
        for (int x = 0; x < left.W; ++x) {
            const bool rev = Bench().Revealed(left, l.AllFrames[0], left.X + x, left.Y + y);
            EXPECT_FALSE(rev && gap) << "row " << y << " revealed after a gap at " << x;
            gap = gap || !rev;
        }
    }
}

// Everything behind the common front p is revealed in every frame: the strips reach at least p (corner
// members: the rectangle p wide and e = trunc(p * H/W) high at their corner).
TEST(Band, EveryFrameShowsEverythingBehindTheFront)
{
    const int W = 40, H = 30, S = 3;
    const float r = static_cast<float>(H) / static_cast<float>(W);
    for (int effect = 0; effect < 20; ++effect) {
        if (effect == 2 || effect == 3 || effect == 16 || effect == 17)
            continue;  // the centre members grow from the middle
        RunSetup s = Placed(effect, W, H, S);
        s.KeepFrames = true;
        const RunResult run = Bench().Run(s);
        for (size_t f = 0; f < run.AllFrames.size(); ++f) {
            const int grown = static_cast<int>(f) * S;  // progress made from the start edge
            const int front = effect <= 1 ? grown : (effect >= 18 ? H - grown : 0);
            int missing = 0;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    bool behind = false;
                    const int e = static_cast<int>(static_cast<double>(r) * grown);
                    switch (effect / 2) {
                    case 0: behind = y < front; break;                           // down
                    case 9: behind = y >= front; break;                          // up
                    case 6: behind = x < grown; break;                           // left
                    case 7: behind = x >= W - grown; break;                      // right
                    case 3: behind = x < grown && y < e; break;                  // from left-top
                    case 2: behind = x < grown && y >= H - e; break;             // from left-bottom
                    case 5: behind = x >= W - grown && y < e; break;             // from right-top
                    case 4: behind = x >= W - grown && y >= H - e; break;        // from right-bottom
                    }
                    if (behind && !Bench().Revealed(s, run.AllFrames[f], s.X + x, s.Y + y))
                        ++missing;
                }
            ASSERT_EQ(missing, 0) << "effect " << effect << " frame " << f + 1;
        }
    }
}

TEST(Band, AStepBeyondTheBandsStillEndsWithTheWholePicture)
{
    for (int effect = 0; effect < 20; ++effect) {
        const RunSetup s = Placed(effect, 61, 47, 500);
        const RunResult r = Bench().Run(s);
        EXPECT_EQ(r.Frames, 1) << effect;
        EXPECT_TRUE(Complete(s, r.EndBuffer)) << effect;
        EXPECT_TRUE(r.EndWindow == r.EndBuffer) << effect;
    }
}

TEST(Block, SixtyFourFramesOfThirtyMilliseconds)
{
    for (int effect : {20, 21}) {
        const RunResult r = Bench().Run(Placed(effect, 30, 17, 9));
        EXPECT_EQ(r.Frames, 64) << effect;
        ASSERT_EQ(r.Pauses.size(), 64u);
        for (int p : r.Pauses)
            EXPECT_EQ(p, 30);
    }
}

TEST(Block, EightByEightPictureIsCompleteAfterFrame46)
{
    RunSetup s = Placed(20, 8, 8);
    s.KeepFrames = true;
    const RunResult r = Bench().Run(s);
    ASSERT_EQ(r.AllFrames.size(), 64u);
    // Blocks of 2 x 2; the blocks of rows and columns 4..7 lie outside the picture.
    EXPECT_FALSE(Complete(s, r.AllFrames[44]));
    EXPECT_TRUE(Complete(s, r.AllFrames[45]));
    // Frame 1 is the cell at row 3, column 3: pixels (6..7, 6..7).
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 0, 0, 8, 8), 4);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 6, 6, 8, 8), 4);
}

TEST(Block, ToCenterStartsTopRightAndEndsAtTheMiddleCell)
{
    RunSetup s = Placed(21, 63, 63);
    s.KeepFrames = true;
    const RunResult r = Bench().Run(s);
    ASSERT_EQ(r.AllFrames.size(), 64u);
    // Blocks of 8 x 8: frame 1 is row 0, column 7 (x 56..62 inside the picture).
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 0, 0, 63, 63), 7 * 8);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 56, 0, 63, 8), 7 * 8);
    // The last frame adds row 3, column 3.
    EXPECT_EQ(RevealedCount(s, r.AllFrames[62], 24, 24, 32, 32), 0);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[63], 24, 24, 32, 32), 64);
    EXPECT_TRUE(Complete(s, r.AllFrames[63]));
}

TEST(Center, DiffuseGrowsTheCentredRectangleOnePixelPerFrame)
{
    RunSetup s = Placed(22, 30, 17);
    s.KeepFrames = true;
    const RunResult r = Bench().Run(s);
    // N = H/2 = 8 frames of 5 ms; frame 1 copies an empty rectangle.
    ASSERT_EQ(r.Frames, 8);
    for (int p : r.Pauses)
        EXPECT_EQ(p, 5);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 0, 0, 30, 17), 0);
    // Frame 3 (i = 2): half height 2, half width trunc(30 * 2 / 17) = 3 around (15, 8).
    EXPECT_EQ(RevealedCount(s, r.AllFrames[2], 0, 0, 30, 17), 6 * 4);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[2], 12, 6, 18, 10), 6 * 4);
    EXPECT_TRUE(Complete(s, r.EndBuffer));

    // Taller than wide: the half width is i, the half height trunc(H * i / W).
    RunSetup tall = Placed(22, 17, 30);
    tall.KeepFrames = true;
    const RunResult t = Bench().Run(tall);
    ASSERT_EQ(t.Frames, 8);
    EXPECT_EQ(RevealedCount(tall, t.AllFrames[2], 6, 12, 10, 18), 4 * 6);
    EXPECT_EQ(RevealedCount(tall, t.AllFrames[2], 0, 0, 17, 30), 4 * 6);
}

TEST(Center, EnvelopClosesInAroundTheOldScreen)
{
    RunSetup s = Placed(23, 30, 17);
    s.KeepFrames = true;
    const RunResult r = Bench().Run(s);
    ASSERT_EQ(r.Frames, 8);
    // Frame 1 (n = 8): the hole of half height 8 and half width trunc(30 * 8 / 17) = 14 around (15, 8).
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 1, 0, 29, 16), 0);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[0], 0, 0, 30, 17), 30 * 17 - 28 * 16);
    // Frame 8 (n = 1): hole (14..15, 7..8).
    EXPECT_EQ(RevealedCount(s, r.AllFrames[7], 0, 0, 30, 17), 30 * 17 - 2 * 2);
    EXPECT_EQ(RevealedCount(s, r.AllFrames[7], 14, 7, 16, 9), 0);
    EXPECT_TRUE(Complete(s, r.EndBuffer));
}

TEST(Center, APictureOnePixelHighDrawsOnlyTheFinalCopy)
{
    for (int effect : {22, 23}) {
        const RunSetup s = Placed(effect, 40, 1);
        const RunResult r = Bench().Run(s);
        EXPECT_EQ(r.Frames, 0) << effect;
        EXPECT_TRUE(Complete(s, r.EndBuffer)) << effect;
    }
}

} // namespace
