// A timer of the user-interface thread in the class library's manner. Its ticks are thread messages, so they
// also arrive while a modal loop (a message box, a dialog) runs.
#pragma once

#include "classlib/Component.h"

#include <windows.h>

#include <functional>

class TTimer : public TComponent {
public:
    // Enabled with an interval of 1000 ms, as the class library makes it.
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    void SetInterval(UINT ms);
    void SetEnabled(bool enabled);
    bool Enabled() const { return Enabled_; }

    // Exceptions leaving it go to Application.HandleException.
    std::function<void()> OnTimer;

private:
    void Update();
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

    UINT Interval_ = 1000;
    bool Enabled_ = true;
    UINT_PTR Id_ = 0;
};
