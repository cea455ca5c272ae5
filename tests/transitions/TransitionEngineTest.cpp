// The engine itself: the parameter block, the two log lines, the dispatch of odd numbers and the targets
// that may be missing, the stretch modes, the stop check, the random centres, names and pauses.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ProgramBench.h"
#include "TransitionHarness.h"
#include "classlib/Thread.h"
#include "data/FileLog.h"
#include "data/Random.h"
#include "transitions/EffectKit.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

namespace {

constexpr int kClientW = 120;
constexpr int kClientH = 80;

TransitionBench& Bench()
{
    return ProgramBench(kClientW, kClientH, 1);
}

int WrongPixels(const RunSetup& s, const Snapshot& shot)
{
    int wrong = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            wrong += shot.At(x, y) != Bench().Expected(s, x, y);
    return wrong;
}

bool ShowsBackgroundOnly(const Snapshot& shot)
{
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            if (shot.At(x, y) != CoordPixel(x, y, kBackgroundMark))
                return false;
    return true;
}

// Runs with a log file and returns what the log holds.
std::string RunLogged(const RunSetup& s, RunResult* result = nullptr)
{
    const std::string path = "transition_engine_test.log";
    { std::ofstream(path, std::ios::trunc); }
    {
        CFileLog log(path);
        CFileLog* previous = g_FileLog;
        g_FileLog = &log;
        RunResult r = Bench().Run(s);
        g_FileLog = previous;
        if (result)
            *result = r;
    }
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::remove(path.c_str());
    return text.str();
}

void ExpectBothLogLines(const std::string& log, int number)
{
    const std::string begin = "begin a transition show , transition effect index = " + std::to_string(number) + " \n";
    const size_t b = log.find("[TransitionEffects,(136)] : ");
    const size_t e = log.find("[TransitionEffects,(627)] : ");
    ASSERT_NE(b, std::string::npos) << log;
    ASSERT_NE(e, std::string::npos) << log;
    EXPECT_LT(b, e);
    EXPECT_NE(log.find(begin, b), std::string::npos) << log;
    EXPECT_NE(log.find("end a transition show\n", e), std::string::npos) << log;
}

TEST(TransitionParamsBlock, IsElevenWordsInTheDocumentedOrder)
{
    EXPECT_EQ(sizeof(TransitionParams), 11 * sizeof(void*));
    EXPECT_EQ(offsetof(TransitionParams, EffectIndex), 4 * sizeof(void*));
    EXPECT_EQ(offsetof(TransitionParams, X), 6 * sizeof(void*));
    EXPECT_EQ(offsetof(TransitionParams, Step), 8 * sizeof(void*));
    EXPECT_EQ(offsetof(TransitionParams, Thread), 10 * sizeof(void*));
}

TEST(TransitionLoadParams, ReadsTheBlockAndMendsTheStep)
{
    CComPicture picture, buffer;
    FillCoordPicture(picture, 13, 9, kPictureMark);
    FillCoordPicture(buffer, 40, 30, kStaleMark);
    TThread thread;
    TransitionParams p = {};
    p.Picture = &picture;
    p.BackBuffer = &buffer;
    p.EffectIndex = 57;
    p.EffectsOn = 0x100;  // only the low byte counts: effects off
    p.X = -4;
    p.Y = 6;
    p.Thread = &thread;
    for (intptr_t step : {0, -3, 1, 9}) {
        p.Step = step;
        CTransitionEffects fx;
        fx.LoadParams(p);
        EXPECT_EQ(fx.Step, step < 1 ? 1 : step);
        EXPECT_TRUE(fx.NoEffect);
        EXPECT_EQ(fx.EffectIndex, 57);
        EXPECT_EQ(fx.X, -4);
        EXPECT_EQ(fx.Y, 6);
        EXPECT_EQ(fx.PictureWidth, 13);
        EXPECT_EQ(fx.PictureHeight, 9);
        EXPECT_EQ(fx.BufferWidth, 40);
        EXPECT_EQ(fx.BufferHeight, 30);
        EXPECT_EQ(fx.Thread, &thread);
    }
    p.Picture = nullptr;
    p.BackBuffer = nullptr;
    p.EffectsOn = 1;
    CTransitionEffects fx;
    fx.LoadParams(p);
    EXPECT_FALSE(fx.NoEffect);
    EXPECT_EQ(fx.PictureWidth, 0);
    EXPECT_EQ(fx.BufferHeight, 0);
}

TEST(TransitionShow, EffectsOffLogsTheRequestedNumberAndCopiesOnce)
{
    RunSetup s;
    s.Effect = 20;
    s.EffectsOn = false;
    RunResult r;
    ExpectBothLogLines(RunLogged(s, &r), 20);
    EXPECT_EQ(r.Frames, 0);
    EXPECT_EQ(WrongPixels(s, r.EndBuffer), 0);
    EXPECT_TRUE(r.EndWindow == r.EndBuffer);
}

TEST(TransitionShow, NumbersOutsideTheTableShowThePlainCopyAndLogBothLines)
{
    for (int number : {200, -5, 161, -2}) {
        RunSetup s;
        s.Effect = number;
        RunResult r;
        ExpectBothLogLines(RunLogged(s, &r), number);
        EXPECT_EQ(r.Frames, 0) << number;
        EXPECT_EQ(WrongPixels(s, r.EndBuffer), 0) << number;
        EXPECT_TRUE(r.EndWindow == r.EndBuffer) << number;
    }
}

TEST(TransitionShow, AnEmptyPictureLeavesTheBackgroundAndStillLogs)
{
    for (int number : {-1, 0, 22, 23}) {
        RunSetup s;
        s.Effect = number;
        s.W = 0;
        s.H = 0;
        RunResult r;
        ExpectBothLogLines(RunLogged(s, &r), number);
        EXPECT_EQ(r.Frames, 0);
        EXPECT_TRUE(ShowsBackgroundOnly(r.EndBuffer)) << number;
        EXPECT_TRUE(ShowsBackgroundOnly(r.EndWindow)) << number;
    }
}

// Runs one transition with the given targets, outside the bench's usual setup.
void RunWith(HWND wnd, CComPicture* background, CComPicture* picture, CComPicture* buffer, int effect)
{
    TThread thread;
    TransitionParams p = {};
    p.Wnd = wnd;
    p.Background = background;
    p.Picture = picture;
    p.BackBuffer = buffer;
    p.EffectIndex = effect;
    p.EffectsOn = 1;
    p.X = 3;
    p.Y = 4;
    p.Step = 9;
    p.Thread = &thread;
    TransitionTestSeam seam;
    seam.OnPause = [](int) {};
    RunWithSeam(p, seam);
}

TEST(TransitionShow, MissingTargetsAreSkipped)
{
    RunSetup s;  // 30 x 17 at (3, 4)
    CComPicture picture, buffer;
    FillCoordPicture(picture, s.W, s.H, kPictureMark);
    for (int effect : {-1, 3, 21, 23}) {
        // No back buffer: the window still gets background and picture.
        RunWith(Bench().Window.Handle(), &Bench().Background, &picture, nullptr, effect);
        EXPECT_EQ(WrongPixels(s, ReadWindow(Bench().Window.Handle(), kClientW, kClientH)), 0) << effect;

        // A handle that is not a window: the back buffer alone is drawn.
        FillCoordPicture(buffer, kClientW, kClientH, kStaleMark);
        RunWith(reinterpret_cast<HWND>(static_cast<intptr_t>(0x7FFF0)), &Bench().Background, &picture, &buffer,
                effect);
        EXPECT_EQ(WrongPixels(s, ReadPicture(buffer)), 0) << effect;

        // No background: the picture still arrives; the rest of the buffer keeps what it had.
        FillCoordPicture(buffer, kClientW, kClientH, kStaleMark);
        RunWith(Bench().Window.Handle(), nullptr, &picture, &buffer, effect);
        const Snapshot shot = ReadPicture(buffer);
        EXPECT_EQ(shot.At(s.X + 5, s.Y + 5), CoordPixel(5, 5, kPictureMark)) << effect;
        EXPECT_EQ(shot.At(kClientW - 1, kClientH - 1), CoordPixel(kClientW - 1, kClientH - 1, kStaleMark));
        EXPECT_EQ(LiveRegionCount(), 0);
        EXPECT_EQ(LiveTempPictureCount(), 0);
    }
}

TEST(TransitionShow, SetStretchModesReturnsTheBackBuffersPreviousMode)
{
    CComPicture buffer;
    FillCoordPicture(buffer, 8, 8, kStaleMark);
    SetStretchBltMode(buffer.DC()->Handle(), COLORONCOLOR);
    TransitionParams p = {};
    p.BackBuffer = &buffer;
    CTransitionEffects fx;
    fx.LoadParams(p);
    EXPECT_EQ(fx.SetStretchModes(HALFTONE), COLORONCOLOR);
    EXPECT_EQ(GetStretchBltMode(buffer.DC()->Handle()), HALFTONE);

    CTransitionEffects noBuffer;
    EXPECT_EQ(noBuffer.SetStretchModes(HALFTONE), 0);
}

TEST(TransitionShow, IsTerminatedPumpsMessagesBeforeAnswering)
{
    TThread thread;
    CTransitionEffects fx;
    fx.Thread = &thread;
    EXPECT_FALSE(fx.IsTerminated());
    TestWindow::StopTarget = &thread;
    PostMessageW(Bench().Window.Handle(), TestWindow::kStopMessage, 0, 0);
    EXPECT_TRUE(fx.IsTerminated());
    TestWindow::StopTarget = nullptr;
}

TEST(EffectArgsTest, CentresFollowTheCornersAndTheRandomDraws)
{
    EffectArgs a = MakeEffectArgs(g_EffectTable[34], 30, 17);  // Circle right-bottom
    EXPECT_EQ(a.CentreX, 30);
    EXPECT_EQ(a.CentreY, 17);
    EXPECT_EQ(a.Arg1, 0);
    EXPECT_EQ(a.Arg2, 3);
    a = MakeEffectArgs(g_EffectTable[35], 30, 17);  // Circle right-top
    EXPECT_EQ(a.CentreX, 30);
    EXPECT_EQ(a.CentreY, 0);
    EXPECT_EQ(a.Arg1, 1);
    a = MakeEffectArgs(g_EffectTable[36], 31, 17);
    EXPECT_EQ(a.CentreX, 15);
    EXPECT_EQ(a.CentreY, 8);

    for (int number : {37, 44}) {
        // y is drawn first, then x, each in 1..side-1.
        rtl::srand(77);
        const int y = rtl::rand() % 16 + 1;
        const int x = rtl::rand() % 29 + 1;
        rtl::srand(77);
        a = MakeEffectArgs(g_EffectTable[number], 30, 17);
        EXPECT_EQ(a.CentreX, x) << number;
        EXPECT_EQ(a.CentreY, y) << number;

        // A side shorter than 2 has no such point: its half, without a draw.
        rtl::srand(5);
        const int next = rtl::rand();
        rtl::srand(5);
        a = MakeEffectArgs(g_EffectTable[number], 1, 1);
        EXPECT_EQ(a.CentreX, 0);
        EXPECT_EQ(a.CentreY, 0);
        EXPECT_EQ(rtl::rand(), next) << number;
    }
}

TEST(EffectNamesTest, KeepTheListedSpellingByteForByte)
{
    EXPECT_STREQ(g_EffectNames[0], "Band down large");
    EXPECT_STREQ(g_EffectNames[13], "Band left samll");
    EXPECT_STREQ(g_EffectNames[23], "Center(Envelop)");
    EXPECT_STREQ(g_EffectNames[108], "Scan to center(Vertical) ");
    EXPECT_STREQ(g_EffectNames[117], "Show up-dwon");
    EXPECT_STREQ(g_EffectNames[133], "Tow bar move down");
    EXPECT_STREQ(g_EffectNames[160], "Zig-zag up");
    for (int i = 0; i < kEffectCount; ++i)
        for (int j = i + 1; j < kEffectCount; ++j)
            EXPECT_STRNE(g_EffectNames[i], g_EffectNames[j]) << i << " " << j;
}

// The pause per frame of every number, as the effect table lists it by family.
int ListedPause(int n)
{
    if (n <= 19)
        return (n <= 3 || n == 6 || n == 7) ? 20 : (n <= 13 ? 10 : 15);
    if (n <= 21) return 30;
    if (n <= 23) return 5;
    if (n <= 31) return 20;
    if (n <= 37) return 1;
    if (n <= 46) return 2;
    if (n <= 49) return 10;
    if (n <= 55) return 5;
    if (n <= 58) return 8;
    if (n <= 90) return 2;
    if (n <= 98) return 1;
    if (n <= 103) return 5;
    if (n == 104) return 2;
    if (n <= 115) return 5;
    if (n <= 128) return 2;
    if (n <= 132) return 30;
    if (n <= 144) return 2;
    if (n <= 148) return 30;
    if (n <= 156) return 2;
    return 25;
}

TEST(EffectTableTest, PausesAndBandWidthsAreThoseListed)
{
    for (int n = 0; n < kEffectCount; ++n)
        EXPECT_EQ(g_EffectTable[n].PauseMs, ListedPause(n)) << n;
    EXPECT_EQ(g_EffectTable[0].Arg1, 20);
    EXPECT_EQ(g_EffectTable[1].Arg1, 5);
    for (int n = 2; n <= 19; ++n)
        EXPECT_EQ(g_EffectTable[n].Arg1, n % 2 ? 5 : 15) << n;
    for (int n = 0; n <= 18; n += 2)
        EXPECT_EQ(g_EffectTable[n].Routine, g_EffectTable[n + 1].Routine) << n;
}

} // namespace

