// Replaces the engine's Step for the length of one effect and puts the caller's value back on every way out.
#pragma once

#include "transitions/TransitionEffects.h"

class CStepOverride {
public:
    CStepOverride(CTransitionEffects& fx, int step) : Fx_(fx), Saved_(fx.Step) { Fx_.Step = step; }
    ~CStepOverride() { Fx_.Step = Saved_; }
    CStepOverride(const CStepOverride&) = delete;
    CStepOverride& operator=(const CStepOverride&) = delete;

private:
    CTransitionEffects& Fx_;
    int Saved_;
};
