#include "runtime/DesktopCapture.h"

#include <gtest/gtest.h>

#include "classlib/FileUtils.h"
#include "classlib/GdiObject.h"
#include "data/TempDir.h"
#include "picture/ComPicture.h"
#include "runtime/Background.h"
#include "tests/runtime/TestProject.h"

// A desktop background composed while the capture thread has only just started still shows the desktop:
// it waits for the file, which goes again with the run that wrote it.
TEST(DesktopCapture, DesktopBackgroundWaitsForTheFileThatGoesWithItsRun)
{
    const TColor kOnScreen = 0x30C050;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    const auto pump = [] {
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&m);
    };
    pump();
    {
        TWindowDC dc(window);
        TGdiObject<HBRUSH> brush(CreateSolidBrush(kOnScreen));
        const RECT all{0, 0, 64, 64};
        FillRect(dc.Get(), &all, brush.Get());
    }
    pump();  // the drawing reaches the screen

    TSlideSpec slide = PictureSlide("red.bmp");
    slide.Data.BackPictureAllowed = 1;
    slide.Data.BackFromDesktop = 1;
    TTestProject project("desktop_capture.db", {slide}, {{"red.bmp", SolidBmp(20, 10, 0x0000FF)}});
    CComPicture target;
    target.Create(100, 80, 0xFFFFFF);
    CBackground background;
    background.Target = &target;
    background.SetParams(&project.Slides, &project.Project);
    background.Media = &project.Media;

    const std::string file = GetTempDir() + "zeltdsk.bmp";
    g_DesktopCapture.Start(0, file);
    background.DrawBackground();
    DestroyWindow(window);
    EXPECT_EQ(PixelAt(target, 32, 32), kOnScreen);
    EXPECT_TRUE(FileExists(file));
    g_DesktopCapture.Remove();
    EXPECT_FALSE(FileExists(file));
}
