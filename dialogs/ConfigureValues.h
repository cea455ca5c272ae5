// What the settings dialog's controls show, apart from the windows: filled from the user settings, checked,
// and written back into them.
#pragma once

#include "data/SaverPreferences.h"

#include <string>
#include <vector>

struct TConfigureValues {
    int Threshold = 20;                // track bar, 1 to 100: the mouse-move threshold in pixels
    bool AnyEvent = false;
    bool MouseMove = false;
    bool LeftClick = false;
    bool RightClick = false;
    bool DoubleClick = false;
    bool Esc = false;
    bool Enter = false;
    bool SpecifiedKey = false;
    std::string Key;                   // the one-character edit
    bool Mute = false;
    bool MaxTime = false;
    std::string MaxTimeText;
    int ScreenIndex = 0;               // -1: no item selected
    int ScreenMode = 0;                // -1: no item selected
    bool RandomEffects = false;
    bool OnlySelectedEffects = false;
    std::vector<bool> Effects;         // one tick per effect number
};

enum TConfigureCheck { ccOk, ccNoKey, ccBadRuntime, ccNoCloseEvent };

TConfigureValues ValuesFromSettings(const CSaverPreferences& settings);

// The first check that fails, in the order the dialog asks them.
TConfigureCheck CheckValues(const TConfigureValues& values);
// The message box text of a failed check.
const char* CheckMessage(TConfigureCheck check);

// Writes the values into the settings when every check passes; otherwise leaves them untouched.
TConfigureCheck ApplyValues(const TConfigureValues& values, CSaverPreferences& settings);

// One tick per effect for the numbers of a ";"-list. Tokens that are no effect number are dropped, and
// only they: the rest of the list still counts.
std::vector<bool> EffectTicks(const std::string& list);
// The ticked positions, each followed by ";" ("0;5;17;").
std::string EffectList(const std::vector<bool>& ticks);
