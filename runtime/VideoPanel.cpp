#include "runtime/VideoPanel.h"

#include "data/FileLog.h"
#include "data/SaverSettings.h"
#include "runtime/Cursor.h"
#include "runtime/ParentPoint.h"

bool ForwardVideoInput(HWND window, HWND parent, TMessage& message, TScrMode mode, const CSaverSettings* settings)
{
    switch (message.Msg) {
    case WM_SETCURSOR:
        ApplyCursorRule(mode, settings && settings->PasswordPrompt != 0);
        return false;
    case WM_HELP:
        SendMessageW(parent, message.Msg, message.WParam, message.LParam);  // it carries a pointer: no post
        message.Result = 0;
        return true;
    case WM_CHAR:
        PostMessageW(parent, message.Msg, message.WParam, message.LParam);
        return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        PostMessageW(parent, message.Msg, message.WParam, MapPointToParent(window, parent, message.LParam));
        return false;
    default:
        return false;
    }
}

CVideoPanel::CVideoPanel(TComponent* owner, CSaverSettings* settings, TScrMode mode, HWND parent)
    : TForm(owner, parent), ScrMode(mode), SaverSettings(settings)
{
    SetBounds(-1000, -1000, 0, 0);
    Show();
}

HWND CVideoPanel::ParentWindow()
{
    return GetParent(Handle());
}

void CVideoPanel::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEMOVE)
        ZELT_LOG_AT("VideoPanel", 64, "video panel mouse move");
    if (!ForwardVideoInput(Handle(), ParentWindow(), message, ScrMode, SaverSettings))
        TForm::WndProc(message);
}
