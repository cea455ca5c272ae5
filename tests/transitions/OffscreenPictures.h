// The pictures of a run without a window target: the new picture, the background and the back buffer, all
// coordinate pictures (the back buffer stale), and the engine run on them. The background and the back buffer
// are the frame's size, by default the picture's; the picture is centred in the frame.
#pragma once

#include "TransitionHarness.h"
#include "classlib/Thread.h"
#include "transitions/TransitionTestSeam.h"

class OffscreenPictures {
public:
    OffscreenPictures(int w, int h, int frameW = 0, int frameH = 0);
    OffscreenPictures(const OffscreenPictures&) = delete;
    OffscreenPictures& operator=(const OffscreenPictures&) = delete;

    // Runs the effect with the seam installed and returns the engine's Step once the effect returned.
    int Run(int effect, int step, TThread& thread, TransitionTestSeam& seam);

    Snapshot ReadBuffer() { return ReadPicture(Buffer_); }

private:
    CComPicture Picture_, Background_, Buffer_;
    int X_ = 0, Y_ = 0;
};
