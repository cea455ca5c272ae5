// The cursor's visibility for the saver's windows. The system keeps a display count that every ShowCursor
// call moves; this remembers what was asked last and calls it only when the wanted visibility changes, so
// the count never drifts and the cursor is shown again the moment it is wanted.
#pragma once

#include "runtime/ScrMode.h"

void SetCursorVisible(bool visible);
// The players' rule: hidden in screen-saver mode unless the password prompt runs.
void ApplyCursorRule(TScrMode mode, bool passwordPrompt);
