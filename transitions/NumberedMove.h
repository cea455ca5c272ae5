// Numbered Move effects (60-64, 70-74, 77-81, 83-87): the picture comes in as two halves in turn (members 1
// to 4 of each direction) or as twenty strips one after another (member 5).
#pragma once

#include "transitions/EffectTable.h"

void MoveDown1(CTransitionEffects& fx, const EffectArgs& args);
void MoveDown2(CTransitionEffects& fx, const EffectArgs& args);
void MoveDown3(CTransitionEffects& fx, const EffectArgs& args);
void MoveDown4(CTransitionEffects& fx, const EffectArgs& args);
void MoveDown5(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft1(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft2(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft3(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft4(CTransitionEffects& fx, const EffectArgs& args);
void MoveLeft5(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight1(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight2(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight3(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight4(CTransitionEffects& fx, const EffectArgs& args);
void MoveRight5(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp1(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp2(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp3(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp4(CTransitionEffects& fx, const EffectArgs& args);
void MoveUp5(CTransitionEffects& fx, const EffectArgs& args);
