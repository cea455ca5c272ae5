// Window messages as the class library hands them to an object's window procedure, and the object instance:
// a plain window procedure that calls a bound method, so one object can replace a window's procedure.
#pragma once

#include <windows.h>

#include <functional>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TWndMethod = std::function<void(TMessage&)>;

// A window procedure that calls method with each message and returns its Result; null when all are in use.
// Exceptions leaving the method go to Application.HandleException; the message then gives 0.
WNDPROC MakeObjectInstance(TWndMethod method);
// Makes the procedure free for reuse; it must no longer be installed on any window.
void FreeObjectInstance(WNDPROC instance);