namespace {

TEST(EffectKitTest, FloatRuleRoundsTheRatioToSinglePrecisionAndCutsTowardZero)
{
    // 17/30 held as a float is just below 17/30, so 30 times it stays below 17.
    EXPECT_EQ(ScaleBy(RatioOf(17, 30), 30), 16);
    EXPECT_EQ(ScaleBy(RatioOf(1, 2), 7), 3);
    EXPECT_EQ(ScaleBy(RatioOf(1, 2), -3), -1);
    EXPECT_EQ(RatioOf(5, 0), 0.0f);
}

TEST(EffectKitTest, TemporaryPicturesAndRegionsAreCounted)
{
    {
        CTempPicture none(0, 5);
        EXPECT_FALSE(none.IsMade());
        EXPECT_EQ(none.Handle(), nullptr);
        EXPECT_EQ(LiveTempPictureCount(), 0);
        CTempPicture made(3, 2);
        EXPECT_TRUE(made.IsMade());
        EXPECT_EQ(LiveTempPictureCount(), 1);
        CRegion a(0, 0, 4, 4);
        CRegion b;
        b.AddRect(5, 5, 2, 9);  // inverted: adds nothing
        a.Add(b);
        EXPECT_EQ(LiveRegionCount(), 2);
        RECT box;
        EXPECT_EQ(GetRgnBox(b.Handle(), &box), NULLREGION);
    }
    EXPECT_EQ(LiveTempPictureCount(), 0);
    EXPECT_EQ(LiveRegionCount(), 0);
}

} // namespace

