// Random crossLines 99 and Roll 100-103: 5 ms per frame, Step 2 for the run; the column pairs in the order the
// generator gives, each frame with its random row pair; the roll's flat part and its mirrored band frame by
// frame, and never a pixel other than background or picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "OffscreenRun.h"
#include "PicturePixels.h"
#include "ShotChecks.h"
#include "data/Random.h"

namespace {

constexpr int kRandomCrossLines = 99;
constexpr int kRollDown = 100;
constexpr int kRollLeft = 101;
constexpr int kRollRight = 102;
constexpr int kRollUp = 103;

OffscreenResult RunEffect(int effect, int w, int h, int stopAt = 0, unsigned seed = 12345)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = 9;
    s.KeepFrames = true;
    s.StopAtFrame = stopAt;
    s.Seed = seed;
    return RunOffscreen(s);
}

// Column pairs and rows as the effect draws them: list 0, 2, ..., 2 (W / 2); per frame idx = rand % count,
// then r = rand % H.
struct CrossLinesPlan {
    std::vector<int> Columns;
    std::vector<int> Rows;
};

CrossLinesPlan Plan(int w, int h, unsigned seed)
{
    CrossLinesPlan plan;
    std::vector<int> list;
    for (int v = 0; v <= 2 * (w / 2); v += 2)
        list.push_back(v);
    rtl::srand(seed);
    while (!list.empty()) {
        const int idx = rtl::rand() % static_cast<int>(list.size());
        plan.Columns.push_back(list[idx]);
        plan.Rows.push_back(rtl::rand() % h);
        list.erase(list.begin() + idx);
    }
    return plan;
}

TEST(RandomCrossLines, DrawsEachColumnPairOnceWithARandomRowPairPerFrame)
{
    const int W = 30, H = 40;
    const OffscreenResult r = RunEffect(kRandomCrossLines, W, H);
    const CrossLinesPlan plan = Plan(W, H, 12345);

    ASSERT_EQ(r.Frames, W / 2 + 1);  // the last entry, 30, lies past the picture
    EXPECT_EQ(r.Pauses, std::vector<int>(16, 5));
    EXPECT_EQ(r.StepInFrames, std::vector<int>(16, 2));
    EXPECT_EQ(r.StepAfter, 9);
    std::set<int> columns, rows;
    for (int f = 1; f <= r.Frames; ++f) {
        columns.insert(plan.Columns[f - 1]);
        rows.insert(plan.Rows[f - 1]);
        const int wrong = Mismatches(r.Shots[f - 1], [&](int x, int y) {
            return columns.count(x - x % 2) || rows.count(y) || (y > 0 && rows.count(y - 1));
        });
        EXPECT_EQ(wrong, 0) << "frame " << f;
    }
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(RandomCrossLines, OneColumnTakesOneFrameAndOtherSeedsOtherOrders)
{
    EXPECT_EQ(RunEffect(kRandomCrossLines, 1, 9).Frames, 1);
    EXPECT_EQ(HiddenPixels(RunEffect(kRandomCrossLines, 1, 9).End), 0);

    const OffscreenResult a = RunEffect(kRandomCrossLines, 40, 10, 0, 1000);
    const OffscreenResult b = RunEffect(kRandomCrossLines, 40, 10, 0, 1001);
    ASSERT_EQ(a.Frames, b.Frames);
    int same = 0;
    for (int f = 0; f < a.Frames; ++f)
        same += a.Shots[f] == b.Shots[f];
    EXPECT_LT(same, a.Frames);
}

TEST(RandomCrossLines, AStopLeavesThePictureAsFarAsItCame)
{
    const OffscreenResult r = RunEffect(kRandomCrossLines, 30, 40, 3);
    ASSERT_EQ(r.Frames, 3);
    EXPECT_TRUE(r.End == r.Shots[2]);
    EXPECT_GT(HiddenPixels(r.End), 0);
    EXPECT_EQ(r.StepAfter, 9);
}

// The picture pixel (px, py) at (x, y) of the shot; the background when px < 0.
bool ShowsPixel(const Snapshot& shot, int x, int y, int px, int py)
{
    return shot.At(x, y) == (px < 0 ? CoordPixel(x, y, kBackgroundMark) : CoordPixel(px, py, kPictureMark));
}

// Lines of a Roll frame: each line shows a picture line (flat or mirrored) or, for -1, its background.
template <typename LineSource>
int WrongLines(const Snapshot& shot, bool rows, LineSource source)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const int from = source(rows ? y : x);
            wrong += rows ? !ShowsPixel(shot, x, y, from < 0 ? -1 : x, from)
                          : !ShowsPixel(shot, x, y, from, from < 0 ? -1 : y);
        }
    return wrong;
}

