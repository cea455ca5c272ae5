// Picture slide shows played by the real saver: order and delays, shuffling, effects, titles, gradients,
// slides that cannot be shown, and a close in the middle of a long transition or of ring gradients.
#include "tests/e2e/Driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::string Project(int delay, const std::string& extra = "")
{
    return R"("project": {"projectname": "SlideShow", "data": {"EmbeddedMedia": 1, "FitMode": 1,
              "BackgroundMode": 1, "MediaDelay": )" + std::to_string(delay) + extra + "}}";
}

// A slide of the picture with more block fields and texts, shown without an effect unless effect says so.
std::string Slide(const std::string& file, const std::string& fields = "", const std::string& texts = "",
                  const std::string& effect = R"("EffectOn": 0)")
{
    return R"({"filename": ")" + file + R"(", "data": {)" + effect + (fields.empty() ? "" : ", " + fields) + "}" +
           texts + "}";
}

// The shown slide names and when they began, from the main window's log lines.
struct TShown {
    std::string Name;
    long Tick;
};

std::vector<TShown> ShownSlides(const TLogFile& log)
{
    std::vector<TShown> shown;
    const std::string key = "Media name = ";
    for (const std::string& line : log.Lines()) {
        const size_t at = line.find(key);
        if (at != std::string::npos && line[0] == '(')
            shown.push_back({line.substr(at + key.size()), std::strtol(line.c_str() + 1, nullptr, 10)});
    }
    return shown;
}

// The tick of the first log line holding part, 0 when none does.
DWORD LogTick(const TLogFile& log, const std::string& part)
{
    for (const std::string& line : log.Lines())
        if (line.find(part) != std::string::npos && line[0] == '(')
            return static_cast<DWORD>(std::strtoul(line.c_str() + 1, nullptr, 10));
    return 0;
}

uint32_t CentrePixel()
{
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    return TScreenShot(RECT{x, y, x + 1, y + 1}).Pixel(0, 0);
}

// The centre's colours as they change, with the tick each one appeared at.
struct TChange {
    uint32_t Colour;
    DWORD Tick;
};

std::vector<TChange> WatchCentre(DWORD ms, const std::function<void(uint32_t)>& onChange = nullptr)
{
    std::vector<TChange> changes;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        const uint32_t c = CentrePixel();
        if (changes.empty() || changes.back().Colour != c) {
            changes.push_back({c, GetTickCount()});
            if (onChange)
                onChange(c);
        }
        Pause(10);
    }
    return changes;
}

class SlideShowRuns : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = new TTestFolder("slide_show");
        // Pictures of the screen's proportions fill it when fitted; the narrow one leaves the background.
        const int w = GetSystemMetrics(SM_CXSCREEN) / 10, h = GetSystemMetrics(SM_CYSCREEN) / 10;
        ASSERT_TRUE(WriteSolidBmp(Folder->File("red.bmp"), w, h, kRed));
        ASSERT_TRUE(WriteSolidBmp(Folder->File("green.bmp"), w, h, kGreen));
        ASSERT_TRUE(WriteSolidBmp(Folder->File("blue.bmp"), w, h, kBlue));
        ASSERT_TRUE(WriteSolidBmp(Folder->File("narrow.bmp"), 4, 300, kWhite));
        ASSERT_TRUE(WriteWholeFile(Folder->File("broken.bmp"), "BM this is no bitmap at all"));
        ASSERT_TRUE(WriteWholeFile(Folder->File("empty.jpg"), ""));
    }
    static void TearDownTestSuite() { delete Folder; }

    // Builds the project, starts it in saver mode and waits for its window.
    void Start(const std::string& name, const std::string& manifest, const std::vector<std::string>& env = {})
    {
        ASSERT_TRUE(BuildScr(*Folder, manifest, &Scr, name + ".scr"));
        ASSERT_TRUE(CreateLog(Scr));
        Run.reset(new TProcess(Scr, "/s", env));
        Started = GetTickCount();
        ASSERT_TRUE(Run->WaitForWindow(&Window, 15000));
    }
    // Closes the saver as a user would, once close events are armed.
    void Close()
    {
        const DWORD armed = 2600;
        if (GetTickCount() - Started < armed)
            Pause(armed - (GetTickCount() - Started));
        // A loaded machine may make the window late, and arming counts from then: click until it closes.
        EXPECT_TRUE(WaitUntil(
            [&] {
                PostClick(Window, WM_LBUTTONDOWN, 10, 10);
                Pause(500);
                return !Run->Running();
            },
            15000, "the close", [&] { return TLogFile(Scr).Tail(); }));
    }

    static TTestFolder* Folder;
    std::string Scr;
    std::unique_ptr<TProcess> Run;
    HWND Window = nullptr;
    DWORD Started = 0;
};

