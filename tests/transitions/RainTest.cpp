// Rain effects 95-98: the band of Step lines stretched over the part not yet revealed, 1 ms per frame, the
// whole picture at the end (also after a stop); "down" works in halftone and gives both targets back the
// back buffer's former stretch mode.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "OffscreenRun.h"
#include "classlib/Thread.h"
#include "transitions/EffectKit.h"
#include "transitions/EffectTable.h"
#include "transitions/Rain.h"
#include "transitions/TransitionTestSeam.h"

namespace {

constexpr int kRainDown = 95;
constexpr int kRainLeft = 96;
constexpr int kRainRight = 97;
constexpr int kRainUp = 98;

OffscreenResult RunRain(int effect, int w, int h, int step, int stopAt = 0)
{
    OffscreenSetup s;
    s.Effect = effect;
    s.W = w;
    s.H = h;
    s.Step = step;
    s.KeepFrames = true;
    s.StopAtFrame = stopAt;
    return RunOffscreen(s);
}

int Marked(uint32_t v)
{
    return (v & 0xFF) == kPictureMark;
}

// Pixels that are not what a Rain frame may show: the own picture pixel where `placed` says so, elsewhere
// in the stretched part a pixel of the picture mixed from lines [from, to) (rows when `rows`, else columns).
// A band squeezed into fewer lines than it has is merged by the target's stretch mode (AND by default), so
// only the picture's marker is asked of it.
template <typename Placed>
int WrongRainPixels(const Snapshot& shot, Placed placed, bool rows, int from, int to, bool squeezed = false)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const uint32_t v = shot.At(x, y);
            if (placed(x, y)) {
                wrong += !Revealed(shot, x, y);
                continue;
            }
            const int line = rows ? static_cast<int>((v >> 8) & 0xFF) : static_cast<int>(v >> 16);
            wrong += !Marked(v) || (!squeezed && (line < from || line >= to));
        }
    return wrong;
}

TEST(Rain, DownPlacesEachBandOneFrameAfterStretchingIt)
{
    // H = 30, S = 7: s = 0, 7, 14, 21, 28.
    const OffscreenResult r = RunRain(kRainDown, 12, 30, 7);
    ASSERT_EQ(r.Frames, 5);
    EXPECT_EQ(r.Pauses, std::vector<int>(5, 1));
    for (int f = 1; f <= 5; ++f) {
        const int s = 7 * (f - 1);
        EXPECT_EQ(WrongRainPixels(r.Shots[f - 1], [&](int, int y) { return y < s; }, true, s, s + 7), 0)
            << "frame " << f;
    }
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Rain, RightPlacesEachBandOneFrameAfterStretchingIt)
{
    // W = 20, S = 6: s = 0, 6, 12, 18; the last band holds columns 18 and 19 only.
    const OffscreenResult r = RunRain(kRainRight, 20, 9, 6);
    ASSERT_EQ(r.Frames, 4);
    EXPECT_EQ(r.Pauses, std::vector<int>(4, 1));
    for (int f = 1; f <= 4; ++f) {
        const int s = 6 * (f - 1);
        EXPECT_EQ(WrongRainPixels(r.Shots[f - 1], [&](int x, int) { return x < s; }, false, s, s + 6), 0)
            << "frame " << f;
    }
    EXPECT_EQ(HiddenPixels(r.End), 0);
}

TEST(Rain, LeftAndUpPlaceEachBandInTheFrameThatStretchesIt)
{
    // W = 30, S = 7: a = 7, 14, 21, 28; c = 23, 16, 9, 2.
    const OffscreenResult left = RunRain(kRainLeft, 30, 9, 7);
    ASSERT_EQ(left.Frames, 4);
    EXPECT_EQ(left.Pauses, std::vector<int>(4, 1));
    for (int f = 1; f <= 4; ++f) {
        const int c = 30 - 7 * f;
        EXPECT_EQ(WrongRainPixels(left.Shots[f - 1], [&](int x, int) { return x >= c; }, false, c, c + 7, c < 7), 0)
            << "left, frame " << f;
    }
    EXPECT_EQ(HiddenPixels(left.End), 0);

    // H = 25, S = 10: a = 10, 20; c = 15, 5.
    const OffscreenResult up = RunRain(kRainUp, 8, 25, 10);
    ASSERT_EQ(up.Frames, 2);
    EXPECT_EQ(up.Pauses, std::vector<int>(2, 1));
    for (int f = 1; f <= 2; ++f) {
        const int c = 25 - 10 * f;
        EXPECT_EQ(WrongRainPixels(up.Shots[f - 1], [&](int, int y) { return y >= c; }, true, c, c + 10, c < 10), 0)
            << "up, frame " << f;
    }
    EXPECT_EQ(HiddenPixels(up.End), 0);
}

