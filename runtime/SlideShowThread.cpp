#include "runtime/SlideShowThread.h"

#include "data/FileLog.h"
#include "runtime/Messages.h"
#include "transitions/TransitionEffects.h"

TSlideShowThread::TSlideShowThread(TransitionParams* params) : Params(params), Window(params->Wnd) {}

void TSlideShowThread::Execute()
{
    Synchronize([this] { RunTransition(); });
    if (!Terminated)
        PostMessageW(Window, WM_TRANSITIONDONE, 0, 0);
}

void TSlideShowThread::RunTransition()
{
    // A thread stopped before its turn came has a player that may have composed the next slide already.
    if (Terminated)
        return;
    try {
        CTransitionEffects effects;
        Params->Thread = this;
        effects.LoadParams(*Params);
        effects.ShowTransition();
    } catch (...) {
        ZELT_LOG("slideshowthread", "the transition failed");
    }
}
