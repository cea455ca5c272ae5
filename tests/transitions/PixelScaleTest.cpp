// Our own stretches: the smoothing one against an exact area average computed in doubles, through the threads
// and the pre-shrunk copies the Stretch effects use; the repeating one; both cut to their target.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "transitions/PixelScale.h"
#include "transitions/ParallelRows.h"
#include "transitions/PicturePyramid.h"

namespace {

struct Pixels {
    std::vector<uint32_t> Data;
    PixelRect Rect;
    Pixels(int w, int h, uint32_t fill = 0) : Data(static_cast<size_t>(w) * h, fill)
    {
        Rect = {Data.data(), w, h, w};
    }
};

// Threads of this process now, as the system lists them.
int ThreadCount()
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// Smooth in every channel, as photographs mostly are, with a sharp edge down the middle.
Pixels Picture(int w, int h)
{
    Pixels p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.Rect.Row(y)[x] = (x * 255 / w) << 16 | (y * 255 / h) << 8 | (x < w / 2 ? 30 : 220);
    return p;
}

// Channel c of the exact average of the source area under box pixel (bx, by) of a bw x bh box.
double Reference(const PixelRect& from, int bw, int bh, int bx, int by, int c)
{
    const double x0 = double(bx) * from.Width / bw, x1 = double(bx + 1) * from.Width / bw;
    const double y0 = double(by) * from.Height / bh, y1 = double(by + 1) * from.Height / bh;
    double sum = 0;
    for (int y = int(y0); y < from.Height && y < y1; ++y)
        for (int x = int(x0); x < from.Width && x < x1; ++x) {
            const double cover = (std::min(x1, x + 1.0) - std::max(x0, double(x))) *
                                 (std::min(y1, y + 1.0) - std::max(y0, double(y)));
            sum += cover * ((from.Row(y)[x] >> (8 * c)) & 0xFF);
        }
    return sum / ((x1 - x0) * (y1 - y0));
}

// The largest channel difference between the box at (x, y) of `to` and the exact average.
double WorstError(const PixelRect& from, const PixelRect& to, int x, int y, int bw, int bh)
{
    double worst = 0;
    for (int by = 0; by < bh; ++by)
        for (int bx = 0; bx < bw; ++bx)
            for (int c = 0; c < 3; ++c) {
                const int got = (to.Row(y + by)[x + bx] >> (8 * c)) & 0xFF;
                worst = std::max(worst, std::fabs(got - Reference(from, bw, bh, bx, by, c)));
            }
    return worst;
}

TEST(ScalePixels, MatchesTheExactAreaAverageShrinkingAndGrowing)
{
    const Pixels from = Picture(400, 300);
    CParallelRows rows;
    struct Box {
        int W, H;
    };
    for (const Box& box : {Box{400, 300}, Box{263, 300}, Box{400, 171}, Box{97, 61}, Box{3, 2}, Box{400, 977}}) {
        Pixels to(400, 977);
        ScalePixels(from.Rect, to.Rect, 0, 0, box.W, box.H, ScaleFilter::Average, &rows);
        EXPECT_LE(WorstError(from.Rect, to.Rect, 0, 0, box.W, box.H), 1.0) << box.W << " x " << box.H;
    }
}

// Across and down weigh alike: a stretch across only (each row taken straight from its source row, as the
// Stretch effects from the left and right have it) gives the pixels of the same stretch down, turned.
TEST(ScalePixels, AStretchAcrossIsTheStretchDownTurned)
{
    Pixels from = Picture(203, 57), turned(57, 203);
    for (int y = 0; y < 57; ++y)
        for (int x = 0; x < 203; ++x)
            turned.Rect.Row(x)[y] = from.Rect.Row(y)[x] |= static_cast<uint32_t>(x * 7 + y) << 24;
    CParallelRows rows;
    for (int w : {1, 2, 3, 64, 101, 202, 203, 399, 700}) {
        Pixels across(w, 57), down(57, w);
        ScalePixels(from.Rect, across.Rect, 0, 0, w, 57, ScaleFilter::Average, &rows);
        ScalePixels(turned.Rect, down.Rect, 0, 0, 57, w, ScaleFilter::Average, &rows);
        int differ = 0;
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < w; ++x)
                differ += across.Rect.Row(y)[x] != down.Rect.Row(x)[y];
        EXPECT_EQ(differ, 0) << "203 x 57 to " << w << " x 57";
    }
}