namespace {

// A picture whose every pixel tells where it came from.
void Mark(CComPicture& picture, int w, int h, uint32_t mark)
{
    ASSERT_TRUE(picture.Create(w, h, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.Bitmap()->ScanLine(y)[x] = CoordPixel(x, y, mark);
}

} // namespace

// Pieces large enough to reach the back buffer as pixel copies on the helper threads land exactly where the
// drawing layer's copy puts them, cut the same way at every edge of the back buffer and the source.
TEST(EffectKitTest, LargePiecesReachTheBackBufferAsTheDrawingLayerCopiesThem)
{
    const int W = 1700, H = 1300;
    CComPicture source, buffer, expected;
    Mark(source, W, H, kPictureMark);
    struct Piece {
        int Sx, Sy, W, H, Tx, Ty;
    };
    for (const Piece& p : {Piece{0, 0, W, H, 0, 0}, Piece{5, 7, 1600, 1310, -40, 30}, Piece{0, 0, 1690, 1290, 60, -25},
                           Piece{-3, 0, 1650, 1290, 0, 0}}) {
        Mark(buffer, W + 20, H + 10, kBackgroundMark);
        Mark(expected, W + 20, H + 10, kBackgroundMark);
        BitBlt(expected.DC()->Handle(), p.Tx, p.Ty, p.W, p.H, source.DC()->Handle(), p.Sx, p.Sy, SRCCOPY);
        CTransitionEffects fx;
        fx.BackBuffer = &buffer;
        CopyToTargets(fx, &source, p.Sx, p.Sy, p.W, p.H, p.Tx, p.Ty);
        GdiFlush();
        int wrong = 0;
        for (int y = 0; y < H + 10; ++y)
            for (int x = 0; x < W + 20; ++x)
                wrong += buffer.Bitmap()->ScanLine(y)[x] != expected.Bitmap()->ScanLine(y)[x];
        EXPECT_EQ(wrong, 0) << "piece at " << p.Tx << "," << p.Ty << " from " << p.Sx << "," << p.Sy;
    }
}
