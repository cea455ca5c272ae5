// Line effects (48-55): 2-pixel lines laid every 4 pixels in two interleaved passes.
#pragma once

#include "transitions/EffectTable.h"

void LineDown(CTransitionEffects& fx, const EffectArgs& args);
void LineDownRebound(CTransitionEffects& fx, const EffectArgs& args);
void LineLeft(CTransitionEffects& fx, const EffectArgs& args);
void LineLeftRebound(CTransitionEffects& fx, const EffectArgs& args);
void LineRight(CTransitionEffects& fx, const EffectArgs& args);
void LineRightRebound(CTransitionEffects& fx, const EffectArgs& args);
void LineUp(CTransitionEffects& fx, const EffectArgs& args);
void LineUpRebound(CTransitionEffects& fx, const EffectArgs& args);
