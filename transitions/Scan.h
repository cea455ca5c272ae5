// Scan effects (104-111): 2-line bands drawn in place, sweeping from an edge, toward the middle or from the
// middle toward both edges.
#pragma once

#include "transitions/EffectTable.h"

void ScanDown(CTransitionEffects& fx, const EffectArgs& args);
void ScanLeft(CTransitionEffects& fx, const EffectArgs& args);
void ScanRight(CTransitionEffects& fx, const EffectArgs& args);
void ScanToCenterHorizontal(CTransitionEffects& fx, const EffectArgs& args);
void ScanToCenterVertical(CTransitionEffects& fx, const EffectArgs& args);
void ScanToEdgeHorizontal(CTransitionEffects& fx, const EffectArgs& args);
void ScanToEdgeVertical(CTransitionEffects& fx, const EffectArgs& args);
void ScanUp(CTransitionEffects& fx, const EffectArgs& args);
