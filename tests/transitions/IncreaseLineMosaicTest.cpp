// Increase show (47), the Line effects (48-55), Lines (56, 57) and Mosaic (58): frame counts, pauses, the
// pieces each frame lays, and complete pictures for every side length.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "OffscreenRun.h"

namespace {

OffscreenResult RunEffect(int effect, int w, int h, bool keepFrames = false, int stopAt = 0)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = 25;  // none of these effects uses it
    s.KeepFrames = keepFrames;
    s.StopAtFrame = stopAt;
    return RunOffscreen(s);
}

// Pixels that show the picture in `after` but not in `before`.
std::vector<POINT> NewlyRevealed(const Snapshot& before, const Snapshot& after)
{
    std::vector<POINT> fresh;
    for (int y = 0; y < after.Height; ++y)
        for (int x = 0; x < after.Width; ++x)
            if (Revealed(after, x, y) && !Revealed(before, x, y))
                fresh.push_back({x, y});
    return fresh;
}

Snapshot Untouched(int w, int h)
{
    Snapshot s;
    s.Width = w;
    s.Height = h;
    s.Pixels.assign(static_cast<size_t>(w) * h, 0);
    return s;
}

// Rows (or columns) that show the picture across the whole picture.
std::set<int> FullLines(const Snapshot& shot, bool columns)
{
    std::set<int> lines;
    const int count = columns ? shot.Width : shot.Height;
    const int length = columns ? shot.Height : shot.Width;
    for (int a = 0; a < count; ++a) {
        bool full = true;
        for (int b = 0; b < length && full; ++b)
            full = columns ? Revealed(shot, a, b) : Revealed(shot, b, a);
        if (full)
            lines.insert(a);
    }
    return lines;
}

TEST(IncreaseShow, TakesAHundredFramesOfTenMsAndEndsWithThePicture)
{
    for (const POINT size : {POINT{30, 17}, POINT{61, 47}, POINT{1, 1}}) {
        const OffscreenResult r = RunEffect(47, size.x, size.y);
        EXPECT_EQ(r.Frames, 100) << size.x << "x" << size.y;
        EXPECT_EQ(r.Pauses, std::vector<int>(100, 10));
        EXPECT_EQ(HiddenPixels(r.End), 0);
    }
}

TEST(IncreaseShow, LaysAtMostOneThreeByThreeDotPerTenPixelCellAndFrame)
{
    const OffscreenResult r = RunEffect(47, 61, 47, true);
    ASSERT_EQ(r.Shots.size(), 100u);
    const int cells = 7 * 5;
    const int first = 61 * 47 - HiddenPixels(r.Shots[0]);
    EXPECT_GT(first, 0);
    EXPECT_LE(first, cells * 9);
    // Dots accumulate: later frames show more of the picture, still not all of it.
    EXPECT_LT(HiddenPixels(r.Shots[99]), HiddenPixels(r.Shots[0]));
    EXPECT_GT(HiddenPixels(r.Shots[99]), 0);
}

