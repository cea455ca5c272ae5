// Bar effects (133-140): the picture split into two bars that come in from opposite sides.
#pragma once

#include "transitions/EffectTable.h"

void TowBarMoveDown(CTransitionEffects& fx, const EffectArgs& args);
void TowBarMoveUp(CTransitionEffects& fx, const EffectArgs& args);
void TowBarWipeDown(CTransitionEffects& fx, const EffectArgs& args);
void TowBarWipeUp(CTransitionEffects& fx, const EffectArgs& args);
void TwoBarMoveLeft(CTransitionEffects& fx, const EffectArgs& args);
void TwoBarMoveRight(CTransitionEffects& fx, const EffectArgs& args);
void TwoBarWipeLeft(CTransitionEffects& fx, const EffectArgs& args);
void TwoBarWipeRight(CTransitionEffects& fx, const EffectArgs& args);