TTestFolder* SlideShowRuns::Folder = nullptr;

const std::string kGradientFields =
    R"("BackGradientAllowed": 1, "GradientFromColor": 0, "GradientToColor": 16777215)";
const char kGradientTexts[] = R"(, "gradientstring": "0;")";
const std::string kTitleFields = R"("TitleShown": 1, "TitlePosition": 9, "TitleX": 100, "TitleY": 100,
                              "TitleFontSize": 20, "TitleColor": 16777215)";

} // namespace

TEST_F(SlideShowRuns, ColoursInOrderWithTheirDelaysATitleInItsBoxAndAGradientsRows)
{
    Start("order", "{" + Project(1) + R"(, "media": [{"file": "red.bmp"}, {"file": "green.bmp"},
           {"file": "blue.bmp"}, {"file": "narrow.bmp"}], "slides": [)" + Slide("red.bmp") + "," +
                       Slide("green.bmp", kTitleFields, R"(, "title": "TITLE")") + "," + Slide("blue.bmp") + "," +
                       Slide("narrow.bmp", kGradientFields, kGradientTexts) + "]}");
    TScreenShot* titled = nullptr;
    TScreenShot* gradient = nullptr;
    const std::vector<TChange> changes = WatchCentre(6500, [&](uint32_t c) {
        const int h = GetSystemMetrics(SM_CYSCREEN);
        if (c == kGreen && !titled)
            titled = new TScreenShot(RECT{0, 0, 600, 300});
        if (c == kWhite && !gradient)
            gradient = new TScreenShot(RECT{0, 0, 1, h});
    });
    Close();

    // From the first red on: red, green, blue, white, red, each for about the project's second.
    std::vector<TChange> shown(std::find_if(changes.begin(), changes.end(), [](const TChange& c) { return c.Colour == kRed; }),
                               changes.end());
    ASSERT_GE(shown.size(), 5u);
    const uint32_t order[] = {kRed, kGreen, kBlue, kWhite, kRed};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shown[i].Colour, order[i]) << "change " << i;
        if (i > 0) {
            const DWORD held = shown[i].Tick - shown[i - 1].Tick;
            EXPECT_TRUE(held >= 900 && held <= 2000) << "slide " << i - 1 << " stood " << held << " ms";
        }
    }

    // The title: white ink, all of it inside its box at (100, 100).
    ASSERT_TRUE(titled);
    int ink = 0, outside = 0;
    for (int y = 0; y < titled->Height(); ++y)
        for (int x = 0; x < titled->Width(); ++x)
            if (titled->Pixel(x, y) == kWhite) {
                ++ink;
                outside += x < 100 || y < 100 || x >= 400 || y >= 160;
            }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(outside, 0);

    // The gradient beside the narrow picture: row y is trunc(y x (255 / height)) on every channel.
    ASSERT_TRUE(gradient);
    const float step = 255.0f / static_cast<float>(gradient->Height());
    int wrong = 0;
    for (int y = 0; y < gradient->Height(); ++y)
        wrong += gradient->Pixel(0, y) != 0x010101u * static_cast<uint32_t>(static_cast<double>(y) * step);
    EXPECT_EQ(wrong, 0) << "row 600: " << std::hex << gradient->Pixel(0, 600);
    delete titled;
    delete gradient;
}

TEST_F(SlideShowRuns, ShuffledOrderVisitsEverySlideOncePerPass)
{
    const std::string slides = Slide("red.bmp") + "," + Slide("green.bmp") + "," + Slide("blue.bmp") + "," +
                               Slide("narrow.bmp");
    Start("shuffle", "{" + Project(0, R"(, "ShuffleSlides": 1)") + R"(, "media": [{"file": "red.bmp"},
           {"file": "green.bmp"}, {"file": "blue.bmp"}, {"file": "narrow.bmp"}], "slides": [)" + slides + "]}");
    TLogFile log(Scr);
    EXPECT_TRUE(log.WaitForLine("Media name = ", 15000, 13));
    Close();
    // The first slide is the first record; after it, passes of the four in some order.
    const std::vector<TShown> shown = ShownSlides(log);
    ASSERT_GE(shown.size(), 13u);
    EXPECT_EQ(shown[0].Name, "red.bmp");
    for (int pass = 0; pass < 3; ++pass) {
        std::set<std::string> names;
        for (int i = 1 + 4 * pass; i < 5 + 4 * pass; ++i)
            names.insert(shown[i].Name);
        EXPECT_EQ(names.size(), 4u) << "pass " << pass;
    }
}

