// The cursor's visibility for the saver's windows. The system keeps a display count that every ShowCursor
// call moves; this remembers what was asked last and calls it only when the wanted visibility changes, so
// the count never drifts and the cursor is shown again the moment it is wanted.
#pragma once

#include "runtime/ScrMode.h"

#include <windows.h>

void SetCursorVisible(bool visible);
// The players' rule: hidden in screen-saver mode unless the password prompt runs.
void ApplyCursorRule(TScrMode mode, bool passwordPrompt);

// The pointer taken out of the way for a run and put back, once, where the user left it.
class TParkedPointer {
public:
    // Remembers where the pointer is, then moves it to (x, y).
    void Park(int x, int y);
    void Return();

private:
    POINT Home_ = {};
    bool Parked_ = false;
};
