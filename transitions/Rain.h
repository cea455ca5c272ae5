// Rain effects (95-98): the band being revealed is stretched over the rest of the picture area; the band
// thickness is the slide's step.
#pragma once

#include "transitions/EffectTable.h"

void RainDown(CTransitionEffects& fx, const EffectArgs& args);
void RainLeft(CTransitionEffects& fx, const EffectArgs& args);
void RainRight(CTransitionEffects& fx, const EffectArgs& args);
void RainUp(CTransitionEffects& fx, const EffectArgs& args);
