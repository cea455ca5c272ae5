// Fan wipes (45, 46): four blades turn from the midpoints of the edges, clockwise or anticlockwise, until
// they meet. The blades advance 2 pixels per frame whatever the slide's step.
#pragma once

#include "transitions/EffectTable.h"

void FanWipe(CTransitionEffects& fx, const EffectArgs& args);
void FanWipeAnticlockwise(CTransitionEffects& fx, const EffectArgs& args);
