// The desktop capture "zeltdsk.bmp": what a desktop background shows from the first slide on, and gone when
// the run that wrote it ends, whichever way it ends; a run that wrote none leaves another's file alone.
#include "tests/e2e/Driver.h"

#include "classlib/GdiObject.h"

#include <memory>
#include <string>

using namespace e2e;

namespace {

const uint32_t kDesktop = 0x20A040;  // what the test's window shows on the screen the saver captures

class DesktopCaptureRuns : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = new TTestFolder("desktop_capture");
        ASSERT_TRUE(WriteSolidBmp(Folder->File("red.bmp"), 64, 48, 0xFF0000));
        // The first slide's background is the captured desktop, drawn unscaled over the whole window.
        ASSERT_TRUE(BuildScr(*Folder, R"({"project": {"projectname": "Desk", "data": {"EmbeddedMedia": 1,
            "MediaDelay": 30}}, "media": [{"file": "red.bmp"}], "slides": [{"filename": "red.bmp", "data":
            {"EffectOn": 0, "BackSolidAllowed": 0, "BackPictureAllowed": 1, "BackFromDesktop": 1}}]})", &Scr));
        Temp = Folder->File("temp");
        CreateDirectoryA(Temp.c_str(), nullptr);
    }
    static void TearDownTestSuite() { delete Folder; }
    void SetUp() override
    {
        DeleteFileA(File().c_str());
        ASSERT_TRUE(CreateLog(Scr));
    }

    static std::string File() { return Temp + "\\zeltdsk.bmp"; }
    static TProcess* Start(const std::string& args, const std::string& temp = Temp)
    {
        return new TProcess(Scr, args, {"TMP=" + temp, "TEMP=" + temp});
    }

    static TTestFolder* Folder;
    static std::string Scr, Temp;
};

TTestFolder* DesktopCaptureRuns::Folder = nullptr;
std::string DesktopCaptureRuns::Scr, DesktopCaptureRuns::Temp;

} // namespace

TEST_F(DesktopCaptureRuns, FirstSlideShowsTheDesktopAndTheFileGoesAtTheEnd)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    TParentWindow desktop(w, h, 0, 0);
    {
        TWindowDC dc(desktop.Handle());
        TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0x20, 0xA0, 0x40)));
        const RECT all{0, 0, w, h};
        FillRect(dc.Get(), &all, brush.Get());
    }
    Pause(500);
    ASSERT_EQ(TScreenShot(RECT{0, 0, 1, 1}).Pixel(0, 0), kDesktop);

    std::unique_ptr<TProcess> saver(Start("/s"));
    HWND window = nullptr;
    ASSERT_TRUE(saver->WaitForWindow(&window, 15000));
    ASSERT_TRUE(WaitUntil([&] { return TScreenShot(RECT{w / 2, h / 2, w / 2 + 1, h / 2 + 1}).Pixel(0, 0) == 0xFF0000; },
                          10000, "first slide"));
    EXPECT_EQ(TScreenShot(RECT{10, 10, 11, 11}).Pixel(0, 0), kDesktop);
    const std::string bytes = ReadWholeFile(File());
    ASSERT_EQ(bytes.size(), 54u + 4u * w * h);

    // A second saver is refused before it captures anything: the running one's file stays as it was.
    std::unique_ptr<TProcess> second(Start("/s"));
    ASSERT_TRUE(second->WaitExit(15000));
    EXPECT_EQ(ReadWholeFile(File()), bytes);

    Pause(2600);  // close events are armed 2 s after the window is made
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver->WaitExit(10000));
    EXPECT_EQ(GetFileAttributesA(File().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DesktopCaptureRuns, PreviewDeletesItsFileAndConfigureLeavesAnothersAlone)
{
    {
        TParentWindow parent(152, 112);
        std::unique_ptr<TProcess> preview(Start("/p " + parent.HandleText()));
        HWND child = nullptr;
        ASSERT_TRUE(WaitForChild(parent.Handle(), &child, 15000));
        ASSERT_TRUE(WaitUntil([] { return GetFileAttributesA(File().c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000,
                              "zeltdsk.bmp"));
        parent.Destroy();
        ASSERT_TRUE(preview->WaitExit(10000));
        EXPECT_EQ(GetFileAttributesA(File().c_str()), INVALID_FILE_ATTRIBUTES);
    }

    ASSERT_TRUE(WriteWholeFile(File(), "another run's capture"));
    std::unique_ptr<TProcess> configure(Start("/c"));
    HWND dialog = nullptr;
    ASSERT_TRUE(configure->WaitForWindow(&dialog, 15000));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(configure->WaitExit(15000));
    EXPECT_EQ(ReadWholeFile(File()), "another run's capture");
}

// A full-screen run started while a preview shows writes its own capture over the preview's: the preview's
// end leaves it, the full-screen run's end removes it.
TEST_F(DesktopCaptureRuns, APreviewEndingDuringAFullScreenRunLeavesThatRunsCapture)
{
    TParentWindow parent(152, 112);
    std::unique_ptr<TProcess> preview(Start("/p " + parent.HandleText()));
    HWND child = nullptr;
    ASSERT_TRUE(WaitForChild(parent.Handle(), &child, 15000));
    std::unique_ptr<TProcess> saver(Start("/s"));
    HWND window = nullptr;
    ASSERT_TRUE(saver->WaitForWindow(&window, 15000));
    const std::string bytes = ReadWholeFile(File());
    ASSERT_FALSE(bytes.empty());

    parent.Destroy();
    ASSERT_TRUE(preview->WaitExit(10000));
    EXPECT_TRUE(ReadWholeFile(File()) == bytes) << "the full-screen run's capture is gone or changed";

    Pause(2600);  // close events are armed 2 s after the window is made
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver->WaitExit(10000));
    EXPECT_EQ(GetFileAttributesA(File().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DesktopCaptureRuns, MissingTemporaryFolderStillShowsTheSlideAndSaysSo)
{
    std::unique_ptr<TProcess> saver(Start("/s", Temp + "\\missing"));
    HWND window = nullptr;
    ASSERT_TRUE(saver->WaitForWindow(&window, 15000));
    TLogFile log(Scr);
    ASSERT_TRUE(log.WaitForLine("end a transition show", 10000));
    Pause(2600);
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver->WaitExit(10000));
    EXPECT_TRUE(log.Has("Cann't save the desktop picture")) << log.Tail();
}
