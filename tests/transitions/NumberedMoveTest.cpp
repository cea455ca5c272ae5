// Numbered Move effects 60-64, 70-74, 77-81, 83-87: halves sliding in and moving across in phases, with one
// plain sleep of 1000 ms (800 ms in 78) in some members, and twenty strips stacked one after another.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "OffscreenPictures.h"
#include "OffscreenRun.h"
#include "PicturePixels.h"

namespace {

constexpr int kSlideStep = 7;  // the slide's step, which no member uses

OffscreenResult RunMove(int effect, int w, int h)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = kSlideStep;
    s.KeepFrames = true;
    return RunOffscreen(s);
}

// Runs the effect on pictures alone and keeps the back buffer as it is when a long pause begins.
std::vector<Snapshot> ShotsAtLongPauses(int effect, int w, int h)
{
    std::vector<Snapshot> shots;
    OffscreenPictures pictures(w, h);
    TThread thread;
    TransitionTestSeam seam;
    seam.OnPause = [&](int ms) {
        if (ms >= 800)
            shots.push_back(pictures.ReadBuffer());
    };
    pictures.Run(effect, kSlideStep, thread, seam);
    return shots;
}

struct Member {
    int Effect;
    int LongPause;  // 0 for none
    int Step;       // at 30 x 17
};

const Member kMembers[] = {
    {60, 1000, 1}, {61, 0, 1}, {62, 0, 1},    {63, 0, 1},    {64, 0, 1},    {70, 1000, 2}, {71, 0, 1},
    {72, 0, 1},    {73, 0, 2}, {74, 0, 2},    {77, 1000, 2}, {78, 800, 2},  {79, 1000, 2}, {80, 1000, 2},
    {81, 0, 2},    {83, 1000, 2}, {84, 1000, 2}, {85, 1000, 2}, {86, 1000, 2}, {87, 0, 1},
};

class NumberedMoveMember : public ::testing::TestWithParam<Member> {};

TEST_P(NumberedMoveMember, PausesTwoPerFrameSleepsItsLongPauseOnceAndEndsWhole)
{
    const Member& m = GetParam();
    const OffscreenResult r = RunMove(m.Effect, 30, 17);

    std::vector<int> longPauses;
    for (int ms : r.Pauses)
        if (ms != 2)
            longPauses.push_back(ms);
    EXPECT_EQ(longPauses, m.LongPause ? std::vector<int>{m.LongPause} : std::vector<int>{});
    EXPECT_EQ(r.Pauses.size() - longPauses.size(), static_cast<size_t>(r.Frames));
    EXPECT_EQ(r.StepInFrames, std::vector<int>(r.Frames, m.Step));
    EXPECT_EQ(r.StepAfter, kSlideStep);
    EXPECT_EQ(WrongPixels(r.End, kWhole), 0);
}

TEST_P(NumberedMoveMember, EveryFrameShowsOnlyBackgroundAndPicturePixels)
{
    struct Size {
        int W, H;
    };
    for (const Size& size : {Size{9, 7}, Size{30, 17}, Size{7, 30}}) {
        const OffscreenResult r = RunMove(GetParam().Effect, size.W, size.H);
        for (size_t i = 0; i < r.Shots.size(); ++i)
            ASSERT_EQ(ForeignPixels(r.Shots[i], size.W, size.H), 0)
                << size.W << "x" << size.H << ", frame " << i + 1;
        EXPECT_EQ(WrongPixels(r.End, kWhole), 0) << size.W << "x" << size.H;
    }
}

INSTANTIATE_TEST_SUITE_P(Members, NumberedMoveMember, ::testing::ValuesIn(kMembers),
                         [](const ::testing::TestParamInfo<Member>& info) {
                             return "n" + std::to_string(info.param.Effect);
                         });

TEST(NumberedMove, MoveDown1SlidesTheTopHalfThenSleepsThenTheBottomHalfFromTheMiddle)
{
    // Hh = 8: the top half takes s = 0..9 (10 frames), the bottom half (9 rows) s = 0..10 (11 frames).
    const OffscreenResult r = RunMove(60, 30, 17);
    ASSERT_EQ(r.Frames, 21);
    ASSERT_EQ(r.Pauses.size(), 22u);
    EXPECT_EQ(r.Pauses[9], 1000) << "in the top half's last frame, after nine frame pauses";
    // s = 4: the top half's lowest 4 rows at the top.
    EXPECT_EQ(WrongPixels(r.Shots[4], [](int x, int y) { return y < 4 ? Source{x, y + 4} : kBackground; }), 0);
    EXPECT_EQ(WrongPixels(r.Shots[9], [](int x, int y) { return y < 8 ? Source{x, y} : kBackground; }), 0);
    // Second phase, s = 3: the bottom half's lowest 3 rows just below the middle line.
    EXPECT_EQ(WrongPixels(r.Shots[13],
                          [](int x, int y) { return y < 8 ? Source{x, y} : y < 11 ? Source{x, y + 6} : kBackground; }),
              0);
}

