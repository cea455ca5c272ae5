// TSlideShowThread runs one picture transition: the transition itself runs on the user-interface thread
// through Synchronize, then the thread tells the picture form that it is over, unless it was stopped.
#pragma once

#include <windows.h>

#include "classlib/Thread.h"

struct TransitionParams;

class TSlideShowThread : public TThread {
public:
    // Made on the user-interface thread, which also fixes the window the end notice goes to.
    explicit TSlideShowThread(TransitionParams* params);

    TransitionParams* Params;

protected:
    void Execute() override;

private:
    void RunTransition();

    // Copied here so the notice never reads a player that may be gone.
    const HWND Window;
};
