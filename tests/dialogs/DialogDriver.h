// Runs the settings dialog on a thread of its own and drives it by messages, as a user's clicks would.
#pragma once

#include "data/SaverSettings.h"
#include "data/ZELTGlobeSettings.h"
#include "dialogs/DialogForm.h"
#include "dialogs/DialogIds.h"
#include "dialogs/configuredlg.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>

class TDialogDriver {
public:
    // Starts ShowConfigDialog and waits for its window; the destructor cancels it if it still runs.
    TDialogDriver(CSaverSettings& settings, CZELTGlobeSettings& project)
        : Thread_([this, &settings, &project] {
              ThreadId_ = GetCurrentThreadId();
              Result_ = ShowConfigDialog(&settings, &project);
          })
    {
        while (!ThreadId_)
            Sleep(1);
        Window_ = WaitPopup(nullptr);
    }
    ~TDialogDriver()
    {
        if (Thread_.joinable()) {
            Command(IDCANCEL);
            Thread_.join();
        }
    }

    HWND Window() const { return Window_; }
    // A control of the form or of one of its pages.
    HWND Find(int id) const
    {
        TSearch search = {nullptr, id, nullptr};
        EnumChildWindows(Window_, FindControl, reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    void Tick(int id, bool on) const { SendMessageW(Find(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
    void SetText(int id, const std::string& text) const { SetWindowTextA(Find(id), text.c_str()); }
    // Selects a combo box item and tells the form, as a closed drop-down does.
    void Select(int id, int index) const
    {
        const HWND box = Find(id);
        SendMessageW(box, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    void ShowTab(int n) const
    {
        const HWND tabs = Find(IDC_PCMAIN);
        SendMessageW(tabs, TCM_SETCURSEL, n, 0);
        NMHDR header = {tabs, IDC_PCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(Window_, WM_NOTIFY, IDC_PCMAIN, reinterpret_cast<LPARAM>(&header));
    }
    // A button or menu command: Click returns once it ran, Command does not wait (for commands that open a
    // window of their own or end the dialog).
    void Click(int id) const { SendMessageW(Window_, WM_COMMAND, id, 0); }
    void Command(int id) const { PostMessageW(Window_, WM_COMMAND, id, 0); }

    // The next window the dialog's thread shows over owner; null after 10 s.
    HWND WaitPopup(HWND owner) const
    {
        TSearch search = {owner, 0, nullptr};
        for (int waited = 0; !search.Found && waited < 10000; waited += 10) {
            EnumThreadWindows(ThreadId_, FindPopup, reinterpret_cast<LPARAM>(&search));
            Sleep(10);
        }
        return search.Found;
    }
    // The text of the message box now showing, which is then closed; "" when none shows.
    std::string TakeMessage() const
    {
        const HWND box = WaitPopup(Window_);
        std::string text;
        EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (box && IsWindow(box))
            Sleep(10);
        return text;
    }
    // True when the dialog's window is gone within 5 s.
    bool Ended() const
    {
        for (int waited = 0; IsWindow(Window_) && waited < 5000; waited += 10)
            Sleep(10);
        return !IsWindow(Window_);
    }
    // Waits for the dialog's end: ShowConfigDialog's result.
    bool Finish()
    {
        Thread_.join();
        return Result_;
    }

private:
    // A window by owner (top-level windows) or by control number (children).
    struct TSearch {
        HWND Owner;
        int Id;
        HWND Found;
    };
    static BOOL CALLBACK FindPopup(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<TSearch*>(data);
        if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->Owner)
            return TRUE;
        search->Found = window;
        return FALSE;
    }
    static BOOL CALLBACK FindControl(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<TSearch*>(data);
        if (GetDlgCtrlID(window) != search->Id)
            return TRUE;
        search->Found = window;
        return FALSE;
    }
    static BOOL CALLBACK CollectStatic(HWND window, LPARAM data)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0)
            *reinterpret_cast<std::string*>(data) += WindowText(window);
        return TRUE;
    }

    std::atomic<DWORD> ThreadId_{0};
    std::atomic<bool> Result_{false};
    std::thread Thread_;
    HWND Window_ = nullptr;
};

// The window as it is on the screen, written as a PNG file.
bool SaveScreenshot(HWND window, const std::string& path);
