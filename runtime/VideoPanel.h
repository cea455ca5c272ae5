// The child window a video plays in, and the input rule both video windows share: keyboard and mouse input
// goes on to the parent window, so the main window decides about closing wherever the cursor is.
#pragma once

#include "classlib/Form.h"
#include "runtime/ScrMode.h"

class CSaverSettings;

// Handles a message of a video window by that rule, passing input on to parent. True when the message is
// finished here (its result set); false when the window's own handling still follows.
bool ForwardVideoInput(HWND window, HWND parent, TMessage& message, TScrMode mode, const CSaverSettings* settings);

class CVideoPanel : public TForm {
public:
    // Out of sight until the video form places it.
    CVideoPanel(TComponent* owner, CSaverSettings* settings, TScrMode mode, HWND parent);
    // The window's parent, the video form: where its input goes.
    HWND ParentWindow();

protected:
    void WndProc(TMessage& message) override;

private:
    TScrMode ScrMode;
    CSaverSettings* SaverSettings;
};