TEST(Roll, DownLaysRowsFlatAndShowsTheNext30UpsideDown)
{
    const OffscreenResult r = RunEffect(kRollDown, 8, 100);
    ASSERT_EQ(r.Frames, 100);
    EXPECT_EQ(r.Pauses, std::vector<int>(100, 5));
    EXPECT_EQ(r.StepInFrames, std::vector<int>(100, 2));
    EXPECT_EQ(r.StepAfter, 9);
    // i = 0: rows 0-29 show rows 59 down to 30; i = 40: rows 0-39 flat, 40-69 show 99 down to 70.
    EXPECT_EQ(WrongLines(r.Shots[0], true, [](int y) { return y < 30 ? 59 - y : -1; }), 0);
    EXPECT_EQ(WrongLines(r.Shots[40], true, [](int y) { return y < 40 ? y : y < 70 ? 139 - y : -1; }), 0);
    for (int f = 0; f < r.Frames; ++f)
        EXPECT_EQ(ForeignPixels(r.Shots[f], 8, 100), 0) << "frame " << f + 1;
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Roll, DownOnAShortPictureHasNoBandToShow)
{
    // H = 20: end is 20 from the first frame and every mirrored source lies past the picture.
    const OffscreenResult r = RunEffect(kRollDown, 6, 20);
    ASSERT_EQ(r.Frames, 20);
    for (int f = 1; f <= 20; ++f)
        EXPECT_EQ(WrongLines(r.Shots[f - 1], true, [&](int y) { return y < f - 1 ? y : -1; }), 0) << "frame " << f;
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Roll, RightIsDownWithColumns)
{
    const OffscreenResult r = RunEffect(kRollRight, 100, 5);
    ASSERT_EQ(r.Frames, 100);
    EXPECT_EQ(WrongLines(r.Shots[10], false, [](int x) { return x < 10 ? x : x < 40 ? 79 - x : -1; }), 0);
    for (int f = 0; f < r.Frames; ++f)
        EXPECT_EQ(ForeignPixels(r.Shots[f], 100, 5), 0) << "frame " << f + 1;
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Roll, UpRunsToRollLine0AndLeftStopsAt1)
{
    const OffscreenResult up = RunEffect(kRollUp, 6, 100);
    ASSERT_EQ(up.Frames, 101);  // i = 100 .. 0
    EXPECT_EQ(up.Pauses, std::vector<int>(101, 5));
    // i = 100: rows 70-99 show rows 69 down to 40; i = 60: rows 60-99 flat, 30-59 show 29 down to 0.
    EXPECT_EQ(WrongLines(up.Shots[0], true, [](int y) { return y >= 70 ? 139 - y : -1; }), 0);
    EXPECT_EQ(WrongLines(up.Shots[40], true, [](int y) { return y >= 60 ? y : y >= 30 ? 59 - y : -1; }), 0);
    EXPECT_EQ(HiddenPixels(up.Shots[100]), 0);  // the roll line at 0: every row flat

    const OffscreenResult left = RunEffect(kRollLeft, 100, 6);
    ASSERT_EQ(left.Frames, 100);  // i = 100 .. 1
    EXPECT_EQ(WrongLines(left.Shots[0], false, [](int x) { return x >= 70 ? 139 - x : -1; }), 0);
    for (int f = 0; f < left.Frames; ++f)
        EXPECT_EQ(ForeignPixels(left.Shots[f], 100, 6), 0) << "frame " << f + 1;
    // i = 1: columns 1-99 flat; column 0 would take column -30 and keeps what it showed.
    int wrongFlat = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 1; x < 100; ++x)
            wrongFlat += !Revealed(left.Shots[99], x, y);
    EXPECT_EQ(wrongFlat, 0);
    EXPECT_EQ(HiddenPixels(left.End), 0);
}

TEST(Roll, AStopStillMakesTheFinalCopy)
{
    for (int effect : {kRollDown, kRollLeft, kRollRight, kRollUp}) {
        const OffscreenResult r = RunEffect(effect, 40, 40, 5);
        ASSERT_EQ(r.Frames, 5) << effect;
        EXPECT_EQ(HiddenPixels(r.End), 0) << effect;
        EXPECT_EQ(r.StepAfter, 9) << effect;
    }
}

} // namespace
