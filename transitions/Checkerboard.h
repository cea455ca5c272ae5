// Checkerboard effects (24-31): the picture laid down as a 20 x 20 board in two passes of 20 frames, the
// first filling the cells of one colour line by line, the second the others. Step is not used.
#pragma once

#include "transitions/EffectTable.h"

void CheckerboardDown(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardDownRebound(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardLeft(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardLeftRebound(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardRight(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardRightRebound(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardUp(CTransitionEffects& fx, const EffectArgs& args);
void CheckerboardUpRebound(CTransitionEffects& fx, const EffectArgs& args);
