// Zig-zag effects 157-160: one cell of a 20 x 20 grid per frame, in snake order, 400 frames of 25 ms.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"

namespace {

constexpr int kZigzagDown = 157;
constexpr int kZigzagLeft = 158;
constexpr int kZigzagRight = 159;
constexpr int kZigzagUp = 160;

// The top-left pixel of cell (c, r) shows at the frame, and the cell was not shown a frame before.
void ExpectCellAppearsAt(const ProbeResult& r, int frame, int c, int row, int cw, int ch)
{
    EXPECT_TRUE(ShowsOwn(r.Shots.at(frame), c * cw, row * ch)) << "cell " << c << "," << row << " at " << frame;
    EXPECT_TRUE(ShowsBackground(r.Shots.at(frame - 1), c * cw, row * ch))
        << "cell " << c << "," << row << " before " << frame;
}

TEST(Zigzag, DownAt800x600WalksCellsOf41x31RowByRow)
{
    ProbeSetup s;
    s.Effect = kZigzagDown;
    s.W = 800;
    s.H = 600;
    s.Probes = {1, 19, 20, 21, 39, 40, 41};
    const ProbeResult r = RunProbe(s);

    ASSERT_EQ(r.Frames, 400);
    EXPECT_EQ(r.Pauses, std::vector<int>(400, 25));
    EXPECT_EQ(Mismatches(r.Shots.at(1), [](int x, int y) { return x < 41 && y < 31; }), 0);
    // Frame 20 copies cell (19, 0), reaching past the right edge; 21 turns to (19, 1); 40 is (0, 1); 41 (0, 2).
    ExpectCellAppearsAt(r, 20, 19, 0, 41, 31);
    ExpectCellAppearsAt(r, 21, 19, 1, 41, 31);
    ExpectCellAppearsAt(r, 40, 0, 1, 41, 31);
    ExpectCellAppearsAt(r, 41, 0, 2, 41, 31);
    EXPECT_EQ(Mismatches(r.Shots.at(20), [](int, int y) { return y < 31; }), 0);
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Zigzag, LeftAndUpStartFromTheirLastLineAndRightFromColumn0)
{
    ProbeSetup s;
    s.W = 219;  // cells of 11 x 11; column and row 19 start at 209, inside the picture
    s.H = 219;
    s.Probes = {1, 2, 19, 20, 21};

    s.Effect = kZigzagLeft;
    ProbeResult r = RunProbe(s);
    EXPECT_EQ(r.Frames, 400);
    EXPECT_EQ(Mismatches(r.Shots.at(1), [](int x, int y) { return x >= 19 * 11 && y < 11; }), 0);
    ExpectCellAppearsAt(r, 2, 19, 1, 11, 11);
    EXPECT_EQ(Mismatches(r.Shots.at(20), [](int x, int) { return x >= 19 * 11; }), 0);
    ExpectCellAppearsAt(r, 21, 18, 19, 11, 11);

    s.Effect = kZigzagUp;
    r = RunProbe(s);
    EXPECT_EQ(Mismatches(r.Shots.at(1), [](int x, int y) { return x < 11 && y >= 19 * 11; }), 0);
    ExpectCellAppearsAt(r, 21, 19, 18, 11, 11);

    s.Effect = kZigzagRight;
    r = RunProbe(s);
    EXPECT_EQ(Mismatches(r.Shots.at(1), [](int x, int y) { return x < 11 && y < 11; }), 0);
    ExpectCellAppearsAt(r, 20, 0, 19, 11, 11);
    ExpectCellAppearsAt(r, 21, 1, 19, 11, 11);
}

TEST(Zigzag, ANarrowPictureIsCompleteOnceItsColumnsAreWalked)
{
    // 10 px wide: cells 1 px wide; the frames for columns 10 to 19 draw nothing inside the picture.
    ProbeSetup s;
    s.Effect = kZigzagRight;
    s.W = 10;
    s.H = 40;
    s.Probes = {199, 200};
    const ProbeResult r = RunProbe(s);
    EXPECT_EQ(r.Frames, 400);
    EXPECT_GT(Mismatches(r.Shots.at(199), [](int, int) { return true; }), 0);
    EXPECT_EQ(Mismatches(r.Shots.at(200), [](int, int) { return true; }), 0);
}

TEST(Zigzag, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {157, 25},
        {158, 25},
        {159, 25},
        {160, 25},
    });
}

} // namespace
