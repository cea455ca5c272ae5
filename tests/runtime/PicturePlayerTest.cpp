#include "runtime/PicturePlayer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <cstdio>
#include <set>
#include <vector>

#include "classlib/Application.h"
#include "data/Random.h"
#include "data/SaverSettings.h"
#include "runtime/Background.h"
#include "runtime/Messages.h"
#include "runtime/SlideShowThread.h"
#include "tests/runtime/TestProject.h"
#include "transitions/TransitionTestSeam.h"

namespace {

const TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

// The main window's stand-in: the parent of the player, counting the slide ends it is told of.
class TParentForm : public TForm {
public:
    TParentForm(int width, int height) : TForm(nullptr)
    {
        SetBounds(0, 0, width, height);
    }
    int NextMedia = 0;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_NEXTMEDIA)
            ++NextMedia;
        TForm::WndProc(message);
    }
};

// Monitors as a test wants them, given to the player through its monitor query.
std::vector<RECT> g_Monitors;

int FakeCount()
{
    return static_cast<int>(g_Monitors.size());
}

// The virtual screen: the bounds of all monitors, at its true origin.
RECT FakeVirtualScreen()
{
    RECT all = {};
    for (const RECT& r : g_Monitors)
        UnionRect(&all, &all, &r);
    return all;
}

int FakeRect(int n, int& left, int& top, int& width, int& height)
{
    const RECT r = n >= 1 && n <= FakeCount() ? g_Monitors[n - 1] : FakeVirtualScreen();
    left = r.left;
    top = r.top;
    width = r.right - r.left;
    height = r.bottom - r.top;
    return 1;
}

class FakeMonitors {
public:
    explicit FakeMonitors(std::vector<RECT> monitors) : Saved(g_PlayerMonitors)
    {
        g_Monitors = std::move(monitors);
        g_PlayerMonitors = {FakeCount, FakeRect};
    }
    ~FakeMonitors() { g_PlayerMonitors = Saved; }

private:
    TMonitorQuery Saved;
};

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        Application.ProcessMessages();
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

// Pumps until the player's thread has ended (or 10 s have passed).
void WaitForTransition(TfImageSlideShowPlayer& player)
{
    const DWORD start = GetTickCount();
    while (player.RunningThread() && GetTickCount() - start < 10000) {
        Application.ProcessMessages();
        Sleep(1);
    }
    PumpFor(50);
}

TSlideSpec Slide(const std::string& name, int mediaType = 0)
{
    TSlideSpec s = PictureSlide(name);
    s.Data.MediaType = mediaType;
    return s;
}

// A picture of one colour with rectangles of others.
std::string MarkedBmp(int width, int height, TColor colour, const std::vector<std::pair<RECT, TColor>>& marks)
{
    CComPicture picture;
    picture.Create(width, height, colour);
    for (const auto& mark : marks)
        picture.FillRect(mark.first, mark.second);
    return BmpBytes(picture);
}

// "left,top-right,bottom" of the pixels of one colour in area (all of the picture unless told), counted from the
// area's corner; "none" without any.
std::string BoxOf(CComPicture& picture, TColor colour, RECT area = {0, 0, INT_MAX, INT_MAX})
{
    const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (int y = std::max(0, int(area.top)); y < std::min(picture.Bitmap()->Height(), int(area.bottom)); ++y) {
        const uint32_t* row = picture.Bitmap()->ScanLine(y);
        for (int x = std::max(0, int(area.left)); x < std::min(picture.Bitmap()->Width(), int(area.right)); ++x)
            if ((row[x] & 0xFFFFFF) == rgb)
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
    }
    if (r < 0)
        return "none";
    return std::to_string(l - area.left) + "," + std::to_string(t - area.top) + "-" + std::to_string(r - area.left) +
           "," + std::to_string(b - area.top);
}

// A temporary folder of the test's own (TMP and TEMP point there) while it lives, emptied at its end.
class TPrivateTemp {
public:
    explicit TPrivateTemp(const std::string& name)
    {
        char buffer[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, buffer);
        Old = buffer;
        Folder = Old + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Folder.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", Folder.c_str());
        SetEnvironmentVariableA("TEMP", Folder.c_str());
    }
    ~TPrivateTemp()
    {
        SetEnvironmentVariableA("TMP", Old.c_str());
        SetEnvironmentVariableA("TEMP", Old.c_str());
        DeleteFileA((Folder + "zeltdsk.bmp").c_str());
        RemoveDirectoryA(Folder.c_str());
    }
    std::string Old, Folder;
};

