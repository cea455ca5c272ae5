// The Flash control (class {D27CDB6E-AE6D-11CF-96B8-444553540000}) on our ActiveX host: the properties and
// methods the player uses, and a replaced window procedure that hands keyboard and mouse input over the
// movie to the main window and keeps the cursor rule there.
#pragma once

#include "classlib/Messages.h"
#include "classlib/OleControl.h"
#include "classlib/WindowProcHook.h"
#include "runtime/FlashEndRule.h"
#include "runtime/ScrMode.h"

#include <string>

class CSaverSettings;

class TShockwaveFlash : public TOleControl, public IFlashMovie {
public:
    // EOleSysError when the control is not installed or cannot be set up.
    explicit TShockwaveFlash(TComponent* owner);

    void SetMovie(const std::wstring& path);
    void SetScaleMode(int mode);
    void SetAlignMode(int mode);
    int TotalFrames();
    void Play();
    void StopPlay() override;
    int CurrentFrame() override;
    bool IsPlaying() override;

    // Whether the movie itself takes mouse clicks and moves (then they do not reach the main window).
    void SetAcceptMouseClick(int accept) { AcceptMouseClick = accept; }
    void SetAcceptMouseMove(int accept) { AcceptMouseMove = accept; }
    void SetScrMode(TScrMode mode) { ScrMode = mode; }
    void SetSaverSettings(CSaverSettings* settings) { SaverSettings = settings; }

    // Installs NewWndProc on the control's window (making the window first); once. False when the control
    // has no window or its procedure could not be replaced.
    bool ReplaceWndProc();
    void RecoverOldProc();

private:
    void NewWndProc(TMessage& message);
    void DefProc(TMessage& message);
    HWND GetParent();
    void PostToParent(const TMessage& message, LPARAM lParam);
    // A mouse position in the control's client area, as a position in the parent's.
    bool HidesCursor() const;

    TScrMode ScrMode = smNone;
    CSaverSettings* SaverSettings = nullptr;
    int AcceptMouseClick = 1;
    int AcceptMouseMove = 1;
    // A member, so the control's own procedure is back before the control is torn down.
    TWindowProcHook Hook;
};
