// Draws a reveal whose frames each name the whole area shown so far: only the part no earlier frame
// copied is drawn again, so a frame costs what it adds, and both targets show the same as a copy of the
// whole area would.
#pragma once

#include "transitions/EffectKit.h"

class CGrowingReveal {
public:
    // Copies the picture through the part of area (picture coordinates) not shown yet, on both targets.
    void Show(CTransitionEffects& fx, const CRegion& area);

private:
    CRegion Shown_;
};
