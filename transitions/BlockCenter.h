// Block effects (20, 21): an 8 x 8 grid laid down in a spiral; Center effects (22, 23): a centred
// rectangle of the picture's proportions grows or shrinks by one pixel per frame.
#pragma once

#include "transitions/EffectTable.h"

void BlockFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void BlockToCenter(CTransitionEffects& fx, const EffectArgs& args);
void CenterDiffuse(CTransitionEffects& fx, const EffectArgs& args);
void CenterEnvelop(CTransitionEffects& fx, const EffectArgs& args);
