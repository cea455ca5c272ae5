#include "runtime/CloseEvents.h"

#include <algorithm>

const char* InputCloseEvent(UINT msg, WPARAM wParam, const SAVER_DATA& data, wchar_t keyChar)
{
    const bool any = data.AnyEvent != 0;
    switch (msg) {
    case WM_HELP:
        return any ? "WM_HELP_A" : nullptr;
    case WM_CHAR:
        if (any)
            return "WM_CHAR_A";
        if (data.CloseOnKey && keyChar && wParam == static_cast<WPARAM>(keyChar))
            return "WM_CHAR";
        if (data.CloseOnEsc && wParam == '\x1b')
            return "WM_CHAR_ESC";
        return data.CloseOnEnter && wParam == '\r' ? "WM_CHAR_ENTER" : nullptr;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        return any ? "WM_LBUTTONUP_A" : data.CloseOnLeftClick ? "WM_LBUTTONUP" : nullptr;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
        return any ? "WM_RBUTTONDBLCLK_A" : data.CloseOnDoubleClick ? "WM_RBUTTONDBLCLK" : nullptr;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        return any ? "WM_RBUTTONUP_A" : data.CloseOnRightClick ? "WM_RBUTTONUP" : nullptr;
    }
    return nullptr;
}

const char* MouseMoveCloseEvent(int dx, int dy, const SAVER_DATA& data)
{
    if (dx <= data.MouseMoveThreshold && dy <= data.MouseMoveThreshold)
        return nullptr;
    return data.AnyEvent ? "WM_MOUSEMOVE_A" : data.CloseOnMouseMove ? "WM_MOUSEMOVE" : nullptr;
}

wchar_t CloseKeyChar(const SAVER_DATA& data)
{
    const char key = static_cast<char>(data.CloseKey & 0xFF);
    wchar_t wide = 0;
    return MultiByteToWideChar(CP_ACP, 0, &key, 1, &wide, 1) == 1 ? wide : 0;
}

UINT MaxRuntimeInterval(std::int32_t minutes)
{
    const std::int64_t ms = static_cast<std::int64_t>(minutes) * 60000;
    return static_cast<UINT>(std::clamp<std::int64_t>(ms, 0, USER_TIMER_MAXIMUM));
}
