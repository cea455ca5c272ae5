// Move effects 59, 65-69, 75, 76, 82, 88: the picture slides in from an edge, a corner or both sides with the
// member's own step, 2 ms per frame, and the last frame leaves it whole.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OffscreenRun.h"
#include "PicturePixels.h"

namespace {

OffscreenResult RunMove(int effect, int w, int h, int stopAt = 0)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = 7;  // the slide's step, which no member uses
    s.KeepFrames = true;
    s.StopAtFrame = stopAt;
    return RunOffscreen(s);
}

// One member's figures: frame count, its own step, and the content of one frame, from the member's formulas.
struct Figure {
    int Effect;
    int W, H;
    int Frames;
    int Step;
    int ProbeFrame;  // 1-based; offset s = Step * (ProbeFrame - 1)
    FrameModel Probe;
};

std::vector<Figure> Figures()
{
    return {
        // MoveLeft, s = 10: source (0, 0) size 10 x 17 at (20, 0).
        {69, 30, 17, 17, 2, 6, [](int x, int y) { return x >= 20 ? Source{x - 20, y} : kBackground; }},
        // MoveRight, s = 10: source (20, 0) size 10 x 17 at (0, 0).
        {76, 30, 17, 17, 2, 6, [](int x, int y) { return x < 10 ? Source{x + 20, y} : kBackground; }},
        // MoveUp, s = 6: source (0, 0) size 30 x 6 at (0, 11).
        {82, 30, 17, 10, 2, 4, [](int x, int y) { return y >= 11 ? Source{x, y - 11} : kBackground; }},
        // MoveUpDown, s = 4: the top half's lowest 4 rows at the top, the bottom half's highest 4 at the bottom.
        {88, 30, 17, 6, 2, 3,
         [](int x, int y) { return y < 4 ? Source{x, y + 4} : y >= 13 ? Source{x, y - 5} : kBackground; }},
        // MoveLeftRight on an odd width, s = 2: two columns of each half; the right half is 4 columns wide.
        {75, 7, 5, 3, 2, 2,
         [](int x, int y) { return x < 2 ? Source{x + 1, y} : x >= 5 ? Source{x - 2, y} : kBackground; }},
        // The corner slides at 30 x 17, s = 14: e = trunc(14 * 17 / 30) = 7 rows, 14 columns.
        {65, 30, 17, 32, 1, 15,
         [](int x, int y) { return x < 14 && y >= 10 ? Source{x + 16, y - 10} : kBackground; }},
        {66, 30, 17, 17, 2, 8,
         [](int x, int y) { return x >= 16 && y >= 10 ? Source{x - 16, y - 10} : kBackground; }},
        {67, 30, 17, 17, 2, 8,
         [](int x, int y) { return x < 14 && y < 7 ? Source{x + 16, y + 10} : kBackground; }},
        {68, 30, 17, 17, 2, 8,
         [](int x, int y) { return x >= 16 && y < 7 ? Source{x - 16, y + 10} : kBackground; }},
    };
}

class MoveFigure : public ::testing::TestWithParam<Figure> {};

TEST_P(MoveFigure, RunsItsFramesWithItsOwnStepAndEndsWhole)
{
    const Figure& f = GetParam();
    const OffscreenResult r = RunMove(f.Effect, f.W, f.H);

    ASSERT_EQ(r.Frames, f.Frames);
    EXPECT_EQ(r.Pauses, std::vector<int>(f.Frames, 2));
    EXPECT_EQ(r.StepInFrames, std::vector<int>(f.Frames, f.Step));
    EXPECT_EQ(r.StepAfter, 7);
    EXPECT_EQ(WrongPixels(r.Shots[0], [](int, int) { return kBackground; }), 0) << "the first frame draws nothing";
    EXPECT_EQ(WrongPixels(r.Shots[f.ProbeFrame - 1], f.Probe), 0) << "frame " << f.ProbeFrame;
    EXPECT_EQ(WrongPixels(r.Shots.back(), kWhole), 0);
    EXPECT_TRUE(r.End == r.Shots.back());
}