TEST(NumberedMove, MoveRight3ShowsABackgroundStripAtTheInnerEdgeDuringItsPause)
{
    // W = 30: the moving half is the last 15 columns, S = 2; it slid into columns 0-14 and moved on to 14-28.
    // The last frame of the move puts the background back over columns 14 and 15, then sleeps.
    const std::vector<Snapshot> shots = ShotsAtLongPauses(79, 30, 5);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(WrongPixels(shots[0], [](int x, int y) { return x < 16 || x == 29 ? kBackground : Source{x + 1, y}; }),
              0);

    const OffscreenResult r = RunMove(79, 30, 5);
    ASSERT_EQ(r.Frames, 26);  // 9 sliding in, 8 moving, 9 for the other half
    EXPECT_EQ(r.Pauses[16], 1000);
    EXPECT_EQ(WrongPixels(r.Shots[16], [](int x, int y) { return x >= 15 ? Source{x, y} : kBackground; }), 0);
}

TEST(NumberedMove, MoveUp3LeavesTheRowItVacatedLastUntilTheBottomHalfCoversIt)
{
    // H = 9: the top half (4 rows) slides into rows 5-8, moves up by 2 (5, 3, 1) and, after its sleep, is drawn
    // at row 0 without restoring what it left: row 4 still shows picture row 3.
    const OffscreenResult r = RunMove(85, 4, 9);
    ASSERT_GE(r.Frames, 9);
    EXPECT_EQ(WrongPixels(r.Shots[7],
                          [](int x, int y) { return y < 4 ? Source{x, y} : y == 4 ? Source{x, 3} : kBackground; }),
              0);
    EXPECT_EQ(WrongPixels(r.End, kWhole), 0);
}

TEST(NumberedMove, MoveDown3MovesOnAtOnceAndMoveLeft3FirstRedrawsWhereItSlidIn)
{
    {
        // H = 10: the bottom half slid into rows 0-4 (7 frames); the move's first frame puts it at row 1.
        const OffscreenResult r = RunMove(62, 3, 10);
        EXPECT_EQ(WrongPixels(r.Shots[6], [](int x, int y) { return y < 5 ? Source{x, y + 5} : kBackground; }), 0);
        EXPECT_EQ(WrongPixels(r.Shots[7],
                              [](int x, int y) { return y >= 1 && y < 6 ? Source{x, y + 4} : kBackground; }),
                  0);
    }
    {
        // W = 10: the left half slid into columns 5-9; the move's first frame draws it there again, then at 4.
        const OffscreenResult r = RunMove(72, 10, 3);
        const FrameModel slidIn = [](int x, int y) { return x >= 5 ? Source{x - 5, y} : kBackground; };
        EXPECT_EQ(WrongPixels(r.Shots[6], slidIn), 0);
        EXPECT_EQ(WrongPixels(r.Shots[7], slidIn), 0);
        const FrameModel movedOne = [](int x, int y) { return x >= 4 && x < 9 ? Source{x - 4, y} : kBackground; };
        EXPECT_EQ(WrongPixels(r.Shots[8], movedOne), 0);
    }
}

TEST(NumberedMove, StripsEnterWholeAtTheEdgeAndTravelOverTheBackground)
{
    {
        // W = 40: 3-column strips, S = 2; the leftmost strip enters at the right edge.
        const OffscreenResult r = RunMove(74, 40, 3);
        EXPECT_EQ(WrongPixels(r.Shots[0], [](int x, int y) { return x >= 37 ? Source{x - 37, y} : kBackground; }), 0);
        EXPECT_EQ(WrongPixels(r.Shots[1],
                              [](int x, int y) { return x >= 35 && x < 38 ? Source{x - 35, y} : kBackground; }),
                  0);
    }
    {
        // H = 40: 3-row strips, S = 1; the bottom strip enters at the top edge.
        const OffscreenResult r = RunMove(64, 3, 40);
        EXPECT_EQ(WrongPixels(r.Shots[0], [](int x, int y) { return y < 3 ? Source{x, y + 37} : kBackground; }), 0);
        EXPECT_EQ(WrongPixels(r.Shots[1],
                              [](int x, int y) { return y >= 1 && y < 4 ? Source{x, y + 36} : kBackground; }),
                  0);
    }
}

TEST(NumberedMove, PicturesUnderTwentyPixelsGetOnePixelStripsAndAllTwentyStripsRun)
{
    // 7 one-pixel strips travel (strip i for 9 - i frames); the 13 strips past the edge redraw the last strip
    // in place, one frame each.
    struct Stacker {
        int Effect, W, H;
    };
    for (const Stacker& st : {Stacker{74, 7, 3}, Stacker{81, 7, 3}, Stacker{64, 3, 7}, Stacker{87, 3, 7}}) {
        const OffscreenResult r = RunMove(st.Effect, st.W, st.H);
        ASSERT_EQ(r.Frames, 48) << st.Effect;
        EXPECT_EQ(r.StepInFrames, std::vector<int>(48, 1)) << st.Effect;
        for (int f = 35; f < 48; ++f)
            EXPECT_EQ(WrongPixels(r.Shots[f], kWhole), 0) << st.Effect << ", frame " << f + 1;
    }
}

} // namespace
