// Show effects (112-117): a rectangle of the picture's proportions grows from a corner, or the picture's
// alternate columns (rows) slide in from opposite sides like two combs. Shutter effects (118-119): narrow
// bands fill alternately from opposite edges.
#pragma once

#include "transitions/EffectTable.h"

void ShowFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args);
void ShowFromBottomRight(CTransitionEffects& fx, const EffectArgs& args);
void ShowFromTopLeft(CTransitionEffects& fx, const EffectArgs& args);
void ShowFromTopRight(CTransitionEffects& fx, const EffectArgs& args);
void ShowLeftRight(CTransitionEffects& fx, const EffectArgs& args);
void ShowUpDown(CTransitionEffects& fx, const EffectArgs& args);
void ShutterHorizontal(CTransitionEffects& fx, const EffectArgs& args);
void ShutterVertical(CTransitionEffects& fx, const EffectArgs& args);