TEST_F(SlideShowRuns, AnEffectEndsOnTheFrameShownWithoutIt)
{
    // The same composition twice, first without an effect, then revealed by one, with red between them.
    const std::string fields = kGradientFields + ", " + kTitleFields;
    const std::string texts = std::string(kGradientTexts) + R"(, "title": "TITLE")";
    const std::string composed = Slide("narrow.bmp", fields, texts);
    const std::string withEffect =
        Slide("narrow.bmp", fields, texts + R"(, "effect": "20;")", R"("EffectOn": 1, "Step": 16)");
    Start("effect", "{" + Project(2) + R"(, "media": [{"file": "red.bmp"}, {"file": "narrow.bmp"}], "slides": [)" +
                        composed + "," + Slide("red.bmp") + "," + withEffect + "]}");
    TLogFile log(Scr);
    const RECT area = WindowRect(Window);
    ASSERT_TRUE(log.WaitForLine("end a transition show", 15000, 1));
    TScreenShot plain(area);
    EXPECT_TRUE(WaitForScreen(area, [](const TScreenShot& s) { return s.Count(kWhite) > 1000; }, 5000,
                              "the narrow picture and the title", &plain));
    ASSERT_TRUE(log.WaitForLine("end a transition show", 15000, 3));
    const auto differ = [&](const TScreenShot& s) {
        int n = 0;
        for (int y = 0; y < plain.Height(); ++y)
            for (int x = 0; x < plain.Width(); ++x)
                n += plain.Pixel(x, y) != s.Pixel(x, y);
        return n;
    };
    TScreenShot revealed(area);
    EXPECT_TRUE(WaitForScreen(area, [&](const TScreenShot& s) { return differ(s) == 0; }, 5000,
                              "the frame shown without the effect", &revealed))
        << differ(revealed) << " pixels differ";
    // The next pass's plain slide would match as well: the match must be the effect's own last frame.
    EXPECT_EQ(ShownSlides(log).size(), 3u) << log.Tail();
    Close();
    EXPECT_TRUE(log.Has("transition effect index = 20"));
}

TEST_F(SlideShowRuns, ACloseDuringALongTransitionEndsPromptly)
{
    // One pixel a frame down the whole screen: far longer than the test waits.
    Start("long", "{" + Project(1) + R"(, "media": [{"file": "blue.bmp"}], "slides": [)" +
                      Slide("blue.bmp", "", R"(, "effect": "0;")", R"("EffectOn": 1, "Step": 1)") + "]}");
    TLogFile log(Scr);
    Pause(2600);
    ASSERT_TRUE(log.Has("transition effect index = 0")) << log.Tail();
    ASSERT_FALSE(log.Has("end a transition show")) << "the transition ended before the close";
    const DWORD closed = GetTickCount();
    PostClick(Window, WM_LBUTTONDOWN, 10, 10);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(Window) || !IsWindowVisible(Window); }, 2000, "the window goes"));
    EXPECT_TRUE(Run->WaitExit(10000));
    EXPECT_LT(GetTickCount() - closed, 10000u);
    EXPECT_TRUE(log.Has("Close Event")) << log.Tail();
}

TEST_F(SlideShowRuns, SlidesThatCannotBeShownAreSkippedAfterASecond)
{
    Start("broken", "{" + Project(0) + R"(, "media": [{"file": "red.bmp"}, {"file": "broken.bmp"},
           {"file": "blue.bmp"}], "slides": [)" + Slide("red.bmp") + "," + Slide("broken.bmp") + "," +
                        Slide("blue.bmp") + "," + Slide("red.bmp", R"("MediaType": 7)") + "]}");
    TLogFile log(Scr);
    const std::vector<TChange> changes = WatchCentre(4500);
    ASSERT_TRUE(log.WaitForLine("Media name = ", 5000, 5));
    Close();
    const std::vector<TShown> shown = ShownSlides(log);
    ASSERT_GE(shown.size(), 5u);
    const char* order[] = {"red.bmp", "broken.bmp", "blue.bmp", "red.bmp", "red.bmp"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(shown[i].Name, order[i]) << i;
    // The slide after a broken picture and after an unknown kind comes a second later.
    EXPECT_GE(shown[2].Tick - shown[1].Tick, 950);
    EXPECT_GE(shown[4].Tick - shown[3].Tick, 950);
    EXPECT_TRUE(log.Has("Unknow Media type 7"));
    bool blue = false;
    for (const TChange& c : changes)
        blue = blue || c.Colour == kBlue;
    EXPECT_TRUE(blue) << "the show went on past the broken picture";
}

