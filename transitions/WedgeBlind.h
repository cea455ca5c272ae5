// Wedge wipe effects (141-144): a wedge from an apex near the centre opens toward one edge, sweeps along the
// two neighbouring edges and closes at the opposite one. Window blind effects (145-148): slats of 20 px,
// one row or column of every slat per frame.
#pragma once

#include "transitions/EffectTable.h"

void WedgeWipeDown(CTransitionEffects& fx, const EffectArgs& args);
void WedgeWipeLeft(CTransitionEffects& fx, const EffectArgs& args);
void WedgeWipeRight(CTransitionEffects& fx, const EffectArgs& args);
void WedgeWipeUp(CTransitionEffects& fx, const EffectArgs& args);
void WindowBlindDown(CTransitionEffects& fx, const EffectArgs& args);
void WindowBlindLeft(CTransitionEffects& fx, const EffectArgs& args);
void WindowBlindRight(CTransitionEffects& fx, const EffectArgs& args);
void WindowBlindUp(CTransitionEffects& fx, const EffectArgs& args);
