// Flash slides on a system without the Flash control: the saver skips them, shows its pictures and closes;
// and with our fake control, slides whose movie cannot be had or never reaches its end frame, and a close while
// the box about a missing movie shows. Runs see a private temporary folder (TMP and TEMP); the projects carry no
// run-time libraries, which start-up would leave there by design.
#include "tests/e2e/Driver.h"

#include <algorithm>

using namespace e2e;

TEST(FlashSlides, WithTheControlAMovieNotInTheProjectOrPastItsEndFrameGivesWay)
{
    TTestFolder folder("flash_control");
    ASSERT_TRUE(WriteSolidBmp(folder.File("green.bmp"), 64, 48, 0x00FF00));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.swf"), "FWS\x06 not a real movie"));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.xml"), "<settings/>"));
    ASSERT_TRUE(WriteWholeFile(folder.File("missing.xml"), "<settings/>"));
    std::string scr;
    // The first movie is missing from the project and would never end by its rule; the second ends only at
    // a frame it never reaches. Each round extracts the second again while the control holds the last copy.
    ASSERT_TRUE(BuildScr(folder, R"({
        "project": {"projectname": "FlashFake", "data": {"EmbeddedMedia": 1, "MediaDelay": 0, "FitMode": 1}},
        "runtimelibs": [], "media": [{"file": "intro.swf"}, {"file": "green.bmp"}],
        "accfiles": [{"file": "intro.xml"}, {"file": "missing.xml"}],
        "slides": [{"filename": "missing.swf", "accfile": "missing.xml#", "data": {"MediaType": 1, "FlashEndMode": 2}},
                   {"filename": "intro.swf", "accfile": "intro.xml#",
                    "data": {"MediaType": 1, "FlashEndMode": 0, "FlashEndFrame": 1000}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TLogFile log(scr);
    TFakeFlashInstalled control;
    ASSERT_TRUE(control.Installed);
    TPrivateTemp temp(folder);

    TProcess saver(scr, "/s", temp.Env());
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    // Round one, then round two's picture: each Flash slide gave way.
    ASSERT_TRUE(log.WaitForLine("Media name = green.bmp", 25000, 2)) << log.Tail(40);
    EXPECT_FALSE(log.Has("No Flash control")) << log.Tail(40);
    // The desktop capture, the last movie (the control has let go of the one before) and the playable slide's
    // accessory file; the other slide's never.
    const std::vector<std::string> during = temp.Left();
    EXPECT_EQ(during.size(), 3u) << testing::PrintToString(during);
    EXPECT_EQ(std::count(during.begin(), during.end(), "intro.xml"), 1) << testing::PrintToString(during);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver.WaitExit(10000)) << log.Tail();
    EXPECT_EQ(temp.Left(), std::vector<std::string>()) << log.Tail();
}

// Run as a program, a movie beside the project that is missing makes a box, which lets messages through: a close
// posted meanwhile ends the program well, no more slides and nothing left behind. Closed at the first box (the
// first slide's, before the message loop runs: the box stays until it is answered), at the second (a video's) or
// at the third (a Flash slide's again); without a delay the last two come from the main window's message about
// the picture before them.
TEST(FlashSlides, WithTheControlACloseWhileTheBoxOfAMissingMovieShowsEndsTheProgramWell)
{
    TTestFolder folder("flash_box_close");
    ASSERT_TRUE(WriteSolidBmp(folder.File("green.bmp"), 64, 48, 0x00FF00));
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({
        "project": {"projectname": "FlashBox", "data": {"RelativePaths": 1, "MediaDelay": 0, "FitMode": 1}},
        "runtimelibs": [], "media": [{"name": "green.bmp"}],
        "slides": [{"filename": "missing.swf", "data": {"MediaType": 1, "FlashEndMode": 2}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}},
                   {"filename": "missing.avi", "data": {"MediaType": 2}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}}]})",
                         &scr, "run.exe.scr"));
    TFakeFlashInstalled control;
    ASSERT_TRUE(control.Installed);
    TWineAppDefaults unmanaged(scr);  // a box answered goes at once
    ASSERT_TRUE(unmanaged.SetUnmanaged());
    TPrivateTemp temp(folder);

    for (int box : {1, 2, 3}) {
        SCOPED_TRACE(box);
        ASSERT_TRUE(CreateLog(scr));
        TLogFile log(scr);
        TProcess run(scr, "/s", temp.Env());
        HWND shown = nullptr;
        for (int seen = 1; seen <= box; ++seen) {
            ASSERT_TRUE(log.WaitForLine("File not found : ", 15000, seen)) << log.Tail();
            ASSERT_TRUE(WaitUntil([&] { return (shown = FindWindowA("#32770", nullptr)) && IsWindowVisible(shown); },
                                  5000, "the box", [&] { return run.DescribeWindows(); }));
            if (seen < box)
                PostMessageW(shown, WM_COMMAND, IDOK, 0);
        }
        EXPECT_TRUE(log.Has("File not found : " + folder.File(box == 2 ? "missing.avi" : "missing.swf")));
        const HWND window = FindWindowA("TForm", nullptr);  // the main window, shown or not
        ASSERT_NE(window, nullptr) << run.DescribeWindows();
        const int slides = log.Count("Media name = "), videos = log.Count("Video Player");
        PostClose(window);
        if (box == 1) {
            ASSERT_TRUE(log.WaitForLine("CanClose : yes", 5000)) << log.Tail();
            PostMessageW(shown, WM_COMMAND, IDOK, 0);
        }
        ASSERT_TRUE(run.WaitExit(10000)) << log.Tail();
        EXPECT_EQ(run.ExitCode(), 0u) << CrashOf(run);
        EXPECT_EQ(log.Count("Media name = "), slides) << log.Tail();
        EXPECT_EQ(log.Count("Video Player"), videos) << log.Tail();
        EXPECT_EQ(temp.Left(), std::vector<std::string>()) << log.Tail();
    }
}

