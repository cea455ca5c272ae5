// Whether a play the device accepted ever started. A device without a working output, or a file it opens
// but cannot play, accepts the play and then stands stopped at its start for good; that counts as a failed
// play once it has lasted a few polls, so that a slow start is still waited for.
#pragma once

#include <windows.h>

enum class TPlayState {
    Going,   // playing, paused, or stopped at its start while it may still start
    Ended,   // stopped after it played or moved: the media's end
    Failed,  // never seen playing and still stopped at its start after the last poll allowed
};

class TPlayStartWatch {
public:
    // A new play: nothing seen of it yet.
    void Restart();
    // One poll's reading of the device's MCI mode and position.
    TPlayState Poll(DWORD mode, DWORD position);

private:
    bool SeenPlaying = false;
    int StoppedPolls = 0;  // polls that found the device stopped at its start
};
