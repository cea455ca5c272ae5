// Window queries, the preview parent, posted input and the cursor.
#include "tests/e2e/Driver.h"

#include <sstream>

namespace e2e {

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        found.push_back(child);
    return found;
}

testing::AssertionResult WaitForChild(HWND parent, HWND* child, DWORD timeoutMs)
{
    *child = nullptr;
    return WaitUntil(
        [parent, child] {
            *child = nullptr;
            for (HWND candidate : ChildWindows(parent))
                if (!*child && IsWindowVisible(candidate))
                    *child = candidate;
            return *child != nullptr;
        },
        timeoutMs, "a visible child of " + DescribeWindow(parent), [parent] {
            std::string seen = "children:";
            for (HWND candidate : ChildWindows(parent))
                seen += "\n  " + DescribeWindow(candidate);
            return seen;
        });
}

TStandInTray::TStandInTray()
{
    static const ATOM windowClass = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Shell_TrayWnd";
        return RegisterClassW(&wc);
    }();
    // Never activated, so Wine leaves it unmanaged: under Xvfb, which has no window manager, hiding a managed
    // window holds this thread for 2 s.
    Handle_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                              reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(windowClass)), L"", WS_POPUP, 0,
                              GetSystemMetrics(SM_CYSCREEN) - 30, 400, 30, nullptr, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    ShowWindow(Handle_, SW_SHOWNOACTIVATE);
    PumpMessages();
}

TStandInTray::~TStandInTray()
{
    DestroyWindow(Handle_);
}

testing::AssertionResult EndSession(TProcess& process)
{
    const std::vector<HWND> windows = process.Windows(false);
    for (HWND each : windows) {
        DWORD_PTR yes = 0;
        if (!SendMessageTimeoutW(each, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &yes) || !yes)
            return testing::AssertionFailure() << "no yes to WM_QUERYENDSESSION from " << DescribeWindow(each);
    }
    // The window that ran the clean-up ends the message loop, so the others may be gone by their turn.
    for (HWND each : windows) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(each, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &result) &&
            IsWindow(each))
            return testing::AssertionFailure() << "WM_ENDSESSION not answered by " << DescribeWindow(each);
    }
    process.Kill();
    return testing::AssertionSuccess();
}

std::string DescribeWindow(HWND window)
{
    std::ostringstream out;
    out << "window " << reinterpret_cast<uintptr_t>(window);
    if (!IsWindow(window))
        return out.str() + " (gone)";
    char className[128] = {}, title[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    const RECT r = WindowRect(window);
    out << " class \"" << className << "\" title \"" << title << "\" at (" << r.left << "," << r.top << ")-("
        << r.right << "," << r.bottom << ")" << (IsWindowVisible(window) ? " visible" : " hidden");
    return out.str();
}

RECT WindowRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT ClientRect(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return r;
}

TParentWindow::TParentWindow(int width, int height, int left, int top)
{
    static const ATOM windowClass = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"e2e preview parent";
        return RegisterClassW(&wc);
    }();
    Handle_ = CreateWindowW(reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(windowClass)), L"preview",
                            WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, left, top, width, height, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
}

TParentWindow::~TParentWindow()
{
    Destroy();
}

std::string TParentWindow::HandleText() const
{
    return std::to_string(reinterpret_cast<uintptr_t>(Handle_));
}

void TParentWindow::Destroy()
{
    if (Handle_)
        DestroyWindow(Handle_);
    Handle_ = nullptr;
    PumpMessages();
}

namespace {

LPARAM KeyParam(UINT vk, bool alt, bool up)
{
    LPARAM param = 1 | (static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16);
    if (alt)
        param |= 1 << 29;
    if (up)
        param |= (1u << 30) | (1u << 31);
    return param;
}

} // namespace

void PostKeyDown(HWND window, UINT vk, bool alt)
{
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyParam(vk, alt, false));
}

void PostKey(HWND window, UINT vk, bool alt)
{
    PostKeyDown(window, vk, alt);
    PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyParam(vk, alt, true));
}

void PostChar(HWND window, char c)
{
    const UINT vk = LOBYTE(VkKeyScanA(c));
    PostMessageW(window, WM_CHAR, static_cast<unsigned char>(c), KeyParam(vk, false, false));
}

void PostMouseMove(HWND window, int x, int y, WPARAM keys)
{
    PostMessageW(window, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void PostClick(HWND window, UINT button, int x, int y)
{
    const WPARAM held = button == WM_LBUTTONDOWN ? MK_LBUTTON : button == WM_RBUTTONDOWN ? MK_RBUTTON : MK_MBUTTON;
    PostMessageW(window, button, held, MAKELPARAM(x, y));
    PostMessageW(window, button + 1, 0, MAKELPARAM(x, y));  // the matching WM_?BUTTONUP
}

void PostMouseWheel(HWND window, int delta)
{
    POINT p = {};
    GetCursorPos(&p);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
}

void PostSysCommand(HWND window, WPARAM command)
{
    PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

void PostClose(HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
}

bool MoveCursor(int x, int y)
{
    POINT p = {};
    return SetCursorPos(x, y) && GetCursorPos(&p) && p.x == x && p.y == y;
}

} // namespace e2e
