#include "classlib/WindowProcHook.h"

#include <utility>

bool TWindowProcHook::Install(HWND window, TWndMethod method)
{
    if (Instance_)
        return true;
    Instance_ = MakeObjectInstance(std::move(method));
    if (!Instance_)
        return false;
    Window_ = window;
    Old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Instance_)));
    return true;
}

void TWindowProcHook::Remove()
{
    if (Old_ && IsWindow(Window_))
        SetWindowLongPtrW(Window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Old_));
    Old_ = nullptr;
    if (Instance_)
        FreeObjectInstance(Instance_);
    Instance_ = nullptr;
    Window_ = nullptr;
}

void TWindowProcHook::CallOld(TMessage& message)
{
    if (Old_)
        message.Result = CallWindowProcW(Old_, Window_, message.Msg, message.WParam, message.LParam);
}
