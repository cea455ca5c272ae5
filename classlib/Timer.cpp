#include "classlib/Timer.h"

#include "classlib/Application.h"

#include <map>

namespace {
std::map<UINT_PTR, TTimer*> g_Timers;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    Update();
}

TTimer::~TTimer()
{
    Enabled_ = false;
    Update();
}

void TTimer::SetInterval(UINT ms)
{
    if (ms != Interval_) {
        Interval_ = ms;
        Update();
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled != Enabled_) {
        Enabled_ = enabled;
        Update();
    }
}

// Every change of interval or state starts the count again, as the class library does.
void TTimer::Update()
{
    if (Id_) {
        KillTimer(nullptr, Id_);
        g_Timers.erase(Id_);
        Id_ = 0;
    }
    if (Enabled_ && Interval_ > 0) {
        Id_ = SetTimer(nullptr, 0, Interval_, TimerProc);
        if (Id_)
            g_Timers[Id_] = this;
    }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = g_Timers.find(id);
    if (it == g_Timers.end())
        return;
    try {
        if (it->second->OnTimer)
            it->second->OnTimer();
    } catch (...) {
        Application.HandleException("timer");
    }
}