TEST(Rain, AStepAsLargeAsThePictureRunsOneFrameDownAndRightAndNoneLeftAndUp)
{
    for (int step : {30, 100000, INT_MAX}) {
        // The first band is the whole picture, stretched onto itself; a step of INT_MAX must not wrap.
        for (int effect : {kRainDown, kRainRight}) {
            const OffscreenResult r = RunRain(effect, 30, 30, step);
            EXPECT_EQ(r.Frames, 1) << effect << " step " << step;
            EXPECT_EQ(HiddenPixels(r.End), 0) << effect << " step " << step;
        }
        for (int effect : {kRainLeft, kRainUp}) {
            const OffscreenResult r = RunRain(effect, 30, 30, step);
            EXPECT_EQ(r.Frames, 0) << effect << " step " << step;
            EXPECT_EQ(HiddenPixels(r.End), 0) << effect << " step " << step;
        }
    }
    EXPECT_EQ(LiveTempPictureCount(), 0);
}

TEST(Rain, AStopStillEndsWithTheWholePicture)
{
    for (int effect : {kRainDown, kRainLeft, kRainRight, kRainUp}) {
        const OffscreenResult r = RunRain(effect, 40, 40, 3, 2);
        ASSERT_EQ(r.Frames, 2) << effect;
        EXPECT_EQ(HiddenPixels(r.End), 0) << effect;
    }
    EXPECT_EQ(LiveTempPictureCount(), 0);
}

// A member called on two pictures standing for the window and the back buffer, whose stretch modes the test
// sets beforehand and reads in every frame and afterwards.
struct ModeRun {
    std::vector<int> WindowModes;
    std::vector<int> BufferModes;
    int FramesWhereTargetsDiffer = 0;
    int WindowAfter = 0;
    int BufferAfter = 0;
};

ModeRun RunWithModes(EffectRoutine routine, int effect, int windowMode, int bufferMode, int stopAt)
{
    constexpr int W = 30, H = 12;
    CComPicture picture, window, buffer;
    FillCoordPicture(picture, W, H, kPictureMark);
    FillCoordPicture(window, W, H, kBackgroundMark);
    FillCoordPicture(buffer, W, H, kBackgroundMark);
    SetStretchBltMode(window.DC()->Handle(), windowMode);
    SetStretchBltMode(buffer.DC()->Handle(), bufferMode);

    ModeRun run;
    TThread thread;
    TransitionTestSeam seam;
    seam.OnPause = [](int) {};
    seam.OnFrame = [&](CTransitionEffects& fx) {
        run.WindowModes.push_back(GetStretchBltMode(fx.WindowDC));
        run.BufferModes.push_back(GetStretchBltMode(buffer.DC()->Handle()));
        run.FramesWhereTargetsDiffer += !(ReadPicture(window) == ReadPicture(buffer));
        if (static_cast<int>(run.WindowModes.size()) == stopAt)
            thread.Terminate();
    };

    CTransitionEffects fx;
    fx.Picture = &picture;
    fx.BackBuffer = &buffer;
    fx.WindowDC = window.DC()->Handle();
    fx.Thread = &thread;
    fx.Step = 7;
    fx.PictureWidth = W;
    fx.PictureHeight = H;
    fx.BufferWidth = W;
    fx.BufferHeight = H;
    g_TransitionTestSeam = &seam;
    routine(fx, MakeEffectArgs(g_EffectTable[effect], W, H));
    g_TransitionTestSeam = nullptr;

    run.WindowAfter = GetStretchBltMode(window.DC()->Handle());
    run.BufferAfter = GetStretchBltMode(buffer.DC()->Handle());
    return run;
}

TEST(Rain, DownStretchesInHalftoneAndGivesBothTargetsTheBackBuffersFormerMode)
{
    const ModeRun full = RunWithModes(RainDown, kRainDown, BLACKONWHITE, COLORONCOLOR, 0);
    ASSERT_EQ(full.WindowModes.size(), 2u);  // s = 0, 7
    EXPECT_EQ(full.WindowModes, std::vector<int>(2, HALFTONE));
    EXPECT_EQ(full.BufferModes, std::vector<int>(2, HALFTONE));
    EXPECT_EQ(full.WindowAfter, COLORONCOLOR);
    EXPECT_EQ(full.BufferAfter, COLORONCOLOR);

    const ModeRun stopped = RunWithModes(RainDown, kRainDown, COLORONCOLOR, WHITEONBLACK, 1);
    ASSERT_EQ(stopped.WindowModes.size(), 1u);
    EXPECT_EQ(stopped.WindowAfter, WHITEONBLACK);
    EXPECT_EQ(stopped.BufferAfter, WHITEONBLACK);
}

TEST(Rain, TheWindowShowsWhatTheBackBufferShowsWhateverTheirStretchModes)
{
    // W = 30, S = 7: the last frame squeezes 7 columns into 2, where the two modes would merge differently.
    const ModeRun left = RunWithModes(RainLeft, kRainLeft, BLACKONWHITE, HALFTONE, 0);
    ASSERT_EQ(left.WindowModes.size(), 4u);
    EXPECT_EQ(left.FramesWhereTargetsDiffer, 0);
    EXPECT_EQ(left.WindowAfter, BLACKONWHITE);  // neither mode is touched outside "down"
    EXPECT_EQ(left.BufferAfter, HALFTONE);

    const ModeRun right = RunWithModes(RainRight, kRainRight, WHITEONBLACK, COLORONCOLOR, 0);
    EXPECT_EQ(right.FramesWhereTargetsDiffer, 0);
}

} // namespace