struct TOneMonitor : CSaverSettings {
    TOneMonitor() { Data.ScreenIndex = 1; }
};

// A player on a main window of 1024 x 768 unless told; each show of a picture waits for the end of its transition.
struct TStage {
    TStage(const std::string& db, TScrMode mode, const std::vector<std::pair<std::string, std::string>>& media,
           SIZE window = SIZE{1024, 768})
        : Project(db, {Slide(media.front().first)}, media), Parent(window.cx, window.cy),
          Player(nullptr, Parent.Handle(), mode, &Project.Media, &Project.Project, &Settings)
    {
    }
    void Show(const std::string& file)
    {
        Project.Slides.FileName = file;
        ASSERT_TRUE(Player.ShowMedia(&Project.Slides)) << file;
        WaitForTransition(Player);
    }
    TTestProject Project;
    TOneMonitor Settings;
    TParentForm Parent;
    TfImageSlideShowPlayer Player;
};

} // namespace

TEST(PicturePlayer, DualMonitorCompositionsByMode)
{
    // Monitor 1 at the window's origin, a larger monitor 2 to its right.
    FakeMonitors monitors({RECT{0, 0, 200, 100}, RECT{200, 0, 500, 150}});
    // The third slide is a Flash movie, whose file name a picture happens to have.
    TTestProject project("player_dual.db", {Slide("red.bmp"), Slide("blue.bmp"), Slide("green.bmp", 1)},
                         {{"red.bmp", SolidBmp(8, 8, kRed)}, {"blue.bmp", SolidBmp(8, 8, kBlue)},
                          {"green.bmp", SolidBmp(8, 8, kGreen)}});
    project.Project.ProjectData.FitMode = 3;  // every picture fills its monitor
    CSaverSettings settings;
    TParentForm parent(500, 150);
    TfImageSlideShowPlayer player(nullptr, parent.Handle(), smSaver, &project.Media, &project.Project, &settings);
    ASSERT_FALSE(player.Monitor1Picture.IsEmpty());
    ASSERT_EQ(player.Monitor2Picture.Bitmap()->Width(), 300);

    // Mode 1: the same slide on both monitors, each composed for its own size.
    settings.DualMonitorMode = 1;
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    EXPECT_EQ(PixelAt(player.NewPicture, 199, 99), kRed);
    EXPECT_EQ(PixelAt(player.NewPicture, 499, 149), kRed);
    EXPECT_EQ(PixelAt(player.NewPicture, 100, 120), 0u);  // below monitor 1
    WaitForTransition(player);

    // Mode 0: monitor 2 shows the next slide, and the records stand on it.
    settings.DualMonitorMode = 0;
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    EXPECT_EQ(PixelAt(player.NewPicture, 100, 50), kRed);
    EXPECT_EQ(PixelAt(player.NewPicture, 499, 149), kBlue);
    EXPECT_EQ(project.Slides.FileName, "blue.bmp");
    WaitForTransition(player);

    // Mode 0 when the next slide is no picture: monitor 2 shows the same slide, monitor 1's composition
    // centred, and the records stay on it so that the Flash slide comes next.
    ASSERT_TRUE(player.ShowMedia(&project.Slides));  // blue on 1, the Flash slide next
    EXPECT_EQ(project.Slides.FileName, "blue.bmp");
    EXPECT_EQ(PixelAt(player.NewPicture, 250, 25), kBlue);
    EXPECT_EQ(PixelAt(player.NewPicture, 449, 124), kBlue);
    EXPECT_EQ(PixelAt(player.NewPicture, 249, 25), 0u);
    WaitForTransition(player);
    project.Slides.MoveNext(0);
    EXPECT_EQ(project.Slides.FileName, "green.bmp");

    // Mode 2, clone: the same centred copy.
    settings.DualMonitorMode = 2;
    project.Slides.MoveNext(0);  // red again
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    EXPECT_EQ(PixelAt(player.NewPicture, 250, 25), kRed);
    EXPECT_EQ(PixelAt(player.NewPicture, 450, 25), 0u);
    WaitForTransition(player);
}

