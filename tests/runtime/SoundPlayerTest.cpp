#include "FakeMci.h"

#include "runtime/SoundPlayer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

// One play polled on a device that reads mode and position as given before each poll; the last poll of each
// case brings the notice. A play whose position never went above 0 has failed, and so has one that stands
// still for three polls in any mode; a slow start is waited for.
TEST(SoundPlayer, EndsAtTheEndOrFailsWhenTheDeviceGetsNowhere)
{
    const DWORD play = MCI_MODE_PLAY, stop = MCI_MODE_STOP, pause = MCI_MODE_PAUSE;
    const struct {
        const char* Name;
        std::vector<std::pair<DWORD, DWORD>> Polls;  // mode, position
        bool Failed;
    } cases[] = {
        {"played to its end", {{play, 400}, {play, 1000}}, false},
        {"a slow start, stopped back at 0 after moving", {{stop, 0}, {play, 0}, {play, 5}, {stop, 0}}, false},
        {"stopped at its start", {{stop, 0}, {stop, 0}, {stop, 0}}, true},
        {"playing at a position that never moves", {{play, 0}, {play, 0}, {play, 0}}, true},
        {"stalled after moving", {{play, 300}, {play, 300}, {play, 300}, {play, 300}}, true},
        {"paused by the device", {{play, 300}, {pause, 300}, {pause, 300}, {pause, 300}}, true},
        {"not ready, or no mode answered", {{MCI_MODE_NOT_READY, 0}, {0, 0}, {0, 0}}, true},
        {"playing once, then stopped at 0", {{play, 0}, {stop, 0}, {stop, 0}}, true},
    };
    for (const auto& c : cases) {
        FakeMci mci;
        NotifyWindow window;
        CSoundPlayer player(nullptr, FakeMci::Send);
        player.SetNotify(kDone, window.Handle);
        ASSERT_EQ(player.Play("a.wav"), 1) << c.Name;
        for (const auto& [mode, position] : c.Polls) {
            EXPECT_FALSE(window.Notified()) << c.Name << ": before the poll at " << position;
            mci.Mode = mode;
            mci.Position = position;
            player.OnPollTimer();
        }
        EXPECT_TRUE(window.Notified()) << c.Name;
        EXPECT_EQ(player.Failed(), c.Failed) << c.Name;
        EXPECT_FALSE(player.IsPlaying()) << c.Name;
    }

    FakeMci mci;
    CSoundPlayer player(nullptr, FakeMci::Send);
    mci.Refused = {MCI_PLAY};
    EXPECT_EQ(player.Play("d.wav"), 0);
    EXPECT_TRUE(mci.Sent(MCI_CLOSE));
}
