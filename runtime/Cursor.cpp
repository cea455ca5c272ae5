#include "runtime/Cursor.h"

#include <windows.h>

namespace {
bool g_Visible = true;
}

void SetCursorVisible(bool visible)
{
    if (visible == g_Visible)
        return;
    g_Visible = visible;
    ShowCursor(visible ? TRUE : FALSE);
}

void ApplyCursorRule(TScrMode mode, bool passwordPrompt)
{
    SetCursorVisible(!(mode == smSaver && !passwordPrompt));
}
