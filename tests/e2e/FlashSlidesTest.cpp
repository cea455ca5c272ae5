// Flash slides on a system without the Flash control: the saver skips them, shows its pictures and closes;
// and with our fake control, slides whose movie cannot be had or never reaches its end frame.
#include "tests/e2e/Driver.h"

#include <set>

using namespace e2e;

namespace {

std::set<std::string> FlashMoviesInTemp()
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((TempFolder() + "*.swf").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            names.insert(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return names;
}

} // namespace

TEST(FlashSlides, WithTheControlAMovieNotInTheProjectOrPastItsEndFrameGivesWay)
{
    TTestFolder folder("flash_control");
    ASSERT_TRUE(WriteSolidBmp(folder.File("green.bmp"), 64, 48, 0x00FF00));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.swf"), "FWS\x06 not a real movie"));
    std::string scr;
    // The first movie is missing from the project and would never end by its rule; the second ends only at
    // a frame it never reaches.
    ASSERT_TRUE(BuildScr(folder, R"({
        "project": {"projectname": "FlashFake", "data": {"EmbeddedMedia": 1, "MediaDelay": 0, "FitMode": 1}},
        "media": [{"file": "intro.swf"}, {"file": "green.bmp"}],
        "slides": [{"filename": "missing.swf", "data": {"MediaType": 1, "FlashEndMode": 2}},
                   {"filename": "intro.swf", "data": {"MediaType": 1, "FlashEndMode": 0, "FlashEndFrame": 1000}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TLogFile log(scr);
    TFakeFlashInstalled control;
    ASSERT_TRUE(control.Installed);

    TProcess saver(scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    // Round one, then round two's picture: each Flash slide gave way.
    ASSERT_TRUE(log.WaitForLine("Media name = green.bmp", 25000, 2)) << log.Tail(40);
    EXPECT_FALSE(log.Has("No Flash control")) << log.Tail(40);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    EXPECT_TRUE(saver.WaitExit(10000)) << log.Tail();
}

TEST(FlashSlides, WithoutTheControlTheyAreSkippedThePicturesShowAndInputCloses)
{
    TTestFolder folder("flash_slides");
    ASSERT_TRUE(WriteSolidBmp(folder.File("green.bmp"), 64, 48, 0x00FF00));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.swf"), "FWS\x06 not a real movie"));
    ASSERT_TRUE(WriteWholeFile(folder.File("intro.xml"), "<settings/>"));
    DeleteFileA((TempFolder() + "intro.xml").c_str());
    std::string scr;
    // The Flash slide never ends by its own rule: without the control it must end anyway.
    ASSERT_TRUE(BuildScr(folder, R"({
        "project": {"projectname": "FlashSkip", "data": {"EmbeddedMedia": 1, "MediaDelay": 1, "FitMode": 1}},
        "media": [{"file": "intro.swf"}, {"file": "green.bmp"}],
        "accfiles": [{"file": "intro.xml"}],
        "slides": [{"filename": "intro.swf", "accfile": "intro.xml#", "data": {"MediaType": 1, "FlashEndMode": 2}},
                   {"filename": "green.bmp", "data": {"MediaType": 0, "EffectOn": 0}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TLogFile log(scr);
    const std::set<std::string> moviesBefore = FlashMoviesInTemp();

    TProcess saver(scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    const DWORD shown = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return TScreenShot::Of(window).Count(0x00FF00) > 0; }, 8000,
                          "the picture slide on the screen"));
    // Two rounds: the Flash slide is passed over each time, the control looked for once.
    ASSERT_TRUE(log.WaitForLine("Play a flash movie", 15000, 2)) << log.Tail();
    EXPECT_EQ(log.Count("No Flash control"), 1) << log.Tail();
    EXPECT_FALSE(ReadWholeFile(TempFolder() + "intro.xml").empty());

    // Input closes the saver once close events are armed, 2 s after the start.
    const DWORD since = GetTickCount() - shown;
    if (since < 2500)
        Pause(2500 - since);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver.WaitExit(10000)) << log.Tail();
    EXPECT_TRUE(log.Has("Close Event : WM_LBUTTONUP_A")) << log.Tail();
    EXPECT_EQ(FlashMoviesInTemp(), moviesBefore);
}
