#include "FakeMci.h"

#include "runtime/Messages.h"
#include "runtime/VideoPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

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

// A video form over a main window, playing a scripted video device.
class VideoRuns : public testing::Test {
protected:
    VideoRuns()
    {
        Mci.DeviceType = MCI_DEVTYPE_DIGITAL_VIDEO;
        Mci.HasVideo = 1;
        Mci.Source = RECT{0, 0, 320, 240};
        Main.SetBounds(0, 0, 640, 480);
    }

    // A player that has opened (or tried to open) its file and started it.
    std::unique_ptr<Tfvideoplayer> Start(const char* file)
    {
        auto player = std::make_unique<Tfvideoplayer>(nullptr, nullptr, nullptr, smRunAsExe, Main.Handle(), FakeMci::Send);
        player->SetFile(file);
        const size_t opens = Count(MCI_OPEN);
        Pump([&] { return Count(MCI_OPEN) > opens; });
        return player;
    }

    // Pumps until the player's next poll has read the device; true when that poll ended the video.
    bool NextPollEnds()
    {
        const size_t polls = Count(MCI_STATUS);
        const bool ended = Pump([&] { return Count(MCI_STATUS) > polls; });
        EXPECT_GT(Count(MCI_STATUS), polls) << "no poll";
        return ended;
    }

    size_t Count(UINT message) const
    {
        return std::count_if(Mci.Commands.begin(), Mci.Commands.end(),
                             [&](const FakeMciCommand& c) { return c.Message == message; });
    }

    // Dispatches messages until done, WM_NEXTMEDIA reaches window to (the main window when null: true) or 3 s
    // pass. Heard collects the messages to that window.
    bool Pump(const std::function<bool()>& done, HWND to = nullptr)
    {
        to = to ? to : Main.Handle();
        bool ended = false;
        for (const DWORD start = GetTickCount(); !done() && !ended && GetTickCount() - start < 3000; Sleep(10)) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == to)
                    Heard.push_back(msg.message);
                ended = ended || (msg.message == WM_NEXTMEDIA && msg.hwnd == to);
                DispatchMessageW(&msg);
            }
        }
        return ended;
    }

    FakeMci Mci;
    TForm Main{nullptr};
    std::vector<UINT> Heard;
};

TEST_F(VideoRuns, APlayingVideoEndsTwentyShortOfItsLengthOrAtAShortLength)
{
    auto player = Start("clip.avi");
    Mci.Position = 979;
    EXPECT_FALSE(NextPollEnds());
    Mci.Position = 980;
    EXPECT_TRUE(NextPollEnds());

    player.reset();
    Mci.Length = 10;
    player = Start("clip.avi");
    Mci.Position = 9;
    EXPECT_FALSE(NextPollEnds());
    Mci.Position = 10;
    EXPECT_TRUE(NextPollEnds());
}

// A video that stands still, stopped at its start, at a position that never moves or paused by the device,
// ends its slide at its third poll without progress; a slow start is waited for. A file that cannot be
// opened ends it at once. Each case gives the device's mode and position before each poll, and the poll
// that ends the video (0: none of them).
TEST_F(VideoRuns, AVideoThatStandsStillIsWaitedForWithinABound)
{
    const DWORD play = MCI_MODE_PLAY, stop = MCI_MODE_STOP, pause = MCI_MODE_PAUSE;
    const struct {
        const char* Name;
        std::vector<std::pair<DWORD, DWORD>> Polls;  // mode, position
        size_t EndsAt;
    } cases[] = {
        {"a slow start", {{stop, 0}, {play, 0}, {play, 5}, {play, 9}}, 0},
        {"stopped at its start", {{stop, 0}, {stop, 0}, {stop, 0}}, 3},
        {"playing at a position that never moves", {{play, 0}, {play, 0}, {play, 0}}, 3},
        {"paused by the device", {{play, 5}, {pause, 5}, {pause, 5}, {pause, 5}}, 4},
    };
    for (const auto& c : cases) {
        auto player = Start("clip.avi");
        for (size_t poll = 1; poll <= c.Polls.size(); ++poll) {
            Mci.Mode = c.Polls[poll - 1].first;
            Mci.Position = c.Polls[poll - 1].second;
            EXPECT_EQ(NextPollEnds(), poll == c.EndsAt) << c.Name << ", poll " << poll;
        }
    }

    Mci.Refused = {MCI_OPEN};
    auto player = Start("missing.avi");
    EXPECT_TRUE(Pump([] { return false; }));
}

// Close(0) leaves the device playing; the form's destruction closes it. Close(1) closes it once.
TEST_F(VideoRuns, EveryDeviceIsClosedOnceWhateverTheCloseFlag)
{
    for (int flag : {0, 1}) {
        auto player = Start("clip.avi");
        const size_t closes = Mci.Closes.size();
        player->Close(flag);
        EXPECT_EQ(Mci.Closes.size(), closes + flag);
        EXPECT_EQ(Mci.Mode, static_cast<DWORD>(flag ? MCI_MODE_STOP : MCI_MODE_PLAY));
        player.reset();
        EXPECT_EQ(Mci.Closes, Mci.Opens) << "flag " << flag;
    }
}

// Input over the video and the end notice go to the form's parent as the window has it now; so does the
// panel's input, to the panel's parent.
TEST_F(VideoRuns, InputAndTheEndGoToTheParentTheFormHasNow)
{
    TForm other{nullptr};
    auto player = Start("clip.avi");
    SetParent(player->Handle(), other.Handle());
    const HWND panel = GetWindow(player->Handle(), GW_CHILD);
    PostMessageW(panel, WM_RBUTTONUP, 0, 0);
    Mci.Position = 980;
    EXPECT_TRUE(Pump([] { return false; }, other.Handle()));
    EXPECT_NE(std::find(Heard.begin(), Heard.end(), WM_RBUTTONUP), Heard.end());

    TForm third{nullptr};
    SetParent(panel, third.Handle());
    Heard.clear();
    PostMessageW(panel, WM_RBUTTONUP, 0, 0);
    Pump([&] { return std::count(Heard.begin(), Heard.end(), WM_RBUTTONUP) > 0; }, third.Handle());
    EXPECT_EQ(std::count(Heard.begin(), Heard.end(), WM_RBUTTONUP), 1);
}
