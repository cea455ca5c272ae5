// Ellipse wipes (42-44): an ellipse of the picture's proportions grows from the centre, the picture shows
// around one shrinking to it, or a circle grows from a random point (centre drawn by the dispatch, in
// CentreX, CentreY). One pixel per frame; Step is not used.
#pragma once

#include "transitions/EffectTable.h"

void EllipseFromCenter(CTransitionEffects& fx, const EffectArgs& args);
void EllipseToCenter(CTransitionEffects& fx, const EffectArgs& args);
void EllipseRandom(CTransitionEffects& fx, const EffectArgs& args);
