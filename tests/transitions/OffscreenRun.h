// Runs one effect number through the engine on pictures alone (no window target), recording what each
// frame leaves in the back buffer, the pauses, and the engine's Step during and after the run.
#pragma once

#include <vector>

#include "TransitionHarness.h"

struct OffscreenSetup {
    int Effect = -1;
    int W = 30, H = 17;  // the new picture; the back buffer has the same size and holds it at (0, 0)
    int Step = 1;
    int StopAtFrame = 0;  // terminate the thread from the frame callback at this frame
    bool KeepFrames = false;
    unsigned Seed = 12345;
};

struct OffscreenResult {
    int Frames = 0;
    std::vector<int> Pauses;
    std::vector<int> StepInFrames;  // the engine's Step at each frame
    int StepAfter = 0;              // the engine's Step once the effect returned
    std::vector<Snapshot> Shots;    // the back buffer after each frame (KeepFrames)
    Snapshot End;
};

OffscreenResult RunOffscreen(const OffscreenSetup& setup);

// True when the pixel shows the new picture's own pixel (else it still shows the background).
inline bool Revealed(const Snapshot& shot, int x, int y)
{
    return shot.At(x, y) == CoordPixel(x, y, kPictureMark);
}

// Number of pixels that do not yet show the new picture.
int HiddenPixels(const Snapshot& shot);