TEST(PicturePlayer, EachMonitorShowsItsOwnSlideInAnyArrangement)
{
    // Red, marked green around its middle: where monitor 1's middle lands shows on every monitor.
    const RECT middle = {90, 45, 110, 55};
    TTestProject project("player_arrangements.db", {Slide("red.bmp"), Slide("blue.bmp")},
                         {{"red.bmp", MarkedBmp(200, 100, kRed, {{middle, kGreen}})}, {"blue.bmp", SolidBmp(8, 8, kBlue)}});
    project.Project.ProjectData.FitMode = 3;
    CSaverSettings settings;
    // The primary, monitor 1, is 200 x 100 at (0, 0); the main window covers the virtual screen from its origin.
    // Monitor 2 left, above, right, below and smaller, left and taller. A clone centres all of monitor 1 on a
    // larger monitor 2 and the middle of monitor 1 on a smaller one: where its red and its mark show there.
    const struct {
        RECT Second;
        const char* CloneRed;
        const char* CloneMark;
    } arrangements[] = {{{-300, 0, 0, 150}, "50,25-250,125", "140,70-160,80"},
                        {{0, -150, 300, 0}, "50,25-250,125", "140,70-160,80"},
                        {{200, 0, 500, 150}, "50,25-250,125", "140,70-160,80"},
                        {{50, 100, 150, 160}, "0,0-100,60", "40,25-60,35"},
                        {{-120, 40, 0, 240}, "0,50-120,150", "50,95-70,105"}};
    for (const auto& a : arrangements) {
        FakeMonitors monitors({RECT{0, 0, 200, 100}, a.Second});
        const RECT screen = FakeVirtualScreen();
        TParentForm parent(screen.right - screen.left, screen.bottom - screen.top);
        TfImageSlideShowPlayer player(nullptr, parent.Handle(), smSaver, &project.Media, &project.Project, &settings);
        RECT one = {0, 0, 200, 100}, two = a.Second;
        OffsetRect(&one, -screen.left, -screen.top);
        OffsetRect(&two, -screen.left, -screen.top);
        const std::string full = "0,0-" + std::to_string(two.right - two.left) + "," + std::to_string(two.bottom - two.top);
        for (int mode : {0, 1, 2}) {
            settings.DualMonitorMode = mode;
            if (project.Slides.FileName != "red.bmp")
                project.Slides.MoveNext(0);
            ASSERT_TRUE(player.ShowMedia(&project.Slides));
            WaitForTransition(player);
            const std::string what = "mode " + std::to_string(mode) + ", monitor 2 at " +
                                     std::to_string(a.Second.left) + "," + std::to_string(a.Second.top);
            CComPicture& shown = player.BackBuffer;
            EXPECT_EQ(BoxOf(shown, kGreen, one), "90,45-110,55") << what;
            EXPECT_EQ(BoxOf(shown, kRed, one), "0,0-200,100") << what;
            if (mode == 0) {
                EXPECT_EQ(BoxOf(shown, kBlue, two), full) << what;
            } else if (mode == 1) {
                EXPECT_EQ(BoxOf(shown, kRed, two), full) << what;
                EXPECT_EQ(PixelAt(shown, (two.left + two.right) / 2, (two.top + two.bottom) / 2), kGreen) << what;
            } else {
                EXPECT_EQ(BoxOf(shown, kRed, two), a.CloneRed) << what;
                EXPECT_EQ(BoxOf(shown, kGreen, two), a.CloneMark) << what;
            }
        }
    }

    // A desktop background: each monitor shows its own part of the captured virtual screen.
    TPrivateTemp temp("player_desktops");
    TSlideSpec desk = Slide("red.bmp");
    desk.Data.BackPictureAllowed = 1;
    desk.Data.BackFromDesktop = 1;
    TTestProject desktops("player_desktops.db", {desk, desk}, {{"red.bmp", SolidBmp(8, 8, kRed)}});
    desktops.Project.ProjectData.FitMode = 0;  // the picture small in the middle, the desktop around it
    for (RECT second : {RECT{-300, 0, 0, 150}, RECT{200, 0, 500, 150}, RECT{0, -150, 300, 0}}) {
        FakeMonitors monitors({RECT{0, 0, 200, 100}, second});
        const RECT screen = FakeVirtualScreen();
        RECT one = {0, 0, 200, 100}, two = second;
        OffsetRect(&one, -screen.left, -screen.top);
        OffsetRect(&two, -screen.left, -screen.top);
        const std::string capture = MarkedBmp(screen.right - screen.left, screen.bottom - screen.top, kWhite,
                                              {{one, kGreen}, {two, kMagenta}});
        FILE* file = std::fopen((temp.Folder + "zeltdsk.bmp").c_str(), "wb");
        ASSERT_TRUE(file && std::fwrite(capture.data(), 1, capture.size(), file) == capture.size());
        std::fclose(file);
        TParentForm parent(screen.right - screen.left, screen.bottom - screen.top);
        TfImageSlideShowPlayer player(nullptr, parent.Handle(), smSaver, &desktops.Media, &desktops.Project,
                                      &settings);
        for (int mode : {0, 1}) {
            settings.DualMonitorMode = mode;
            ASSERT_TRUE(player.ShowMedia(&desktops.Slides));
            WaitForTransition(player);
            const std::string what = "desktop, mode " + std::to_string(mode) + ", monitor 2 at " +
                                     std::to_string(second.left) + "," + std::to_string(second.top);
            EXPECT_EQ(PixelAt(player.BackBuffer, one.left + 2, one.top + 2), kGreen) << what;
            EXPECT_EQ(PixelAt(player.BackBuffer, two.left + 2, two.top + 2), kMagenta) << what;
        }
    }
}