TEST(IncreaseShow, ShowsTheWholePictureAfterAStop)
{
    const OffscreenResult r = RunEffect(47, 30, 17, false, 3);
    EXPECT_EQ(r.Frames, 3);
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

struct LineMember {
    int Number;
    bool Columns;
    int PauseMs;
};

const LineMember kLineMembers[] = {
    {48, false, 10}, {49, false, 10}, {50, true, 5}, {51, true, 5},
    {52, true, 5},   {53, true, 5},   {54, false, 5}, {55, false, 5},
};

TEST(LineEffects, PauseAsListedAndCoverEverySideLength)
{
    for (const LineMember& m : kLineMembers) {
        for (int n = 1; n <= 14; ++n) {
            const OffscreenResult r = m.Columns ? RunEffect(m.Number, n, 3) : RunEffect(m.Number, 3, n);
            const std::string what = "effect " + std::to_string(m.Number) + ", side " + std::to_string(n);
            EXPECT_EQ(HiddenPixels(r.End), 0) << what;
            EXPECT_EQ(r.Pauses, std::vector<int>(static_cast<size_t>(r.Frames), m.PauseMs)) << what;
            // Two passes of lines 4 apart: about one frame per 2 pixels, never more than one per pixel + 2.
            EXPECT_GE(r.Frames, n / 2) << what;
            EXPECT_LE(r.Frames, n + 2) << what;
        }
    }
}

TEST(LineEffects, ThreeRowsDownLaysRowZeroThenRowTwo)
{
    const OffscreenResult r = RunEffect(48, 5, 3, true);
    ASSERT_EQ(r.Frames, 2);
    EXPECT_EQ(FullLines(r.Shots[0], false), (std::set<int>{0, 1}));
    EXPECT_EQ(FullLines(r.Shots[1], false), (std::set<int>{0, 1, 2}));
}

TEST(LineEffects, ThreeRowsUpReboundLaysOneThenMinusOneThenThree)
{
    const OffscreenResult r = RunEffect(55, 5, 3, true);
    ASSERT_EQ(r.Frames, 3);
    EXPECT_EQ(FullLines(r.Shots[0], false), (std::set<int>{1, 2}));
    EXPECT_EQ(FullLines(r.Shots[1], false), (std::set<int>{0, 1, 2}));  // the line at -1 covers row 0
    EXPECT_EQ(HiddenPixels(r.Shots[2]), 0);
}

// Odd sides from 5 upward: the upward and leftward members reach row (column) 0 through the line at -1.
TEST(LineEffects, UpwardAndLeftwardMembersReachTheFirstRowOnOddSides)
{
    for (const int n : {5, 7, 9, 13}) {
        for (const LineMember& m : kLineMembers) {
            if (m.Number != 50 && m.Number != 51 && m.Number != 54 && m.Number != 55)
                continue;
            const OffscreenResult r = m.Columns ? RunEffect(m.Number, n, 4, true) : RunEffect(m.Number, 4, n, true);
            const std::string what = "effect " + std::to_string(m.Number) + ", side " + std::to_string(n);
            ASSERT_FALSE(r.Shots.empty()) << what;
            EXPECT_EQ(FullLines(r.Shots.back(), m.Columns).count(0), 1u) << what;
            EXPECT_EQ(HiddenPixels(r.End), 0) << what;
        }
    }
}

TEST(LineEffects, DownLaysEveryOtherPairOfRowsInTheFirstPass)
{
    const OffscreenResult r = RunEffect(48, 7, 16, true);
    // Rows 0, 4, 8, 12 and the line at 16 (below the picture), then 2, 6, 10 and 14.
    ASSERT_EQ(r.Frames, 9);
    EXPECT_EQ(FullLines(r.Shots[4], false), (std::set<int>{0, 1, 4, 5, 8, 9, 12, 13}));
    EXPECT_EQ(HiddenPixels(r.Shots[8]), 0);
}

TEST(LinesEffects, TakeHalfTheSidePlusOneFramesOfEightMs)
{
    for (const POINT size : {POINT{30, 17}, POINT{61, 47}, POINT{2, 3}}) {
        const OffscreenResult h = RunEffect(56, size.x, size.y);
        EXPECT_EQ(h.Frames, size.y / 2 + 1);
        EXPECT_EQ(h.Pauses, std::vector<int>(static_cast<size_t>(size.y / 2 + 1), 8));
        EXPECT_EQ(HiddenPixels(h.End), 0);
        const OffscreenResult v = RunEffect(57, size.x, size.y);
        EXPECT_EQ(v.Frames, size.x / 2 + 1);
        EXPECT_EQ(v.Pauses, std::vector<int>(static_cast<size_t>(size.x / 2 + 1), 8));
        EXPECT_EQ(HiddenPixels(v.End), 0);
    }
}

// Each frame adds one whole 2-pixel line at an even offset, each line once.
TEST(LinesEffects, EachFrameAddsOneEvenTwoPixelLine)
{
    for (const bool columns : {false, true}) {
        const OffscreenResult r = RunEffect(columns ? 57 : 56, 30, 20, true);
        const int lines = (columns ? 30 : 20) / 2 + 1;
        ASSERT_EQ(r.Frames, lines);
        std::set<int> seen;
        Snapshot before = Untouched(30, 20);
        for (const Snapshot& shot : r.Shots) {
            const std::vector<POINT> fresh = NewlyRevealed(before, shot);
            const int at = fresh.empty() ? -1 : (columns ? fresh.front().x : fresh.front().y);
            if (at == -1) {
                // The line at the far edge lies outside the picture.
                seen.insert(columns ? 30 : 20);
            } else {
                EXPECT_EQ(at % 2, 0);
                EXPECT_EQ(fresh.size(), static_cast<size_t>(2 * (columns ? 20 : 30)));
                seen.insert(at);
            }
            before = shot;
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(lines));
    }
}

TEST(Mosaic, TakesFourHundredFramesOfEightMs)
{
    for (const POINT size : {POINT{30, 17}, POINT{9, 7}, POINT{101, 33}}) {
        const OffscreenResult r = RunEffect(58, size.x, size.y);
        EXPECT_EQ(r.Frames, 400);
        EXPECT_EQ(r.Pauses, std::vector<int>(400, 8));
        EXPECT_EQ(HiddenPixels(r.End), 0);
    }
}

// At 61 x 47 the tiles are 4 x 3; the grid of 20 x 20 tiles reaches past the picture, and tiles wholly
// outside it reveal nothing.
TEST(Mosaic, EachFrameLaysOneTileOfTheGrid)
{
    const OffscreenResult r = RunEffect(58, 61, 47, true);
    ASSERT_EQ(r.Frames, 400);
    Snapshot before = Untouched(61, 47);
    int tilesSeen = 0;
    for (const Snapshot& shot : r.Shots) {
        const std::vector<POINT> fresh = NewlyRevealed(before, shot);
        before = shot;
        if (fresh.empty())
            continue;
        ++tilesSeen;
        const int left = fresh.front().x, top = fresh.front().y;
        EXPECT_EQ(left % 4, 0);
        EXPECT_EQ(top % 3, 0);
        for (const POINT& p : fresh) {
            EXPECT_TRUE(p.x >= left && p.x < left + 4 && p.y >= top && p.y < top + 3);
        }
    }
    // Columns 0..15 (the 16th starts at 60) and rows 0..15 (the 16th starts at 45) hold picture.
    EXPECT_EQ(tilesSeen, 16 * 16);
}

} // namespace
