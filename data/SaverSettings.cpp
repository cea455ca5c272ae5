#include "data/SaverSettings.h"

#include "data/FileLog.h"
#include "data/RegistrySettingsStore.h"

void CSaverSettings::Load()
{
    CRegistrySettingsStore store;
    LoadFrom(store);
}

TSaveResult CSaverSettings::Save()
{
    CRegistrySettingsStore store;
    return SaveTo(store);
}

void CSaverSettings::CloseEvent(const char* eventName)
{
    if (!CloseEventsArmed)
        return;
    CloseRequested = 1;
    PostMessageW(MainWindow, WM_CLOSE, 0, 0);
    ZELT_LOG("SaverSettings", "Close Event : %s", eventName ? eventName : "");
}

void CSaverSettings::BeginPasswordPrompt()
{
    PasswordPrompt = 1;
    SendMessageW(MainWindow, WM_SETCURSOR, 0, 0);
}

void CSaverSettings::EndPasswordPrompt()
{
    PasswordPrompt = 0;
    SendMessageW(MainWindow, WM_SETCURSOR, 0, 0);
    GetCursorPos(&SavedCursorPos);
}
