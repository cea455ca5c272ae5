// Multi-Box (89, 90) and Multi-Wipe (91-94): frame counts from the cell sizes, pauses, the step held at 2,
// the narrow-picture frames, and the corner each Multi-Wipe member grows from.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "OffscreenRun.h"
#include "CentredPicture.h"

namespace {

OffscreenResult RunEffect(int effect, int w, int h, int step = 7, bool keepFrames = false)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = step;
    s.KeepFrames = keepFrames;
    return RunOffscreen(s);
}

struct Size {
    int W, H;
};
const Size kSizes[] = {{30, 17}, {61, 47}, {101, 33}, {200, 120}};

TEST(MultiBox, TakesOneFramePerHalfCellWidthWithTwoMsPauses)
{
    for (const int effect : {89, 90}) {
        for (const Size& size : kSizes) {
            const OffscreenResult r = RunEffect(effect, size.W, size.H);
            const int frames = (size.W + 20) / 20;
            const std::string what = "effect " + std::to_string(effect) + " at " + std::to_string(size.W);
            EXPECT_EQ(r.Frames, frames) << what;
            EXPECT_EQ(r.Pauses, std::vector<int>(static_cast<size_t>(frames), 2)) << what;
            EXPECT_EQ(r.StepInFrames, std::vector<int>(static_cast<size_t>(frames), 2)) << what;
            EXPECT_EQ(r.StepAfter, 7) << what;
            EXPECT_EQ(HiddenPixels(r.End), 0) << what;
        }
    }
}

TEST(MultiBox, FromCenterOnANarrowPictureShowsOneFrameOfTheOldScreen)
{
    const OffscreenResult r = RunEffect(89, 9, 7, 1, true);
    ASSERT_EQ(r.Frames, 1);
    EXPECT_EQ(HiddenPixels(r.Shots[0]), 9 * 7);
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

// 19 x 20: half-cells 1 x 2, ratio 20/19, so every box is 2 pixels wide and 2 high about the centres
// (2i + 1, 4j + 2): the old screen shows in rows 4j + 1 and 4j + 2 across the whole width.
TEST(MultiBox, ToCenterOnANarrowPictureShowsTwoPixelBoxesOfTheOldScreen)
{
    const OffscreenResult r = RunEffect(90, 19, 20, 1, true);
    ASSERT_EQ(r.Frames, 1);
    const Snapshot& shot = r.Shots[0];
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 19; ++x)
            EXPECT_EQ(Revealed(shot, x, y), y % 4 == 0 || y % 4 == 3) << x << "," << y;
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

// Boxes grow about the cell centres: at 200 x 120 (half-cells 11 x 7, ratio 0.6) frame e + 1 shows boxes of
// half-width e and half-height trunc(0.6 e).
TEST(MultiBox, BoxesGrowAboutTheCellCentres)
{
    const OffscreenResult grow = RunEffect(89, 200, 120, 1, true);
    ASSERT_EQ(grow.Frames, 11);
    const Snapshot& shot = grow.Shots[5];  // e = 5, k = 3
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            const int dx = x % 22 - 11, dy = y % 14 - 7;  // offset from the cell's centre
            EXPECT_EQ(Revealed(shot, x, y), dx >= -5 && dx < 5 && dy >= -3 && dy < 3) << x << "," << y;
        }

    const OffscreenResult shrink = RunEffect(90, 200, 120, 1, true);
    ASSERT_EQ(shrink.Frames, 11);
    const Snapshot& first = shrink.Shots[0];  // e = 11, k = 6: full-width boxes of the old screen
    const Snapshot& later = shrink.Shots[6];  // e = 5, k = 3
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            const int dx = x % 22 - 11, dy = y % 14 - 7;
            EXPECT_EQ(Revealed(first, x, y), !(dy >= -6 && dy < 6)) << x << "," << y;
            EXPECT_EQ(Revealed(later, x, y), !(dx >= -5 && dx < 5 && dy >= -3 && dy < 3)) << x << "," << y;
        }
}

// A tall picture's boxes reach into the neighbouring cells: at 40 x 200 the half-cells are 3 x 11 and the
// ratio 5, so a box of half-width 3 is 30 high in cells 22 high. Each frame shows the old screen exactly in
// the boxes of its size (to center) or the picture exactly in them (from center).
TEST(MultiBox, OverlappingBoxesOfATallPicture)
{
    const int W = 40, H = 200, cw = 3, ch = 11;
    auto inAnyBox = [&](int x, int y, int e) {
        const int k = static_cast<int>(5.0 * e);
        for (int j = 0; j < 10; ++j)
            for (int i = 0; i < 10; ++i) {
                const int cx = (2 * i + 1) * cw, cy = (2 * j + 1) * ch;
                if (x >= cx - e && x < cx + e && y >= cy - k && y < cy + k)
                    return true;
            }
        return false;
    };
    const OffscreenResult grow = RunEffect(89, W, H, 1, true);
    const OffscreenResult shrink = RunEffect(90, W, H, 1, true);
    ASSERT_EQ(grow.Frames, cw);
    ASSERT_EQ(shrink.Frames, cw);
    for (int frame = 0; frame < cw; ++frame) {
        int wrong = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                wrong += Revealed(grow.Shots[frame], x, y) != inAnyBox(x, y, frame);
                wrong += Revealed(shrink.Shots[frame], x, y) == inAnyBox(x, y, cw - frame);
            }
        EXPECT_EQ(wrong, 0) << "frame " << frame + 1;
    }
}

