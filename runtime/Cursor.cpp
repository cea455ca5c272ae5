#include "runtime/Cursor.h"

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

void TParkedPointer::Park(int x, int y)
{
    Parked_ = GetCursorPos(&Home_) != FALSE;
    SetCursorPos(x, y);
}

void TParkedPointer::Return()
{
    if (!Parked_)
        return;
    Parked_ = false;
    SetCursorPos(Home_.x, Home_.y);
}
