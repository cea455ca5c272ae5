// Hooks through which tests watch and steer a transition. Null in production, where nothing changes.
#pragma once

#include <functional>

class CTransitionEffects;

struct TransitionTestSeam {
    // Called after each frame is drawn, before the message pump (both targets can be read back here).
    std::function<void(CTransitionEffects&)> OnFrame;
    // Replaces the pause between frames (tests record the pause instead of sleeping).
    std::function<void(int ms)> OnPause;
    // Sees every designed pause without replacing it (the benchmark sums them).
    std::function<void(int ms)> WatchPause;
    // When set, every seeding of the generator uses Seed instead of the clock.
    bool FixedSeed = false;
    unsigned Seed = 0;
};

extern TransitionTestSeam* g_TransitionTestSeam;