TEST(MultiWipe, TakesOneFramePerCellWidthWhateverTheStep)
{
    for (int effect = 91; effect <= 94; ++effect) {
        for (const Size& size : kSizes) {
            for (const int step : {1, 25, 77}) {
                const OffscreenResult r = RunEffect(effect, size.W, size.H, step);
                const int frames = (size.W + 10) / 10;
                const std::string what = "effect " + std::to_string(effect) + " at " + std::to_string(size.W) +
                                         ", step " + std::to_string(step);
                EXPECT_EQ(r.Frames, frames) << what;
                EXPECT_EQ(r.Pauses, std::vector<int>(static_cast<size_t>(frames), 1)) << what;
                EXPECT_EQ(r.StepInFrames, std::vector<int>(static_cast<size_t>(frames), 2)) << what;
                EXPECT_EQ(r.StepAfter, step) << what;
                EXPECT_EQ(HiddenPixels(r.End), 0) << what;
            }
        }
    }
}

// At 101 x 61 the cells are 11 x 7. In frame 4 (legs 6 and 3) every cell shows the picture at the pixel
// beside its growing corner and the old screen at the opposite corner; the first frame shows nothing.
TEST(MultiWipe, EachMemberGrowsFromItsOwnCorner)
{
    struct Member {
        int Number;
        bool FromRight, FromBottom;
    };
    for (const Member m : {Member{91, false, true}, Member{92, true, true}, Member{93, false, false},
                           Member{94, true, false}}) {
        const OffscreenResult r = RunEffect(m.Number, 101, 61, 1, true);
        ASSERT_EQ(r.Frames, 11);
        EXPECT_EQ(HiddenPixels(r.Shots[0]), 101 * 61) << m.Number;
        const Snapshot& shot = r.Shots[3];
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 9; ++i) {
                const int left = i * 11, top = j * 7, right = left + 10, bottom = top + 6;
                const int cx = m.FromRight ? right : left, cy = m.FromBottom ? bottom : top;
                const int ox = m.FromRight ? left : right, oy = m.FromBottom ? top : bottom;
                EXPECT_TRUE(Revealed(shot, cx, cy)) << m.Number << ": cell " << i << "," << j;
                EXPECT_FALSE(Revealed(shot, ox, oy)) << m.Number << ": cell " << i << "," << j;
            }
    }
}

// Every frame shows exactly the pixels that the triangles of this and all earlier frames cover, each
// triangle made as its own polygon region: at 61 x 47 the cells are 7 x 5 and the ratio 47/61.
TEST(MultiWipe, FramesShowTheUnionOfAllTrianglesSoFar)
{
    struct Member {
        int Number, Dx, Dy;
    };
    const int W = 61, H = 47, cw = 7, ch = 5;
    const float ratio = 47.0f / 61.0f;
    for (const Member m : {Member{91, 1, -1}, Member{92, -1, -1}, Member{93, 1, 1}, Member{94, -1, 1}}) {
        const OffscreenResult r = RunEffect(m.Number, W, H, 1, true);
        ASSERT_EQ(r.Frames, cw);
        HRGN covered = CreateRectRgn(0, 0, 0, 0);
        for (int frame = 0; frame < cw; ++frame) {
            const int t = 2 * frame, k = static_cast<int>(static_cast<double>(ratio) * t);
            for (int j = m.Dy > 0 ? 0 : 1, rows = 0; rows < 10; ++j, ++rows)
                for (int i = m.Dx > 0 ? 0 : 1, cols = 0; cols < 10; ++i, ++cols) {
                    const POINT v[3] = {{i * cw, j * ch}, {i * cw + m.Dx * t, j * ch}, {i * cw, j * ch + m.Dy * k}};
                    HRGN triangle = CreatePolygonRgn(v, 3, WINDING);
                    CombineRgn(covered, covered, triangle, RGN_OR);
                    DeleteObject(triangle);
                }
            int wrong = 0;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    wrong += Revealed(r.Shots[frame], x, y) != (PtInRegion(covered, x, y) != 0);
            EXPECT_EQ(wrong, 0) << m.Number << ", frame " << frame + 1;
        }
        DeleteObject(covered);
    }
}

} // namespace

// A picture smaller than the window, centred in it: boxes and triangles are clipped where the picture lies.
TEST(MultiBoxAndWipe, ACentredSmallerPictureIsRevealedInItsPlace)
{
    ExpectCentredPictureRevealedInPlace(89, 94);
}
