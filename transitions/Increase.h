// "Increase show" (47): random 3 x 3 dots of the new picture thicken out of the old screen.
#pragma once

#include "transitions/EffectTable.h"

void IncreaseShow(CTransitionEffects& fx, const EffectArgs& args);
