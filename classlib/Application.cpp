#include "classlib/Application.h"

#include "classlib/Form.h"
#include "classlib/Thread.h"

#include <stdexcept>

TApplication Application;

namespace {
const wchar_t kAppClass[] = L"TApplication";
}

TApplication::~TApplication()
{
    DestroyComponents();
    if (Handle_)
        DestroyWindow(Handle_);
}

void TApplication::Initialize()
{
    Handle();
}

HWND TApplication::Handle()
{
    if (!Handle_) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = AppWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kAppClass;
        RegisterClassW(&wc);
        Handle_ = CreateWindowExA(0, "TApplication", Title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    return Handle_;
}

void TApplication::SetTitle(const std::string& title)
{
    Title_ = title;
    if (Handle_)
        SetWindowTextA(Handle_, Title_.c_str());
}

void TApplication::Run()
{
    if (!MainForm)
        return;
    MainForm->Show();
    MSG msg;
    while (!Terminated) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Terminated = true;
    // The loop may have ended without a close: the main window destroyed with its parent, or a quit from
    // elsewhere. The main form's clean-up then still runs, with its windows gone.
    if (MainForm) {
        try {
            MainForm->DoClose();
        } catch (...) {
            HandleException("main form close");
        }
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            Terminated = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::EndSession()
{
    if (SessionEnded_)
        return;
    SessionEnded_ = true;
    try {
        if (OnEndSession)
            OnEndSession();
    } catch (...) {
        HandleException("session end");
    }
    Terminate();
}

void TApplication::ShowException(const std::exception& e)
{
    MessageBoxA(nullptr, e.what(), Title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const char* where)
{
    std::string message;
    try {
        throw;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "unknown exception";
    }
    try {
        if (OnException)
            OnException(where, message);
        else
            ShowException(std::runtime_error(message));
    } catch (...) {
        // Nothing more can be done at an edge.
    }
}

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (msg) {
        case CM_SYNCHRONIZE:
            TThread::CheckSynchronize();
            return 0;
        case CM_THREADDONE:
            TThread::ThreadDone(reinterpret_cast<TThread*>(lParam));
            return 0;
        // Windows asks every top-level window, hidden ones too: this one hears of it in every start mode (a
        // preview's main window is a child and never does).
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam)
                Application.EndSession();
            return 0;
        }
    } catch (...) {
        Application.HandleException("application window");
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}