INSTANTIATE_TEST_SUITE_P(Members, MoveFigure, ::testing::ValuesIn(Figures()),
                         [](const ::testing::TestParamInfo<Figure>& info) {
                             return "n" + std::to_string(info.param.Effect);
                         });

TEST(Move, MoveDownAtHeightOneDrawsNothingThenTheRowTwice)
{
    const OffscreenResult r = RunMove(59, 5, 1);
    ASSERT_EQ(r.Frames, 3);
    EXPECT_EQ(r.Pauses, std::vector<int>(3, 2));
    EXPECT_EQ(WrongPixels(r.Shots[0], [](int, int) { return kBackground; }), 0);
    EXPECT_EQ(WrongPixels(r.Shots[1], kWhole), 0);
    EXPECT_EQ(WrongPixels(r.Shots[2], kWhole), 0);
}

TEST(Move, MoveDownAtHeight600Runs602FramesOneRowAtATime)
{
    constexpr int H = 600;
    const OffscreenResult r = RunMove(59, 3, H);
    ASSERT_EQ(r.Frames, 602);
    EXPECT_EQ(r.StepInFrames, std::vector<int>(602, 1));
    for (int s : {1, 300, 599, 600, 601}) {
        // The bottom s rows of the picture at the top of the area, the lower edge leading.
        const int k = std::min(s, H);
        EXPECT_EQ(WrongPixels(r.Shots[s], [k](int x, int y) { return y < k ? Source{x, H - k + y} : kBackground; }),
                  0)
            << "s = " << s;
    }
}

// Single precision makes e = trunc(30 * 0.56666666f) = 16 at s = W; the frame past W reaches all 17 rows.
TEST(Move, CornerSlidesAt30x17AreOneRowShortAtWidthAndWholeOnTheLastFrame)
{
    struct Corner {
        int Effect, FrameAtW;
        bool FromBottom;
    };
    for (const Corner& c : {Corner{65, 31, true}, Corner{66, 16, true}, Corner{67, 16, false}, Corner{68, 16, false}}) {
        const OffscreenResult r = RunMove(c.Effect, 30, 17);
        // 16 rows: below row 0 for the slides from the bottom, above row 16 for those from the top.
        const bool fromBottom = c.FromBottom;
        const FrameModel rowShort = [fromBottom](int x, int y) {
            if (fromBottom)
                return y >= 1 ? Source{x, y - 1} : kBackground;
            return y < 16 ? Source{x, y + 1} : kBackground;
        };
        ASSERT_GT(r.Frames, c.FrameAtW) << c.Effect;
        EXPECT_EQ(WrongPixels(r.Shots[c.FrameAtW - 1], rowShort), 0) << c.Effect;
        EXPECT_EQ(r.Frames, c.FrameAtW + 1) << c.Effect;
        EXPECT_EQ(WrongPixels(r.Shots.back(), kWhole), 0) << c.Effect;
    }
}

TEST(Move, AStopAfterTheFirstFrameLeavesTheBackgroundAndTheSlidesStep)
{
    for (int effect : {59, 65, 75, 88}) {
        const OffscreenResult r = RunMove(effect, 30, 17, 1);
        EXPECT_EQ(r.Frames, 1) << effect;
        EXPECT_EQ(WrongPixels(r.End, [](int, int) { return kBackground; }), 0) << effect;
        EXPECT_EQ(r.StepAfter, 7) << effect;
    }
}

TEST(Move, EveryFrameShowsOnlyBackgroundAndPicturePixels)
{
    struct Size {
        int W, H;
    };
    for (int effect : {59, 65, 66, 67, 68, 69, 75, 76, 82, 88})
        for (const Size& size : {Size{9, 7}, Size{30, 17}, Size{7, 30}}) {
            const OffscreenResult r = RunMove(effect, size.W, size.H);
            for (size_t i = 0; i < r.Shots.size(); ++i)
                ASSERT_EQ(ForeignPixels(r.Shots[i], size.W, size.H), 0)
                    << "effect " << effect << " at " << size.W << "x" << size.H << ", frame " << i + 1;
            EXPECT_EQ(WrongPixels(r.End, kWhole), 0) << effect;
        }
}

} // namespace