TEST_F(SlideShowRuns, WithoutATemporaryFolderNoPictureLibraryIsLoadedAndTheShowGoesOn)
{
    // GetTempPathA cannot give a folder this long; the picture is a bitmap that only its name sends to the library.
    const std::string tooLong = "C:\\" + std::string(300, 't');
    ASSERT_TRUE(WriteSolidBmp(Folder->File("green.png"), 64, 48, kGreen));
    Start("no_temp", "{" + Project(0) + R"(, "media": [{"file": "red.bmp"}, {"file": "green.png"},
           {"file": "blue.bmp"}], "slides": [)" + Slide("red.bmp") + "," + Slide("green.png") + "," +
                         Slide("blue.bmp") + "]}",
          {"TMP=" + tooLong, "TEMP=" + tooLong});
    TLogFile log(Scr);
    EXPECT_TRUE(log.WaitForLine("Media name = ", 8000, 3)) << log.Tail();
    Close();
    EXPECT_TRUE(log.Has("no temporary folder: the picture library is not loaded for green.png")) << log.Tail();
    const std::vector<TShown> shown = ShownSlides(log);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[2].Name, "blue.bmp");
}

TEST_F(SlideShowRuns, AProjectOfBrokenSlidesDoesNotSpin)
{
    // Undecodable, empty, missing, and of no known kind.
    Start("all_broken", "{" + Project(0) + R"(, "media": [{"file": "broken.bmp"}, {"file": "empty.jpg"}], "slides": [)" +
                            Slide("broken.bmp") + "," + Slide("empty.jpg") + "," + Slide("missing.bmp") + "," +
                            Slide("broken.bmp", R"("MediaType": 9)") + "]}");
    TLogFile log(Scr);
    Pause(3500);
    Close();
    // Without the pause between failed slides the show would try thousands in this time.
    const int shown = static_cast<int>(ShownSlides(log).size());
    EXPECT_GE(shown, 2);
    EXPECT_LE(shown, 6) << "slides that cannot be shown followed each other without a pause";
}

TEST_F(SlideShowRuns, ACursorMoveAmongRingGradientsClosesWithinHalfASecond)
{
    // Whole-screen ring gradients without a pause between them, after a plain first slide: a move lands
    // while one is drawn.
    const std::string manifest = "{" + Project(0) + R"(, "media": [{"file": "red.bmp"}, {"file": "narrow.bmp"}],
        "slides": [)" + Slide("red.bmp") + "," + Slide("narrow.bmp", kGradientFields, R"(, "gradientstring": "10;")") +
                                 "," + Slide("narrow.bmp", kGradientFields, R"(, "gradientstring": "11;")") + "]}";
    for (int run = 0; run < 3; ++run) {
        ASSERT_TRUE(MoveCursor(100, 100));
        Start("rings", manifest);
        TLogFile log(Scr);
        ASSERT_TRUE(log.WaitForLine("Media name = ", 15000, 2)) << log.Tail();
        // Close events arm 2 s after the main window's start.
        const DWORD armed = LogTick(log, "Main form Init Pos") + 2400 + 37 * run;
        while (static_cast<LONG>(GetTickCount() - armed) < 0)
            Pause(5);
        const DWORD moved = GetTickCount();
        ASSERT_TRUE(MoveCursor(900, 700));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(Window) || !IsWindowVisible(Window); }, 15000, "the window goes"));
        const DWORD delay = GetTickCount() - moved;
        std::printf("close delay among ring gradients: %lu ms, after %d slides\n", delay,
                    static_cast<int>(ShownSlides(log).size()));
        EXPECT_LT(delay, 1000u);
        EXPECT_TRUE(log.Has("Close Event : WM_MOUSEMOVE_A")) << log.Tail();
        EXPECT_TRUE(Run->WaitExit(10000)) << log.Tail();
    }
}