TEST(PicturePlayer, FitModesAndPlacement)
{
    const std::vector<std::pair<RECT, TColor>> quadrants = {
        {RECT{1024, 0, 2048, 768}, kGreen}, {RECT{0, 768, 1024, 1536}, kBlue}, {RECT{1024, 768, 2048, 1536}, kWhite}};
    TStage stage("player_fit.db", smSaver,
                 {{"small.bmp", SolidBmp(640, 480, kRed)}, {"large.bmp", MarkedBmp(2048, 1536, kRed, quadrants)},
                  {"wide.bmp", SolidBmp(2000, 100, kRed)}, {"tall.bmp", SolidBmp(100, 1000, kRed)},
                  {"half.bmp", MarkedBmp(800, 400, kRed, {{RECT{533, 0, 800, 400}, kBlue}})},
                  {"long.bmp", MarkedBmp(4000, 1000, kRed, {{RECT{1100, 0, 1333, 1000}, kGreen},
                                                            {RECT{1333, 0, 4000, 1000}, kBlue}})}});
    // A portrait frame: a smaller picture taller for its width than the frame gives mode 2 a region of its whole
    // width that would pass its bottom (600 x 800 of 600 x 700); the largest one inside it is 525 x 700.
    TStage portrait("player_fit_portrait.db", smSaver,
                    {{"upright.bmp", MarkedBmp(600, 700, kRed, {{RECT{0, 650, 600, 700}, kBlue}})}}, SIZE{768, 1024});
    PROJECT_DATA& project = stage.Project.Project.ProjectData;
    CComPicture& screen = stage.Player.BackBuffer;
    // Mode 0 shrinks a picture wider or taller than the frame; mode 2 fills the frame with the picture's
    // top-left region of the frame's proportions, from a larger picture the largest one (all of 2048 x 1536,
    // 1333 x 1000 of 4000 x 1000); mode 5 keeps the picture's size.
    const struct {
        int Fit;
        const char* File;
        const char* Red;  // where red shows, when the case checks it
        POINT At;
        TColor Colour;
        TStage* On = nullptr;  // the 1024 x 768 stage unless told
    } cases[] = {{0, "small.bmp", "192,144-832,624", {0, 0}, 0},  {0, "wide.bmp", "0,358-1024,409", {0, 0}, 0},
                 {0, "tall.bmp", "474,0-550,768", {0, 0}, 0},     {0, "large.bmp", nullptr, {1023, 767}, kWhite},
                 {2, "half.bmp", "0,0-1024,768", {1023, 767}, kRed}, {2, "large.bmp", nullptr, {768, 576}, kWhite},
                 {2, "long.bmp", nullptr, {1000, 384}, kGreen},
                 {5, "large.bmp", "0,0-512,384", {600, 500}, kWhite},
                 {2, "upright.bmp", nullptr, {384, 1023}, kBlue, &portrait}};
    for (const auto& c : cases) {
        TStage& on = c.On ? *c.On : stage;
        on.Project.Project.ProjectData.FitMode = c.Fit;
        on.Show(c.File);
        CComPicture& shown = on.Player.BackBuffer;
        EXPECT_TRUE(!c.Red || BoxOf(shown, kRed) == c.Red) << c.Fit << " " << c.File << ": " << BoxOf(shown, kRed);
        EXPECT_EQ(PixelAt(shown, c.At.x, c.At.y), c.Colour) << c.Fit << " " << c.File;
    }
    // Mode 2 with a picture no larger than the frame but narrower for its height: the largest region of the
    // frame's proportions inside it, 800 x 450 of an 800 x 600 photo on 1920 x 1080, with no column past its edge.
    const std::vector<std::pair<RECT, TColor>> edges = {{RECT{700, 0, 800, 600}, kBlue}, {RECT{0, 450, 700, 600}, kGreen}};
    TStage hd("player_fit_hd.db", smSaver, {{"photo.bmp", MarkedBmp(800, 600, kRed, edges)}}, SIZE{1920, 1080});
    hd.Project.Project.ProjectData.FitMode = 2;
    hd.Show("photo.bmp");
    EXPECT_EQ(PixelAt(hd.Player.BackBuffer, 1919, 1079), kBlue);
    EXPECT_EQ(BoxOf(hd.Player.BackBuffer, kGreen), "none");

    // Random placement keeps the picture inside the frame. (Each transition seeds the generator from the
    // clock's seconds: seeds of the test's own keep the places apart.)
    project.FitMode = 0;
    project.RandomPosition = 1;
    std::set<int> lefts, tops;
    for (unsigned seed = 0; seed < 6; ++seed) {
        rtl::srand(seed);
        stage.Show("small.bmp");
        const std::string box = BoxOf(screen, kRed);
        int l = 0, t = 0, r = 0, b = 0;
        EXPECT_EQ(std::sscanf(box.c_str(), "%d,%d-%d,%d", &l, &t, &r, &b), 4);
        EXPECT_TRUE(l >= 0 && l < 384 && t >= 0 && t < 288 && r - l == 640 && b - t == 480) << box;
        lefts.insert(l);
        tops.insert(t);
    }
    EXPECT_GE(std::min(lefts.size(), tops.size()), 2u);
}

