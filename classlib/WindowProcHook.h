// A window's procedure replaced by an object's method (through an object instance) until the hook is
// removed or destroyed; the method passes on what it does not swallow with CallOld.
#pragma once

#include "classlib/Messages.h"

class TWindowProcHook {
public:
    TWindowProcHook() = default;
    ~TWindowProcHook() { Remove(); }
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // Nothing when installed already; false when no object instance can be made.
    bool Install(HWND window, TWndMethod method);
    // Puts the previous procedure back (when the window still exists) and frees the instance.
    void Remove();
    // The previous procedure's handling; the result stays as it is when there is none.
    void CallOld(TMessage& message);

private:
    HWND Window_ = nullptr;
    WNDPROC Instance_ = nullptr;
    WNDPROC Old_ = nullptr;
};
