// Checkerboard effects 24-31: 40 frames of 20 ms, the cells of one colour in the first pass, the others in
// the second, each pass walking its lines in the order of its member.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "OffscreenRun.h"

namespace {

struct Member {
    int Number;
    bool Rows;          // walks rows (else columns)
    bool FirstForward;  // first pass walks lines 0 to 19 (else 19 to 0)
    bool SecondForward;
};

// The members' walks, as the effect list describes them.
const Member kMembers[] = {
    {24, true, true, true},    {25, true, true, false},  {26, false, true, true},  {27, false, true, false},
    {28, false, false, false}, {29, false, false, true}, {30, true, false, false}, {31, true, false, true},
};

// The frame (1..40) that lays the cell in row r, column c: in the first pass an even line takes its even
// cells and an odd line its odd cells; the second pass lays the rest.
int FrameOfCell(const Member& m, int r, int c)
{
    const int line = m.Rows ? r : c;
    const bool firstPass = (r + c) % 2 == 0;
    const bool forward = firstPass ? m.FirstForward : m.SecondForward;
    return (firstPass ? 0 : 20) + (forward ? line : 19 - line) + 1;
}

// 210 x 210 gives 11-pixel cells whose last row and column still hold one pixel of the picture.
constexpr int kSide = 210;
constexpr int kCell = (kSide + 20) / 20;

class CheckerboardMember : public ::testing::TestWithParam<Member> {};

TEST_P(CheckerboardMember, LaysEachCellAtItsFrameAndEndsComplete)
{
    const Member& m = GetParam();
    OffscreenSetup s;
    s.Effect = m.Number;
    s.W = s.H = kSide;
    s.Step = 25;  // not used by this family
    s.KeepFrames = true;
    const OffscreenResult r = RunOffscreen(s);

    ASSERT_EQ(r.Frames, 40);
    EXPECT_EQ(r.Pauses, std::vector<int>(40, 20));
    EXPECT_EQ(HiddenPixels(r.End), 0);
    for (int frame = 1; frame <= 40; ++frame) {
        const Snapshot& shot = r.Shots[frame - 1];
        for (int row = 0; row < 20; ++row)
            for (int col = 0; col < 20; ++col) {
                // Both corners of the cell that lie inside the picture.
                const int x0 = col * kCell, y0 = row * kCell;
                const int x1 = std::min(x0 + kCell, kSide) - 1, y1 = std::min(y0 + kCell, kSide) - 1;
                const bool due = FrameOfCell(m, row, col) <= frame;
                ASSERT_EQ(Revealed(shot, x0, y0), due) << "frame " << frame << " cell " << row << "," << col;
                ASSERT_EQ(Revealed(shot, x1, y1), due) << "frame " << frame << " cell " << row << "," << col;
            }
    }
}

TEST_P(CheckerboardMember, TakesFortyFramesWhateverTheSize)
{
    for (const auto& size : {std::pair<int, int>{1, 1}, {2, 3}, {19, 21}, {101, 33}, {47, 61}}) {
        OffscreenSetup s;
        s.Effect = GetParam().Number;
        s.W = size.first;
        s.H = size.second;
        const OffscreenResult r = RunOffscreen(s);
        EXPECT_EQ(r.Frames, 40) << s.W << "x" << s.H;
        EXPECT_EQ(HiddenPixels(r.End), 0) << s.W << "x" << s.H;
    }
}

TEST_P(CheckerboardMember, StopInTheFirstPassLeavesHalfTheBoard)
{
    const Member& m = GetParam();
    OffscreenSetup s;
    s.Effect = m.Number;
    s.W = s.H = kSide;
    s.StopAtFrame = 20;
    const OffscreenResult r = RunOffscreen(s);

    EXPECT_EQ(r.Frames, 20);
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 20; ++col)
            EXPECT_EQ(Revealed(r.End, col * kCell, row * kCell), (row + col) % 2 == 0) << row << "," << col;
}

INSTANTIATE_TEST_SUITE_P(All, CheckerboardMember, ::testing::ValuesIn(kMembers),
                         [](const ::testing::TestParamInfo<Member>& info) {
                             return "n" + std::to_string(info.param.Number);
                         });

} // namespace