TEST(PicturePlayer, ColourKeyTitleAndBackgroundModes)
{
    CComPicture columns;  // the slide's background: columns from black to white
    columns.Create(1024, 768, 0);
    CBackground().DrawGradient(0, kWhite, 2, &columns);
    for (TScrMode mode : {smSaver, smPreview}) {
        // The key colour, magenta, around a green block.
        TStage stage("player_keyed.db", mode,
                     {{"keyed.bmp", MarkedBmp(64, 64, kMagenta, {{RECT{24, 24, 40, 40}, kGreen}})}});
        CMediaSetting& slide = stage.Project.Slides;
        slide.Data.DrawTransparent = slide.Data.BackGradientAllowed = slide.Data.TitleShown = 1;
        slide.Data.GradientToColor = kWhite;
        slide.GradientString = "2;";
        slide.Data.TitleFontSize = 10;
        slide.Data.TitleColor = kBlue;
        slide.Data.TitlePosition = 9;  // at (0, 740)
        slide.Data.TitleY = 740;
        slide.Title = "TITLE";
        stage.Project.Project.ProjectData.RandomPosition = 1;
        for (int backgroundMode : {0, 1}) {
            stage.Project.Project.ProjectData.BackgroundMode = backgroundMode;
            const std::string what =
                (mode == smPreview ? "preview, mode " : "saver, mode ") + std::to_string(backgroundMode);
            // Key pixels show the background where the picture lies, which must be away from the corner and
            // the centre at least once.
            bool away = false;
            for (unsigned seed = 0; seed < 20 && !away; ++seed) {
                rtl::srand(seed);
                stage.Show("keyed.bmp");
                CComPicture& screen = stage.Player.BackBuffer;
                int x = 0, y = 0;
                ASSERT_EQ(std::sscanf(BoxOf(screen, kGreen).c_str(), "%d,%d-", &x, &y), 2) << what;
                x -= 24, y -= 24;
                away = x >= 64 && std::abs(x - 480) >= 64;
                for (POINT p : {POINT{x + 2, y + 2}, POINT{x + 61, y + 61}})
                    EXPECT_TRUE((p.x < 200 && p.y >= 730) || PixelAt(screen, p.x, p.y) == PixelAt(columns, p.x, p.y))
                        << what << " at " << p.x << "," << p.y;  // unless under the title
                EXPECT_EQ(BoxOf(screen, kMagenta), "none") << what;
                EXPECT_EQ(BoxOf(screen, kBlue) != "none", mode != smPreview) << what;  // the title
                // Background mode 0 reveals the picture alone, mode 1 the whole composition.
                EXPECT_EQ(stage.Player.NewPicture.Bitmap()->Width(), backgroundMode == 0 ? 64 : 1024) << what;
            }
            EXPECT_TRUE(away) << what;
        }
    }
}

