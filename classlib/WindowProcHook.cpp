#include "classlib/WindowProcHook.h"

#include <utility>

// Shared by the hook and its instance: the instance may outlive the hook as a pass-through.
struct TWindowProcHook::TLink {
    HWND Window = nullptr;
    WNDPROC Instance = nullptr;
    WNDPROC Old = nullptr;
    TWndMethod Method;  // empty once the hook is gone

    LRESULT CallOld(const TMessage& m) const { return CallWindowProcW(Old, Window, m.Msg, m.WParam, m.LParam); }

    void Handle(TMessage& m)
    {
        // A copy: the method may remove the hook, which empties Method.
        if (TWndMethod method = Method) {
            method(m);
            return;
        }
        m.Result = CallOld(m);
        if (m.Msg == WM_NCDESTROY)
            FreeObjectInstance(Instance);
    }
};

bool TWindowProcHook::Install(HWND window, TWndMethod method)
{
    if (Link_)
        return true;
    auto link = std::make_shared<TLink>();
    link->Window = window;
    link->Method = std::move(method);
    link->Instance = MakeObjectInstance([link](TMessage& m) { link->Handle(m); });
    if (!link->Instance)
        return false;
    // Every window has a procedure: 0 means it was not replaced (a window of another process, or none).
    link->Old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->Instance)));
    if (!link->Old) {
        FreeObjectInstance(link->Instance);
        return false;
    }
    Link_ = std::move(link);
    return true;
}

void TWindowProcHook::Remove()
{
    if (!Link_)
        return;
    const std::shared_ptr<TLink> link = std::move(Link_);
    const bool ours = IsWindow(link->Window) &&
                      GetWindowLongPtrW(link->Window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(link->Instance);
    if (ours)
        SetWindowLongPtrW(link->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->Old));
    if (ours || !IsWindow(link->Window))
        FreeObjectInstance(link->Instance);
    else
        link->Method = nullptr;  // the procedure over ours still calls it
}

void TWindowProcHook::CallOld(TMessage& message)
{
    if (Link_)
        message.Result = Link_->CallOld(message);
}
