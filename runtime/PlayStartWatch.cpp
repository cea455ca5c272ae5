#include "runtime/PlayStartWatch.h"

#include <mmsystem.h>

namespace {

// Polls a device may stay stopped at its start after accepting the play before it counts as one that will
// never play. Wine's AVI driver reports playing as soon as the play command returns and moves within
// 40 ms, so three seconds leave room for a loaded machine while the show waits on a dead device no longer.
const int kStartPolls = 3;

} // namespace

void TPlayStartWatch::Restart()
{
    SeenPlaying = false;
    StoppedPolls = 0;
}

TPlayState TPlayStartWatch::Poll(DWORD mode, DWORD position)
{
    if (mode == MCI_MODE_PLAY)
        SeenPlaying = true;
    if (mode != MCI_MODE_STOP)
        return TPlayState::Going;
    if (SeenPlaying || position > 0)
        return TPlayState::Ended;
    return ++StoppedPolls < kStartPolls ? TPlayState::Going : TPlayState::Failed;
}
