#include "FakeMci.h"

#include "runtime/SoundPlayer.h"

#include <gtest/gtest.h>

namespace {

const UINT kDone = WM_APP + 7;

// A window to be notified, and whether the notice came.
class NotifyWindow {
public:
    NotifyWindow() : Handle(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
    ~NotifyWindow() { DestroyWindow(Handle); }
    bool Notified()
    {
        MSG msg;
        return PeekMessageW(&msg, Handle, kDone, kDone, PM_REMOVE) != 0;
    }
    HWND Handle;
};

} // namespace

TEST(SoundPlayer, PausesAtOnceAfterPlayAndIgnoresPauseAndResumeOutOfTurn)
{
    FakeMci mci;
    CSoundPlayer idle(nullptr, FakeMci::Send);
    idle.Pause();
    EXPECT_FALSE(idle.IsPaused());

    CSoundPlayer player(nullptr, FakeMci::Send);
    // Just after the play the device has not started yet; the pause must still reach it.
    mci.PlayStaysStopped = true;
    ASSERT_EQ(player.Play("a.wav"), 1);
    mci.Commands.clear();
    player.Pause();
    EXPECT_TRUE(mci.Sent(MCI_PAUSE));
    EXPECT_TRUE(player.IsPaused());

    mci.PlayStaysStopped = false;
    player.Resume();
    mci.Commands.clear();
    player.Resume();
    EXPECT_TRUE(mci.Commands.empty());
    EXPECT_FALSE(player.IsPaused());
}

TEST(SoundPlayer, EndsAtTheEndOrFailsWhenTheDeviceNeverStarts)
{
    FakeMci mci;
    NotifyWindow window;
    CSoundPlayer player(nullptr, FakeMci::Send);
    player.SetNotify(kDone, window.Handle);
    ASSERT_EQ(player.Play("a.wav"), 1);
    mci.Position = 400;
    player.OnPollTimer();
    EXPECT_FALSE(window.Notified());
    mci.Position = mci.Length;
    player.OnPollTimer();
    EXPECT_TRUE(window.Notified());
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(player.Failed());

    // Accepted, then stopped at position 0 for good (no working output): waited for three polls, then the
    // notice comes as a failure.
    mci.PlayStaysStopped = true;
    ASSERT_EQ(player.Play("b.wav"), 1);
    player.OnPollTimer();
    player.OnPollTimer();
    EXPECT_FALSE(window.Notified());
    player.OnPollTimer();
    EXPECT_TRUE(window.Notified());
    EXPECT_TRUE(player.Failed());

    // A slow start is no failure, nor is a stop after playing, even back at position 0.
    ASSERT_EQ(player.Play("c.wav"), 1);
    EXPECT_FALSE(player.Failed());
    player.OnPollTimer();
    player.OnPollTimer();
    mci.Mode = MCI_MODE_PLAY;
    player.OnPollTimer();
    mci.Mode = MCI_MODE_STOP;
    mci.Position = 0;
    player.OnPollTimer();
    EXPECT_TRUE(window.Notified());
    EXPECT_FALSE(player.Failed());

    mci.Refused = {MCI_PLAY};
    EXPECT_EQ(player.Play("d.wav"), 0);
    EXPECT_TRUE(mci.Sent(MCI_CLOSE));
}
