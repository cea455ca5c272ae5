// Diamond wipes (40, 41): a diamond of the picture's proportions grows from the centre, or the picture
// shows around one shrinking to it. One pixel per frame; Step is not used.
#pragma once

#include "transitions/EffectTable.h"

void DiamondFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void DiamondToCenter(CTransitionEffects& fx, const EffectArgs& args);
