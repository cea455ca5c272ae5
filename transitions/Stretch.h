// Stretch effects (120-128): the whole picture squeezed into a box that grows from an edge, a corner or the
// centre until it fills the picture area.
#pragma once

#include "transitions/EffectTable.h"

void StretchFromBottom(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromBottomRight(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromLeft(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromRight(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromTop(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromTopLeft(CTransitionEffects& fx, const EffectArgs& args);
void StretchFromTopRight(CTransitionEffects& fx, const EffectArgs& args);
