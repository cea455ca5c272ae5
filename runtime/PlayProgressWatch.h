// Whether a play the device accepted gets anywhere. A device may accept a play and then stand still for
// good: stopped at its start (no working output, a file it opens but cannot play), "playing" with a position
// that never moves, paused or not ready of its own accord, or not answering at all. Such a play has failed
// once it has stood still for a few polls, so that a slow start is still waited for; and a play whose
// position never went above 0 has failed, whatever modes it passed through.
#pragma once

#include <windows.h>

enum class TPlayState {
    Going,   // moving, or still within the polls a start or a stall is waited for
    Ended,   // stopped after its position went above 0: the media's end
    Failed,  // no progress up to the last poll allowed: never moved, or stalled
};

class TPlayProgressWatch {
public:
    // A new play: nothing seen of it yet.
    void Restart();
    // One poll's reading of the device's MCI mode and position.
    TPlayState Poll(DWORD mode, DWORD position);

private:
    bool Started = false;    // the position went above 0
    DWORD LastPosition = 0;
    int StillPolls = 0;      // polls in a row that found no progress
};
