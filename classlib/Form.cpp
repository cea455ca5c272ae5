#include "classlib/Form.h"

#include "classlib/Application.h"
#include "classlib/GdiObject.h"
#include "classlib/Menus.h"

#include <windowsx.h>

namespace {

const wchar_t kFormClass[] = L"TForm";

void RegisterFormClass(WNDPROC proc)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    registered = RegisterClassW(&wc) != 0;
}

} // namespace

TForm::TForm(TComponent* owner, HWND parent) : TComponent(owner), Parent_(parent) {}

TForm::~TForm()
{
    if (Handle_) {
        SetWindowLongPtrW(Handle_, GWLP_USERDATA, 0);
        DestroyWindow(Handle_);
    }
    if (Application.MainForm == this)
        Application.MainForm = nullptr;
}

HWND TForm::Handle()
{
    if (!Handle_ && !WindowGone_) {
        RegisterFormClass(FormWndProc);
        const DWORD style = Parent_ ? WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN : WS_POPUP | WS_CLIPCHILDREN;
        HWND owner = Parent_ ? Parent_ : Application.Handle();
        CreateWindowExA(0, "TForm", Caption_.c_str(), style, Left_, Top_, Width_, Height_, owner, nullptr,
                        GetModuleHandleW(nullptr), this);
    }
    return Handle_;
}

int TForm::ClientWidth()
{
    RECT r = {};
    GetClientRect(Handle(), &r);
    return r.right - r.left;
}

int TForm::ClientHeight()
{
    RECT r = {};
    GetClientRect(Handle(), &r);
    return r.bottom - r.top;
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    Left_ = left;
    Top_ = top;
    Width_ = width;
    Height_ = height;
    if (Handle_)
        SetWindowPos(Handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show()
{
    Closed_ = false;
    ShowWindow(Handle(), SW_SHOW);
}

void TForm::Hide()
{
    if (Handle_)
        ShowWindow(Handle_, SW_HIDE);
}

void TForm::SetCaption(const std::string& caption)
{
    Caption_ = caption;
    if (Handle_)
        SetWindowTextA(Handle_, Caption_.c_str());
}

void TForm::Close()
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose)
        return;
    TCloseAction action = caHide;
    FormClose(action);
    if (action == caNone)
        return;
    Closed_ = true;
    if (Application.MainForm == this)
        Application.Terminate();
    else
        Hide();
}

void TForm::DoClose()
{
    if (Closed_)
        return;
    Closed_ = true;
    TCloseAction action = caHide;
    FormClose(action);
}

void TForm::DefaultHandler(TMessage& message)
{
    message.Result = DefWindowProcW(Handle_, message.Msg, message.WParam, message.LParam);
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(Handle_, &r);
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.Get());
        message.Result = 1;
        return;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle_, &ps);
        FormPaint(dc);
        EndPaint(Handle_, &ps);
        message.Result = 0;
        return;
    }
    case WM_SHOWWINDOW:
        if (message.WParam)
            FormShow();
        break;
    case WM_MOVE: {
        RECT r;
        GetWindowRect(Handle_, &r);
        if (HWND parent = GetParent(Handle_))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        Left_ = r.left;
        Top_ = r.top;
        break;
    }
    case WM_SIZE: {
        RECT r;
        GetWindowRect(Handle_, &r);
        Width_ = r.right - r.left;
        Height_ = r.bottom - r.top;
        FormResize();
        break;
    }
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_CONTEXTMENU:
        if (PopupMenu) {
            POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            if (p.x == -1 && p.y == -1)
                GetCursorPos(&p);
            PopupMenu->Popup(p.x, p.y, Handle_);
            message.Result = 0;
            return;
        }
        break;
    case WM_DESTROY:
        // A main window destroyed from outside still ends the application, whose loop then closes it.
        if (Application.MainForm == this)
            Application.Terminate();
        break;
    }
    DefaultHandler(message);
}

LRESULT CALLBACK TForm::FormWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->Handle_ = wnd;
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(wnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        form->WndProc(message);
    } catch (...) {
        Application.HandleException("form");
        message.Result = 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        form->Handle_ = nullptr;
        form->WindowGone_ = true;
    }
    return message.Result;
}
