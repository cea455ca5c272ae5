// The pictures of a run without a window target: the new picture, the background and the back buffer, all
// w x h coordinate pictures (the back buffer stale, holding the area at (0, 0)), and the engine run on them.
#pragma once

#include "TransitionHarness.h"
#include "classlib/Thread.h"
#include "transitions/TransitionTestSeam.h"

class OffscreenPictures {
public:
    OffscreenPictures(int w, int h);
    OffscreenPictures(const OffscreenPictures&) = delete;
    OffscreenPictures& operator=(const OffscreenPictures&) = delete;

    // Runs the effect with the seam installed and returns the engine's Step once the effect returned.
    int Run(int effect, int step, TThread& thread, TransitionTestSeam& seam);

    Snapshot ReadBuffer() { return ReadPicture(Buffer_); }

private:
    CComPicture Picture_, Background_, Buffer_;
};
