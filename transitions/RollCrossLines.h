// Random crossLines (99): 2-pixel column pairs in random order, each frame with a random row pair; Roll
// effects (100-103): the picture unrolls from an edge with a mirrored band of 30 lines as the back of the roll.
#pragma once

#include "transitions/EffectTable.h"

void RandomCrossLines(CTransitionEffects& fx, const EffectArgs& args);
void RollDown(CTransitionEffects& fx, const EffectArgs& args);
void RollLeft(CTransitionEffects& fx, const EffectArgs& args);
void RollRight(CTransitionEffects& fx, const EffectArgs& args);
void RollUp(CTransitionEffects& fx, const EffectArgs& args);
