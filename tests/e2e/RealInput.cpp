// Input through the system's input queue, as a user's, and where it goes.
#include "tests/e2e/Driver.h"

namespace e2e {

namespace {

bool Send(std::vector<INPUT> inputs)
{
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages();
    return sent == inputs.size();
}

INPUT Mouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(UINT vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// The absolute coordinate (0 to 65535 across the virtual screen) that lands on pixel offset of size pixels:
// the system takes coordinate x size / 65536, cut.
LONG Normalised(int offset, int size)
{
    return size > 0 ? static_cast<LONG>((static_cast<long long>(offset) * 65536 + size - 1) / size) : 0;
}

} // namespace

bool SendMouseMove(int x, int y)
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG dx = Normalised(x - left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const LONG dy = Normalised(y - top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    POINT p = {};
    return Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK, dx, dy)}) &&
           GetCursorPos(&p) && p.x == x && p.y == y;
}

bool SendClick(UINT button)
{
    const DWORD down = button == WM_LBUTTONDOWN   ? MOUSEEVENTF_LEFTDOWN
                       : button == WM_RBUTTONDOWN ? MOUSEEVENTF_RIGHTDOWN
                                                  : MOUSEEVENTF_MIDDLEDOWN;
    // Each button's up flag is twice its down flag.
    return Send({Mouse(down), Mouse(down << 1)});
}

bool SendKey(UINT vk)
{
    return Send({Key(vk, false), Key(vk, true)});
}

HWND WindowAtPoint(int x, int y)
{
    return WindowFromPoint(POINT{x, y});
}

HWND FocusWindow(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool GiveFocus(HWND window)
{
    const DWORD self = GetCurrentThreadId(), owner = GetWindowThreadProcessId(window, nullptr);
    // SetFocus reaches another thread's window only while the two threads share their input state.
    const bool attached = AttachThreadInput(self, owner, TRUE) != 0;
    SetFocus(window);
    if (attached)
        AttachThreadInput(self, owner, FALSE);
    return FocusWindow(window) == window;
}

} // namespace e2e
