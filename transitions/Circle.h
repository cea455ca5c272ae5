// Circle sweep effects (32-37): a ray turning about a centre point, like a clock hand, reveals the area it
// has passed. The dispatch hands the centre (CentreX, CentreY), the start phase (Arg1) and the phase on
// whose entry the sweep ends with the whole picture (Arg2; 4 runs to the end).
#pragma once

#include "transitions/EffectTable.h"

void CircleSweep(CTransitionEffects& fx, const EffectArgs& args);
