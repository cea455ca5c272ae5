// Multi-Box (89, 90): rectangles grow from (or shrink toward) the centres of a 10 x 10 grid of cells.
#pragma once

#include "transitions/EffectTable.h"

void MultiBoxFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void MultiBoxToCenter(CTransitionEffects& fx, const EffectArgs& args);
