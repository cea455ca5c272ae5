// Lines (56, 57): 2-pixel lines in random order; Mosaic (58): a 20 x 20 grid of tiles in random order.
#pragma once

#include "transitions/EffectTable.h"

void LinesHorizontal(CTransitionEffects& fx, const EffectArgs& args);
void LinesVertical(CTransitionEffects& fx, const EffectArgs& args);
void Mosaic(CTransitionEffects& fx, const EffectArgs& args);
