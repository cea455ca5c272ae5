// Show and Shutter effects 112-119: the growing corner rectangle, the two combs and the bands, checked frame
// by frame against the figures of their description.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"

namespace {

constexpr int kShowFromBottomLeft = 112;
constexpr int kShowFromBottomRight = 113;
constexpr int kShowFromTopLeft = 114;
constexpr int kShowFromTopRight = 115;
constexpr int kShowLeftRight = 116;
constexpr int kShowUpDown = 117;
constexpr int kShutterHorizontal = 118;
constexpr int kShutterVertical = 119;

TEST(ShowFromCorner, TopLeftAt400x300GrowsTheHeightBy2WithProportionalWidths)
{
    ProbeSetup s;
    s.Effect = kShowFromTopLeft;
    s.W = 400;
    s.H = 300;
    s.Step = 7;  // not used
    s.Probes = {1, 2, 3, 4, 100, 150, 151};
    const ProbeResult r = RunProbe(s);

    // Heights 0, 2, ..., 298: 150 drawing frames, then one idle frame, each with 5 ms.
    ASSERT_EQ(r.Frames, 151);
    EXPECT_EQ(r.Pauses, std::vector<int>(151, 5));
    const int widths[] = {0, 2, 5, 8};
    for (int frame = 1; frame <= 4; ++frame) {
        const int ch = 2 * (frame - 1), cw = widths[frame - 1];
        EXPECT_EQ(Mismatches(r.Shots.at(frame), [&](int x, int y) { return x < cw && y < ch; }), 0)
            << "frame " << frame;
    }
    EXPECT_EQ(Mismatches(r.Shots.at(100), [](int x, int y) { return x < 264 && y < 198; }), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(150), [](int x, int y) { return x < 397 && y < 298; }), 0);
    EXPECT_TRUE(r.Shots.at(151) == r.Shots.at(150)) << "the idle frame draws nothing";
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(ShowFromCorner, EachMemberHangsFromItsCornerAndASquareIsDrivenByItsWidth)
{
    struct Case {
        int Effect;
        bool Right, Bottom;
    };
    const Case cases[] = {{kShowFromBottomLeft, false, true},
                          {kShowFromBottomRight, true, true},
                          {kShowFromTopLeft, false, false},
                          {kShowFromTopRight, true, false}};
    for (const Case& c : cases) {
        // 60 x 40: the height drives; frame 11 has ch = 20 and cw = 60 x 20 / 40 = 30.
        ProbeSetup s;
        s.Effect = c.Effect;
        s.W = 60;
        s.H = 40;
        s.Probes = {11};
        ProbeResult r = RunProbe(s);
        EXPECT_EQ(r.Frames, 21) << c.Effect;
        auto inBox = [&](int w, int h, int W, int H) {
            return [=](int x, int y) {
                return (c.Right ? x >= W - w : x < w) && (c.Bottom ? y >= H - h : y < h);
            };
        };
        EXPECT_EQ(Mismatches(r.Shots.at(11), inBox(30, 20, 60, 40)), 0) << c.Effect;

        // 30 x 30 counts as H >= W: the width drives, cw = 0, 2, ..., 28, then the idle frame.
        s.W = s.H = 30;
        s.Probes = {8};
        r = RunProbe(s);
        EXPECT_EQ(r.Frames, 16) << c.Effect;
        EXPECT_EQ(Mismatches(r.Shots.at(8), inBox(14, 14, 30, 30)), 0) << c.Effect;
    }
}

// What the comb shows at step i: line 2j of the area shows picture line 2 (half - i) + 2j and line
// 2 (half - i) + 2j + 1 shows picture line 2j + 1, for j = 0..i, where those lines exist; the rest is background.
int CombSourceLine(int line, int i, int half, int extent)
{
    const int shift = 2 * (half - i);
    if (line % 2 == 0 && line <= 2 * i && line + shift < extent)
        return line + shift;
    if (line % 2 == 1 && line >= shift + 1 && line <= shift + 2 * i + 1)
        return line - shift;
    return -1;
}

TEST(ShowComb, LeftRightMovesEvenColumnsRightAndOddColumnsLeftOneStepPerFrame)
{
    ProbeSetup s;
    s.Effect = kShowLeftRight;
    s.W = 41;
    s.H = 5;
    const int half = 41 / 2 + 1;
    s.Probes = AllFrames(half + 1);
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, half + 1);
    EXPECT_EQ(r.Pauses, std::vector<int>(half + 1, 2));
    for (int i = 0; i <= half; ++i) {
        const Snapshot& shot = r.Shots.at(i + 1);
        int wrong = 0;
        for (int y = 0; y < s.H; ++y)
            for (int x = 0; x < s.W; ++x) {
                const int source = CombSourceLine(x, i, half, s.W);
                wrong += !(source < 0 ? ShowsBackground(shot, x, y) : Shows(shot, x, y, source, y));
            }
        EXPECT_EQ(wrong, 0) << "frame " << i + 1;
    }
    // At i = half every column stands in its place, before the final copy.
    EXPECT_EQ(Mismatches(r.Shots.at(half + 1), [](int, int) { return true; }), 0);
}

