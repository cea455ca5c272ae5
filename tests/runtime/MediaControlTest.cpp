#include "FakeMci.h"

#include "runtime/MediaControl.h"

#include <gtest/gtest.h>

#include <digitalv.h>

#include <algorithm>

using Messages = std::vector<UINT>;

TEST(MediaControl, EmptyNameKeepsTheOpenDeviceAndLongNamesPassWhole)
{
    FakeMci mci;
    CMMPlayer player(FakeMci::Send);
    const std::string longName = "C:\\Music\\" + std::string(300, 'x') + ".WAV";
    ASSERT_EQ(player.Open(longName, nullptr), 1);
    EXPECT_EQ(mci.OpenedName, longName);
    EXPECT_EQ(player.Name(), "c:\\music\\" + std::string(300, 'x') + ".wav");
    ASSERT_EQ(player.Play(), 1);
    mci.Commands.clear();

    EXPECT_EQ(player.Open("", nullptr), 0);
    EXPECT_TRUE(mci.Commands.empty());
    EXPECT_TRUE(player.IsOpen());
    EXPECT_EQ(player.GetMode(), static_cast<DWORD>(MCI_MODE_PLAY));
}

TEST(MediaControl, PlayRewindsOnlyWhenToldOrAtTheEnd)
{
    FakeMci mci;
    CMMPlayer player(FakeMci::Send);
    ASSERT_EQ(player.Open("a.wav", nullptr), 1);
    mci.Commands.clear();
    mci.Position = 500;
    player.Play();
    EXPECT_TRUE(mci.Sent(MCI_SEEK));

    player.SetRewindBeforePlay(0);
    mci.Commands.clear();
    mci.Position = 500;
    player.Play();
    EXPECT_FALSE(mci.Sent(MCI_SEEK));
    EXPECT_EQ(mci.Position, 500u);

    mci.Commands.clear();
    mci.Position = mci.Length;
    player.Play();
    EXPECT_EQ(mci.Messages(), (Messages{MCI_STATUS, MCI_STATUS, MCI_SEEK, MCI_PLAY}));
    EXPECT_EQ(mci.Position, 0u);
}

TEST(MediaControl, ResumeFallsBackToPlayAndToggleLeavesAStoppedDevice)
{
    FakeMci mci;
    mci.Refused = {MCI_RESUME};
    CMMPlayer player(FakeMci::Send);
    ASSERT_EQ(player.Open("a.wav", nullptr), 1);
    mci.Commands.clear();
    mci.Position = 300;
    EXPECT_EQ(player.Resume(), 1);
    EXPECT_EQ(mci.Messages(), (Messages{MCI_RESUME, MCI_SEEK, MCI_PLAY}));

    player.Stop(1);
    mci.Commands.clear();
    EXPECT_EQ(player.TogglePause(), 1);
    EXPECT_EQ(mci.Messages(), (Messages{MCI_STATUS}));
}

// Stop(0) and Close(0) send nothing and leave the device to the destructor. A device that refuses to close
// keeps its identifier, and another file is not opened over it.
TEST(MediaControl, EveryOpenedDeviceIsClosedOnce)
{
    FakeMci mci;
    {
        CMMPlayer left(FakeMci::Send), closed(FakeMci::Send);
        ASSERT_EQ(left.Open("a.wav", nullptr), 1);
        ASSERT_EQ(closed.Open("a.wav", nullptr), 1);
        left.Play();
        mci.Commands.clear();
        EXPECT_EQ(left.Stop(0), 1);
        left.Close(0);
        EXPECT_TRUE(mci.Commands.empty());
        EXPECT_TRUE(left.IsOpen());
        EXPECT_EQ(mci.Mode, static_cast<DWORD>(MCI_MODE_PLAY));
        closed.Close(1);

        CMMPlayer stuck(FakeMci::Send);
        ASSERT_EQ(stuck.Open("a.wav", nullptr), 1);
        mci.Refused = {MCI_CLOSE};
        stuck.Close(1);
        EXPECT_TRUE(stuck.IsOpen());
        EXPECT_EQ(stuck.Open("b.wav", nullptr), 0);
        EXPECT_EQ(stuck.Name(), "a.wav");
        mci.Refused.clear();
        ASSERT_EQ(stuck.Open("b.wav", nullptr), 1);
    }
    EXPECT_EQ(mci.Opens.size(), 4u);
    std::vector<MCIDEVICEID> closes = mci.Closes;
    std::sort(closes.begin(), closes.end());
    EXPECT_EQ(closes, mci.Opens);
}

TEST(MediaControl, DeviceKindsAndRectangles)
{
    FakeMci mci;
    CMMPlayer sound(FakeMci::Send);
    ASSERT_EQ(sound.Open("a.wav", nullptr), 1);
    const MCI_AREA area = sound.GetDestination();
    EXPECT_EQ(area.Left, 100);
    EXPECT_EQ(area.Top, 100);
    EXPECT_EQ(area.Width, 200);
    EXPECT_EQ(area.Height, 200);
    EXPECT_EQ(sound.PutDestination(0, 0, 10, 10), 0);
    EXPECT_EQ(sound.SourceWidth(), 0);
    EXPECT_FALSE(sound.IsVisual());

    mci.DeviceType = MCI_DEVTYPE_VIDEODISC;
    mci.HasVideo = 1;
    CMMPlayer disc(FakeMci::Send);
    ASSERT_EQ(disc.Open("a.mmm", nullptr), 1);
    EXPECT_FALSE(disc.IsVisual());

    mci.DeviceType = MCI_DEVTYPE_DIGITAL_VIDEO;
    mci.Source = RECT{0, 0, 320, 240};
    CMMPlayer video(FakeMci::Send);
    ASSERT_EQ(video.Open("a.avi", nullptr), 1);
    EXPECT_TRUE(video.IsVisual());
    EXPECT_EQ(video.SourceWidth(), 320);
    EXPECT_EQ(video.SourceHeight(), 240);
    EXPECT_EQ(video.PutDestination(5, 6, 160, 120), 1);
    const MCI_AREA placed = video.GetDestination();
    EXPECT_EQ(placed.Left, 5);
    EXPECT_EQ(placed.Width, 160);
    EXPECT_EQ(placed.Height, 120);
}
