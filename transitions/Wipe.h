// Wipe effects (149-156): right triangles standing in the picture's corners, their diagonal parallel to the
// picture's other diagonal, grow from one corner, from two opposite corners, or shrink toward two corners.
#pragma once

#include "transitions/EffectTable.h"

void WipeFromLeftBottom(CTransitionEffects& fx, const EffectArgs& args);
void WipeFromLeftTop(CTransitionEffects& fx, const EffectArgs& args);
void WipeFromLeftTopRightBottom(CTransitionEffects& fx, const EffectArgs& args);
void WipeFromRightBottom(CTransitionEffects& fx, const EffectArgs& args);
void WipeFromRightTop(CTransitionEffects& fx, const EffectArgs& args);
void WipeFromRightTopLeftBottom(CTransitionEffects& fx, const EffectArgs& args);
void WipeToLeftTopRightBottom(CTransitionEffects& fx, const EffectArgs& args);
void WipeToRightTopLeftBottom(CTransitionEffects& fx, const EffectArgs& args);
