#include "FakeMci.h"

#include "runtime/Messages.h"
#include "runtime/VideoPlayer.h"

#include <gtest/gtest.h>

namespace {

std::string Text(const VIDEO_BOUNDS& b)
{
    return std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.Width) + "x" +
           std::to_string(b.Height);
}

} // namespace

TEST(VideoBounds, SizeModesOnA1024WideClient)
{
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 768, 0, false)), "352,264 320x240");
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 768, 1, false)), "192,144 640x480");
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 768, 2, false)), "384,288 256x192");
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 768, 3, false)), "256,192 512x384");
    // 1024 x 0.7071135624 = 724.08, and 724 x 0.75 = 543.
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 768, 4, false)), "150,112 724x543");
    EXPECT_EQ(Text(VideoBounds(320, 240, 1024, 700, 5, false)), "0,-34 1024x768");
}

TEST(VideoBounds, OversizeAndRandomPlacement)
{
    // Cut to the client, then doubled: centred offsets go negative, random ones are 0.
    EXPECT_EQ(Text(VideoBounds(2000, 1500, 1024, 768, 1, false)), "-512,-384 2048x1536");
    EXPECT_EQ(Text(VideoBounds(2000, 1500, 1024, 768, 1, true)), "0,0 2048x1536");
    // Filling the width exactly leaves no room on that axis.
    const VIDEO_BOUNDS b = VideoBounds(320, 240, 1024, 1000, 5, true);
    EXPECT_EQ(b.Left, 0);
    EXPECT_GE(b.Top, 0);
    EXPECT_LT(b.Top, 1000 - 768);
    // No width: taken as square rather than dividing by zero.
    EXPECT_EQ(Text(VideoBounds(0, 240, 1024, 768, 3, false)), "256,128 512x512");
}

// A device that accepts the play and never moves, and a file that is not there, both end the slide at the
// first poll instead of holding the show.
TEST(VideoPlayer, AStoppedOrMissingVideoEndsItsSlide)
{
    FakeMci mci;
    mci.DeviceType = MCI_DEVTYPE_DIGITAL_VIDEO;
    mci.HasVideo = 1;
    mci.Source = RECT{0, 0, 320, 240};
    mci.PlayStaysStopped = true;
    TForm main(nullptr);
    main.SetBounds(0, 0, 640, 480);
    for (const char* file : {"clip.avi", ""}) {
        Tfvideoplayer player(nullptr, nullptr, nullptr, smRunAsExe, main.Handle(), FakeMci::Send);
        player.SetFile(file);
        bool ended = false;
        for (const DWORD start = GetTickCount(); !ended && GetTickCount() - start < 3000; Sleep(10)) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ended = ended || (msg.message == WM_NEXTMEDIA && msg.hwnd == main.Handle());
                DispatchMessageW(&msg);
            }
        }
        EXPECT_TRUE(ended) << "file \"" << file << "\"";
    }
}
