// Multi-Wipe (91-94): a right triangle grows from one corner of every cell of a 10 x 10 grid.
#pragma once

#include "transitions/EffectTable.h"

void MultiWipeFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args);
void MultiWipeFromBottomRight(CTransitionEffects& fx, const EffectArgs& args);
void MultiWipeFromLeftTop(CTransitionEffects& fx, const EffectArgs& args);
void MultiWipeFromRightTop(CTransitionEffects& fx, const EffectArgs& args);