TEST(ScalePixels, NearestTakesTheSourcePixelUnderEachCentre)
{
    const Pixels from = Picture(40, 30);
    for (int w : {40, 97, 13}) {
        Pixels to(97, 61);
        ScalePixels(from.Rect, to.Rect, 0, 0, w, 61, ScaleFilter::Nearest, nullptr);
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(to.Rect.Row(y)[x], from.Rect.Row((2 * y + 1) * 30 / 122)[(2 * x + 1) * 40 / (2 * w)]) << w;
    }
}

TEST(ScalePixels, PreShrunkCopiesKeepCloseToTheAverageOfThePictureItself)
{
    const Pixels from = Picture(400, 300);
    CParallelRows rows;
    CPicturePyramid pyramid(from.Rect, rows);
    Pixels to(400, 300);
    for (int w : {390, 199, 120, 33}) {
        const int h = w * 3 / 4;
        const PixelRect& level = pyramid.For(w, h);
        EXPECT_LT(level.Width, 2 * w + 2);
        EXPECT_GE(level.Width, w);
        ScalePixels(level, to.Rect, 5, 7, w, h, ScaleFilter::Average, &rows);
        // Each halving rounds once more on the way.
        EXPECT_LE(WorstError(from.Rect, to.Rect, 5, 7, w, h), 2.0) << w;
    }
}

TEST(ScalePixels, WritesOnlyThePartOfTheBoxInsideTheTarget)
{
    const Pixels from = Picture(40, 30);
    CParallelRows rows;
    Pixels whole(60, 50), cut(20, 20, 0xABCDEF);
    ScalePixels(from.Rect, whole.Rect, 0, 0, 60, 50, ScaleFilter::Average, &rows);
    ScalePixels(from.Rect, cut.Rect, -30, -25, 60, 50, ScaleFilter::Average, &rows);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(cut.Rect.Row(y)[x], y < 25 && x < 30 ? whole.Rect.Row(y + 25)[x + 30] : 0xABCDEFu);
    ScalePixels(from.Rect, cut.Rect, 20, 0, 10, 10, ScaleFilter::Average, &rows);  // wholly outside: nothing changes
    EXPECT_EQ(cut.Rect.Row(0)[19], whole.Rect.Row(25)[49]);
}

TEST(ParallelRows, EveryJobDoesEachRowOnceAndEndsBeforeTheNextBegins)
{
    CParallelRows rows;
    std::vector<std::atomic<int>> done(997);
    for (int job = 0; job < 300; ++job) {
        const int count = 500 + job % 497;
        for (int i = 0; i < count; ++i)
            done[i] = 0;
        // A part that throws leaves its rows undone and the others still run.
        const int thrown = job % 3 == 0 ? job % count : -1;
        rows.Run(count, int64_t{1} << 20, [&](int first, int last) {
            for (int i = first; i < last; ++i)
                if (i == thrown)
                    throw 1;
                else
                    ++done[i];
        });
        // The rest of the thrown part, at most a quarter of the rows, stays undone.
        for (int i = 0; i < count; ++i)
            if (thrown < 0 || i < thrown || i >= thrown + count / 4)
                ASSERT_EQ(done[i], 1) << "job " << job << " row " << i;
            else
                ASSERT_LE(done[i], 1) << "job " << job << " row " << i;
    }
}

// Workers still ending when the next transition starts its own, or when the process exits, made Wine hang the
// exit now and then (and once fault inside the system): the object takes its threads with it.
TEST(ParallelRows, NoWorkerOutlivesItsObject)
{
    const int before = ThreadCount();
    for (int transition = 0; transition < 20; ++transition) {
        {
            CParallelRows rows;
            rows.Run(1000, int64_t{1} << 20, [](int, int) {});
        }
        ASSERT_EQ(ThreadCount(), before) << "after transition " << transition;
    }
}

} // namespace
