// The application object: the hidden application window, the main form and the message loop.
#pragma once

#include "classlib/Component.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

class TForm;

class TApplication : public TComponent {
public:
    ~TApplication() override;

    // Makes the hidden application window; Handle() also makes it on first use.
    void Initialize();
    HWND Handle();

    void SetTitle(const std::string& title);
    const std::string& Title() const { return Title_; }

    // A form owned by the application; the first one made becomes the main form.
    template <class F, class... A>
    F* CreateForm(A&&... args)
    {
        F* form = new F(this, std::forward<A>(args)...);
        if (!MainForm)
            MainForm = form;
        return form;
    }

    // Shows the main form and dispatches messages until WM_QUIT, then gives the main form its DoClose; returns
    // at once when there is no main form.
    void Run();
    // Dispatches every message waiting in this thread's queue, then returns.
    // A WM_QUIT sets Terminated and is put back so the main loop still sees it.
    void ProcessMessages();
    // Ends the message loop.
    void Terminate();
    // The user's session ends (log-off, restart, shutdown): runs OnEndSession once, then ends the loop. Windows
    // may end the process at any moment after the WM_ENDSESSION that calls it returns.
    void EndSession();
    // Deletes every form and component the application owns (the program does so before its shutdown).
    using TComponent::DestroyComponents;

    // A box with the exception's text, titled with the application title.
    void ShowException(const std::exception& e);
    // For a catch block at a callback edge: hands the current exception's text to OnException, or shows it
    // when no handler is set. where names the edge for the log.
    void HandleException(const char* where);

    bool MainFormOnTaskBar = true;
    bool Terminated = false;
    TForm* MainForm = nullptr;
    // Replaces the box of HandleException (the screen saver logs instead of stopping for a box).
    std::function<void(const std::string& where, const std::string& message)> OnException;
    // Everything the program does at its end, run before Windows ends the process at a session's end.
    std::function<void()> OnEndSession;

private:
    static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Handle_ = nullptr;
    std::string Title_;
    bool SessionEnded_ = false;
};

extern TApplication Application;

// Messages the application window handles for the other classes of the library.
const UINT CM_SYNCHRONIZE = WM_APP + 0x3F00;   // run the waiting Synchronize calls
const UINT CM_THREADDONE = WM_APP + 0x3F01;    // lParam: a TThread whose Execute returned
