// Zig-zag effects (157-160): one cell of a 20 x 20 grid per frame, walked in snake order.
#pragma once

#include "transitions/EffectTable.h"

void ZigzagDown(CTransitionEffects& fx, const EffectArgs& args);
void ZigzagLeft(CTransitionEffects& fx, const EffectArgs& args);
void ZigzagRight(CTransitionEffects& fx, const EffectArgs& args);
void ZigzagUp(CTransitionEffects& fx, const EffectArgs& args);