TEST(ShowComb, UpDownMovesRowsTwoStepsPerFrameAndTakesHalfTheFrames)
{
    ProbeSetup s;
    s.Effect = kShowUpDown;
    s.W = 6;
    s.H = 40;
    const int half = 40 / 2 + 1;  // i = 0, 2, ..., 20: 11 frames
    s.Probes = AllFrames(11);
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 11);
    EXPECT_EQ(r.Pauses, std::vector<int>(11, 2));
    for (int f = 1; f <= 11; ++f) {
        const int i = 2 * (f - 1);
        const Snapshot& shot = r.Shots.at(f);
        int wrong = 0;
        for (int y = 0; y < s.H; ++y)
            for (int x = 0; x < s.W; ++x) {
                const int source = CombSourceLine(y, i, half, s.H);
                wrong += !(source < 0 ? ShowsBackground(shot, x, y) : Shows(shot, x, y, x, source));
            }
        EXPECT_EQ(wrong, 0) << "frame " << f;
    }
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);

    // The same extent across runs about half as many frames as "Show left-right".
    s.Effect = kShowLeftRight;
    s.W = 40;
    s.H = 6;
    s.Probes.clear();
    EXPECT_EQ(RunProbe(s).Frames, 22);
}

TEST(Shutter, HorizontalAt605RowsHas60BandsOf11RowsFilledFromAlternateSides)
{
    ProbeSetup s;
    s.Effect = kShutterHorizontal;
    s.W = 30;
    s.H = 605;
    const int frames = (30 + 2) / 2 + 1;  // s = 0, 2, ..., 32
    s.Probes = {1, 5, frames};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, frames);
    EXPECT_EQ(r.Pauses, std::vector<int>(frames, 2));
    for (int f : s.Probes) {
        const int pos = 2 * (f - 1);
        // Band k covers rows 11k to 11k + 10: even bands filled from the left, odd ones from the right.
        EXPECT_EQ(Mismatches(r.Shots.at(f),
                             [&](int x, int y) { return (y / 11) % 2 == 0 ? x < pos + 2 : x >= 30 - pos; }),
                  0)
            << "frame " << f;
    }
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Shutter, TenToNineteenRowsMakeOneBandFilledFromTheLeftOnly)
{
    ProbeSetup s;
    s.Effect = kShutterHorizontal;
    s.W = 20;
    s.H = 19;
    s.Probes = {4};
    const ProbeResult r = RunProbe(s);
    EXPECT_EQ(r.Frames, 12);
    EXPECT_EQ(Mismatches(r.Shots.at(4), [](int x, int) { return x < 8; }), 0);
}

TEST(Shutter, SidesUnderTenGetTheWholePictureWithoutFrames)
{
    for (int effect : {kShutterHorizontal, kShutterVertical})
        for (int side : {1, 5, 9}) {
            ProbeSetup s;
            s.Effect = effect;
            s.W = effect == kShutterHorizontal ? 40 : side;
            s.H = effect == kShutterHorizontal ? side : 40;
            const ProbeResult r = RunProbe(s);
            EXPECT_EQ(r.Frames, 0) << effect << " side " << side;
            EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0) << effect << " side " << side;
        }
}

TEST(Shutter, VerticalFillsEvenBandsFromTheTopAndOddBandsFromTheBottom)
{
    ProbeSetup s;
    s.Effect = kShutterVertical;
    s.W = 45;  // 4 bands of 12 columns, the last reaching past the edge
    s.H = 20;
    s.Probes = {3, 11};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 11);  // s = 0, 2, ..., 20
    EXPECT_EQ(r.Pauses, std::vector<int>(11, 2));
    EXPECT_EQ(Mismatches(r.Shots.at(3), [](int x, int y) { return (x / 12) % 2 == 0 ? y < 6 : y >= 14; }), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(11), [](int, int) { return true; }), 0);
}

TEST(ShowAndShutter, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {112, 5},
        {113, 5},
        {114, 5},
        {115, 5},
        {116, 2},
        {117, 2},
        {118, 2},
        {119, 2},
    });
}

} // namespace
