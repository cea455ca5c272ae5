// Sweep effects (129-132): a soft-edged band of 20 cells of 20 px moves one cell per frame.
#pragma once

#include "transitions/EffectTable.h"

void SweepDown(CTransitionEffects& fx, const EffectArgs& args);
void SweepLeft(CTransitionEffects& fx, const EffectArgs& args);
void SweepRight(CTransitionEffects& fx, const EffectArgs& args);
void SweepUp(CTransitionEffects& fx, const EffectArgs& args);
