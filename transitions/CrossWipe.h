// Cross wipes (38, 39): a plus sign whose bars keep the picture's proportions grows from the centre, or
// the picture shows around one shrinking to it. One pixel per frame; Step is not used.
#pragma once

#include "transitions/EffectTable.h"

void CrossWipeFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void CrossWipeToCenter(CTransitionEffects& fx, const EffectArgs& args);
