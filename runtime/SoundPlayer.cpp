#include "runtime/SoundPlayer.h"

#include "data/FileLog.h"

CSoundPlayer::CSoundPlayer(TComponent* owner, MciSendCommandFn send)
    : TComponent(owner), Player(send), PollTimer(std::make_unique<TTimer>())
{
    PollTimer->SetEnabled(false);
    PollTimer->OnTimer = [this] { OnPollTimer(); };
}

CSoundPlayer::~CSoundPlayer()
{
    Stop();
}

void CSoundPlayer::SetNotify(UINT message, HWND window)
{
    NotifyMessage = message;
    NotifyWindow = window;
}

int CSoundPlayer::Play(const std::string& path)
{
    Failed_ = false;
    if (path.empty() || !Player.Open(path, NotifyWindow))
        return 0;
    if (!Player.Play()) {
        Stop();
        return 0;
    }
    Progress.Restart();
    StartPoll();
    Playing = 1;
    Paused = 0;
    return 1;
}

void CSoundPlayer::Stop()
{
    StopPoll();
    Player.Stop(1);
    Player.Close(1);
    Playing = 0;
    Paused = 0;
}

void CSoundPlayer::Pause()
{
    if (!Playing || Paused)
        return;
    // Pause whatever mode the device reports: just after a play it may not say "playing" yet.
    Player.Pause();
    StopPoll();
    Paused = 1;
}

void CSoundPlayer::Resume()
{
    if (!Playing || !Paused)
        return;
    Player.Resume();
    StartPoll();
    Paused = 0;
}

void CSoundPlayer::StartPoll()
{
    PollTimer->SetInterval(1000);
    PollTimer->SetEnabled(true);
}

void CSoundPlayer::StopPoll()
{
    PollTimer->SetEnabled(false);
}

void CSoundPlayer::OnPollTimer()
{
    // A device that accepted the play and then stands still: once the watch gives up on it, that is a
    // failed sound, or whoever waits for this sound would wait for ever.
    const DWORD position = Player.GetPosition();
    const TPlayState state =
        position < Player.GetLength() ? Progress.Poll(Player.GetMode(), position) : TPlayState::Ended;
    if (state == TPlayState::Going)
        return;
    Failed_ = state == TPlayState::Failed;
    if (Failed_)
        ZELT_LOG("SoundPlayer", "%.200s did not start playing", Player.Name().c_str());
    Stop();
    PostMessageW(NotifyWindow, NotifyMessage, 0, 0);
}
