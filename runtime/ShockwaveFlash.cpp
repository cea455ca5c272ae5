#include "runtime/ShockwaveFlash.h"

#include "data/SaverSettings.h"
#include "runtime/Cursor.h"
#include "runtime/ParentPoint.h"

namespace {

const CLSID kShockwaveFlashClass = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

enum : DISPID { kMovie = 102, kScaleMode = 120, kAlignMode = 121, kTotalFrames = 124 };

} // namespace

TShockwaveFlash::TShockwaveFlash(TComponent* owner) : TOleControl(owner, kShockwaveFlashClass) {}

void TShockwaveFlash::SetMovie(const std::wstring& path)
{
    SetWideStringProp(kMovie, path);
}

void TShockwaveFlash::SetScaleMode(int mode)
{
    SetIntProp(kScaleMode, mode);
}

void TShockwaveFlash::SetAlignMode(int mode)
{
    SetIntProp(kAlignMode, mode);
}

int TShockwaveFlash::TotalFrames()
{
    return GetIntProp(kTotalFrames);
}

void TShockwaveFlash::Play()
{
    CallMethod(L"Play");
}

void TShockwaveFlash::StopPlay()
{
    CallMethod(L"StopPlay");
}

int TShockwaveFlash::CurrentFrame()
{
    return CallIntMethod(L"CurrentFrame");
}

bool TShockwaveFlash::IsPlaying()
{
    return CallBoolMethod(L"IsPlaying");
}

bool TShockwaveFlash::ReplaceWndProc()
{
    HWND window = Handle();
    return window && Hook.Install(window, [this](TMessage& message) { NewWndProc(message); });
}

void TShockwaveFlash::RecoverOldProc()
{
    Hook.Remove();
}

void TShockwaveFlash::DefProc(TMessage& message)
{
    Hook.CallOld(message);
}

HWND TShockwaveFlash::GetParent()
{
    return ::GetParent(Handle());
}

void TShockwaveFlash::PostToParent(const TMessage& message, LPARAM lParam)
{
    PostMessageW(GetParent(), message.Msg, message.WParam, lParam);
}

// Over a movie that takes no mouse input the saver's cursor rule holds; one that does keeps its cursor.
bool TShockwaveFlash::HidesCursor() const
{
    return ScrMode == smSaver && SaverSettings && SaverSettings->PasswordPrompt == 0 && AcceptMouseClick == 0 &&
           AcceptMouseMove == 0;
}

void TShockwaveFlash::NewWndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETCURSOR:
        SetCursorVisible(!HidesCursor());
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        PostToParent(message, message.LParam);
        break;
    case WM_MOUSEMOVE:
        if (!AcceptMouseMove)
            PostToParent(message, message.LParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (!AcceptMouseClick)
            PostToParent(message, MapPointToParent(Handle(), GetParent(), message.LParam));
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        // The control's own menu never opens.
        if (!AcceptMouseClick)
            PostToParent(message, MapPointToParent(Handle(), GetParent(), message.LParam));
        message.Result = 0;
        return;
    }
    DefProc(message);
}
