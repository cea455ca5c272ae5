// One sound at a time through the media control wrapper: polls once a second and, when the sound has played
// to its end or has failed to get anywhere, posts its owner's message to its owner's window.
#pragma once

#include "classlib/Component.h"
#include "classlib/Timer.h"
#include "runtime/MediaControl.h"
#include "runtime/PlayProgressWatch.h"

#include <windows.h>

#include <memory>
#include <string>

class CSoundPlayer : public TComponent {
public:
    explicit CSoundPlayer(TComponent* owner, MciSendCommandFn send = mciSendCommandA);
    ~CSoundPlayer() override;

    void SetNotify(UINT message, HWND window);
    // 1 when the sound plays; an empty path or a sound that cannot be opened or played gives 0.
    int Play(const std::string& path);
    void Stop();
    void Pause();
    void Resume();
    void StartPoll();
    void StopPoll();
    void OnPollTimer();

    bool IsPlaying() const { return Playing != 0; }
    bool IsPaused() const { return Paused != 0; }
    // The last sound's notice came because the device accepted the play and never got anywhere with it.
    bool Failed() const { return Failed_; }

private:
    int Playing = 0;
    int Paused = 0;
    HWND NotifyWindow = nullptr;
    UINT NotifyMessage = 0;
    CMMPlayer Player;
    TPlayProgressWatch Progress;
    bool Failed_ = false;
    std::unique_ptr<TTimer> PollTimer;
};
