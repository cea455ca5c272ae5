#include "runtime/PlayProgressWatch.h"

#include <mmsystem.h>

namespace {

// Polls a play may stand still before it counts as one that will never go on. A real play's position may
// stay 0 for the first poll or two; Wine's AVI driver moves within 40 ms of the play. Three seconds leave
// room for a loaded machine while the show waits on a dead device no longer.
const int kStillPolls = 3;

} // namespace

void TPlayProgressWatch::Restart()
{
    Started = false;
    LastPosition = 0;
    StillPolls = 0;
}

TPlayState TPlayProgressWatch::Poll(DWORD mode, DWORD position)
{
    const bool moved = position != LastPosition;
    LastPosition = position;
    Started = Started || position > 0;
    if (mode == MCI_MODE_STOP && Started)
        return TPlayState::Ended;
    if (mode == MCI_MODE_PLAY && moved) {
        StillPolls = 0;
        return TPlayState::Going;
    }
    return ++StillPolls < kStillPolls ? TPlayState::Going : TPlayState::Failed;
}