TEST(PicturePlayer, AMonitorCountedLaterGetsOneComposition)
{
    FakeMonitors monitors({RECT{0, 0, 200, 100}});
    TTestProject project("player_late_monitor.db", {Slide("red.bmp")}, {{"red.bmp", SolidBmp(20, 10, kRed)}});
    CSaverSettings settings;
    TParentForm parent(400, 100);
    TfImageSlideShowPlayer player(nullptr, parent.Handle(), smSaver, &project.Media, &project.Project, &settings);
    g_Monitors.push_back(RECT{200, 0, 400, 100});  // appears after the form was made
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    // The whole-area composition: the picture at its own size, placed at the window's centre.
    EXPECT_EQ(player.NewPicture.Bitmap()->Width(), 20);
    WaitForTransition(player);
    EXPECT_EQ(PixelAt(player.BackBuffer, 190, 45), kRed);
    EXPECT_EQ(PixelAt(player.BackBuffer, 189, 45), 0u);
}

TEST(SlideShowThread, OneNoticePerTransitionAndNoneWhenStopped)
{
    TTestProject project("thread_notice.db", {Slide("red.bmp"), Slide("blue.bmp")},
                         {{"red.bmp", SolidBmp(200, 100, kRed)}, {"blue.bmp", SolidBmp(200, 100, kBlue)}});
    project.Slides.Data.EffectOn = 0;
    CSaverSettings settings;
    settings.Data.ScreenIndex = 1;
    TParentForm parent(200, 100);
    TfImageSlideShowPlayer player(nullptr, parent.Handle(), smSaver, &project.Media, &project.Project, &settings);
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    WaitForTransition(player);
    EXPECT_EQ(parent.NextMedia, 1);
    EXPECT_EQ(PixelAt(player.BackBuffer, 199, 99), kRed);

    // A thread stopped before its turn, then a long transition: the first one's end notice must leave the
    // second one remembered, so that stopping it still works and no notice comes.
    ASSERT_TRUE(player.ShowMedia(&project.Slides));
    player.StopThread();
    project.Slides.MoveNext(0);
    project.Slides.Data.EffectOn = 1;
    project.Slides.Data.Step = 1;
    project.Slides.Effect = "0;";
    // The frames a show of the slide drew, atFrame called with each frame's number.
    const auto framesWith = [&](const std::function<void(int)>& atFrame) {
        TransitionTestSeam seam;
        int frames = 0;
        seam.OnFrame = [&](CTransitionEffects&) { atFrame(++frames); };
        g_TransitionTestSeam = &seam;
        const bool shown = player.ShowMedia(&project.Slides);
        WaitForTransition(player);
        g_TransitionTestSeam = nullptr;
        return shown ? frames : -1;
    };
    const DWORD start = GetTickCount();
    EXPECT_EQ(framesWith([&](int frame) {
                  if (frame == 1)
                      PumpFor(300);  // the first thread's end notice arrives meanwhile
                  else if (frame == 2)
                      player.StopThread();
              }),
              2);
    EXPECT_EQ(parent.NextMedia, 1);
    EXPECT_LT(GetTickCount() - start, 5000u);

    // The window destroyed under a running transition (a preview's parent gone) ends it at once.
    EXPECT_EQ(framesWith([&](int frame) {
                  if (frame == 2)
                      DestroyWindow(parent.Handle());
              }),
              2);
    EXPECT_EQ(parent.NextMedia, 1);
}
