// The table of effect numbers 0..160: which routine runs each number, with which arguments and pause.
#pragma once

#include "transitions/EffectNames.h"

class CTransitionEffects;

// What the dispatch hands to an effect routine.
struct EffectArgs {
    int Arg1;     // the row's first argument (strip width of a Band effect, start phase of a Circle, ...)
    int Arg2;     // the row's second argument (final phase of a Circle, ...)
    int CentreX;  // the centre the dispatch computed (Circle and Ellipse rows), else 0
    int CentreY;
    int PauseMs;  // the pause per frame
};

using EffectRoutine = void (*)(CTransitionEffects& fx, const EffectArgs& args);

// Which centre the dispatch computes for a row, from the picture's width W and height H.
enum class EffectCentre { None, LeftBottom, LeftTop, RightBottom, RightTop, Middle, Random };

// What a row's effect does, for the checks that apply to it.
enum EffectTraits : unsigned {
    kUsesStep = 1,          // progress per frame follows Step
    kRevealsInPlace = 2,    // every frame shows each pixel as background or its own picture pixel, for good
    kFinalCopyOnStop = 4,   // the whole picture is copied after the loop, also after a stop request
    kMovesPicture = 8,      // every frame shows only background and picture pixels, anywhere in the area
};

struct EffectRow {
    EffectRoutine Routine;
    int Arg1;
    int Arg2;
    EffectCentre Centre;
    int PauseMs;
    unsigned Traits;
};

extern const EffectRow g_EffectTable[kEffectCount];

// The row's arguments for a W x H picture; a random centre draws from the generator (y first, then x).
EffectArgs MakeEffectArgs(const EffectRow& row, int width, int height);
