// Runs one effect number on pictures alone (no window target; the back buffer is the picture's size and holds
// it at (0, 0)) and keeps the back buffer only at the frames asked for, so large pictures stay cheap.
#pragma once

#include <map>
#include <vector>

#include "ShotChecks.h"
#include "TransitionHarness.h"

struct ProbeSetup {
    int Effect = -1;
    int W = 30, H = 17;
    int Step = 1;
    std::vector<int> Probes;  // frames (from 1) after which the back buffer is kept
    int StopAtFrame = 0;      // terminate the thread from the frame callback at this frame
};

struct ProbeResult {
    int Frames = 0;
    std::vector<int> Pauses;
    std::map<int, Snapshot> Shots;  // by frame
    Snapshot End;
};

ProbeResult RunProbe(const ProbeSetup& setup);

// Frames 1 to count, for probing every frame.
std::vector<int> AllFrames(int count);

// An effect number and the pause it makes after each of its frames.
struct MemberPause {
    int Effect, Ms;
};

// Runs each member on a 23 x 21 picture with Step 3: it draws frames and pauses its Ms after every one.
void ExpectPausePerFrame(const std::vector<MemberPause>& members);
