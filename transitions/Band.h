// Band effects (0-19): strips of width w with ragged leading edges.
#pragma once

#include "transitions/EffectTable.h"

void BandDown(CTransitionEffects& fx, const EffectArgs& args);
void BandFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void BandFromLeftBottom(CTransitionEffects& fx, const EffectArgs& args);
void BandFromLeftTop(CTransitionEffects& fx, const EffectArgs& args);
void BandFromRightBottom(CTransitionEffects& fx, const EffectArgs& args);
void BandFromRightTop(CTransitionEffects& fx, const EffectArgs& args);
void BandLeft(CTransitionEffects& fx, const EffectArgs& args);
void BandRight(CTransitionEffects& fx, const EffectArgs& args);
void BandToCenter(CTransitionEffects& fx, const EffectArgs& args);
void BandUp(CTransitionEffects& fx, const EffectArgs& args);
