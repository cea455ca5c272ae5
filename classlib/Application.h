// The application object: for now the message pump that long-running work on the UI thread calls.
#pragma once

class TApplication {
public:
    // Dispatches every message waiting in this thread's queue, then returns.
    // A WM_QUIT sets Terminated and is put back so the main loop still sees it.
    void ProcessMessages();

    bool Terminated = false;
};

extern TApplication Application;
