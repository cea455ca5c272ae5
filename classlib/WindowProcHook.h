// A window's procedure replaced by an object's method (through an object instance) until the hook is
// removed or destroyed; the method passes on what it does not swallow with CallOld.
#pragma once

#include "classlib/Messages.h"

#include <memory>

class TWindowProcHook {
public:
    TWindowProcHook() = default;
    ~TWindowProcHook() { Remove(); }
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // Nothing when installed already; false, the window left as it was, when no object instance can be
    // made or the window's procedure cannot be replaced.
    bool Install(HWND window, TWndMethod method);
    // Puts the previous procedure back when ours is still the window's and frees the instance. When another
    // procedure was installed over ours, ours stays in the chain as a plain pass-through (the method is no
    // longer called) and frees itself when the window is destroyed.
    void Remove();
    // The previous procedure's handling; the result stays as it is when there is none.
    void CallOld(TMessage& message);

private:
    struct TLink;
    std::shared_ptr<TLink> Link_;
};
