// Move effects (59, 65-69, 75, 76, 82, 88): the new picture, or its two halves, slides in from an edge, a
// corner or both sides, overwriting the previous frame each time.
#pragma once

#include "transitions/EffectTable.h"

void MoveDown(CTransitionEffects& fx, const EffectArgs& args);
void MoveFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args);
void MoveFromBottomRight(CTransitionEffects& fx, const EffectArgs& args);
void MoveFromTopLeft(CTransitionEffects& fx, const EffectArgs& args);
void MoveFromTopRight(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeftRight(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp(CTransitionEffects& fx, const EffectArgs& args);
void MoveUpDown(CTransitionEffects& fx, const EffectArgs& args);