TEST(FlashSlides, WithoutTheControlTheyAreSkippedThePicturesShowAndInputCloses)
{
    TTestFolder folder("flash_slides");
    ASSERT_TRUE(WriteSolidBmp(folder.File("green.bmp"), 64, 48, 0x00FF00));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.swf"), "FWS\x06 not a real movie"));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.xml"), "<settings/>"));
    std::string scr;
    // The Flash slide never ends by its own rule: without the control it must end anyway.
    ASSERT_TRUE(BuildScr(folder, R"({
        "project": {"projectname": "FlashSkip", "data": {"EmbeddedMedia": 1, "MediaDelay": 1, "FitMode": 1}},
        "runtimelibs": [], "media": [{"file": "intro.swf"}, {"file": "green.bmp"}],
        "accfiles": [{"file": "intro.xml"}],
        "slides": [{"filename": "intro.swf", "accfile": "intro.xml#", "data": {"MediaType": 1, "FlashEndMode": 2}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TLogFile log(scr);
    TPrivateTemp temp(folder);

    TProcess saver(scr, "/s", temp.Env());
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    const DWORD shown = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return TScreenShot::Of(window).Count(0x00FF00) > 0; }, 8000,
                          "the picture slide on the screen"));
    // Two rounds: the Flash slide is passed over each time, the control looked for once.
    ASSERT_TRUE(log.WaitForLine("Play a flash movie", 15000, 2)) << log.Tail();
    EXPECT_EQ(log.Count("No Flash control"), 1) << log.Tail();
    // Nothing is extracted for a slide that cannot play.
    EXPECT_EQ(temp.Left(), std::vector<std::string>{"zeltdsk.bmp"});

    // Input closes the saver once close events are armed, 2 s after the start.
    const DWORD since = GetTickCount() - shown;
    if (since < 2500)
        Pause(2500 - since);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver.WaitExit(10000)) << log.Tail();
    EXPECT_TRUE(log.Has("Close Event : WM_LBUTTONUP_A")) << log.Tail();
    EXPECT_EQ(temp.Left(), std::vector<std::string>()) << log.Tail();
}
