// The user's settings for one project and the run-time state of closing the saver.
#pragma once

#include "data/SaverPreferences.h"

#include <windows.h>

#include <cstdint>

class CSaverSettings : public CSaverPreferences {
public:
    // Read and write the registry key set by SetRegistryKey.
    void Load();
    TSaveResult Save();

    // When close events are armed: marks the close as requested, posts WM_CLOSE to the main window and logs.
    void CloseEvent(const char* eventName);
    // The password prompt shows the cursor; its end restarts the mouse threshold from the cursor's position.
    void BeginPasswordPrompt();
    void EndPasswordPrompt();

    HWND MainWindow = nullptr;
    std::uint8_t CloseEventsArmed = 0;     // set 2000 ms after the main window is created
    std::int32_t PasswordGraceSeconds = 15;
    POINT SavedCursorPos = {0, 0};         // origin of the mouse-move threshold
    DWORD GraceStartTick = 0;              // the main window's creation: the grace period counts from there
    std::int32_t PasswordPrompt = 0;       // 1 while the password prompt runs
    std::int32_t CloseRequested = 0;
};
