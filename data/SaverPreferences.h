// The stored part of the user's settings for one project: the SAVER_DATA block ("data"), the selected
// transition effects ("transition effects") and the dual-monitor mode ("screenmode").
#pragma once

#include "data/SaverData.h"

#include <cstdint>
#include <string>

class TSettingsStore;

// The longest list of selected effects taken from the store, in bytes; longer stored lists are ignored.
constexpr std::uint32_t kEffectsBufferSize = 4096;

// What a save did. Error 0: all three values are written. Otherwise none is (what was written is put back),
// unless putting one back failed too: then Partial is set and some of the new values stay.
struct TSaveResult {
    long Error = 0;
    bool Partial = false;
};

// "0;1;...;160;": every effect number, ascending, each followed by ";".
std::string AllTransitionEffects();

class CSaverPreferences {
public:
    virtual ~CSaverPreferences() = default;

    // Key := "Software\tarnwheel\" + the project name without its extension.
    void SetRegistryKey(const std::string& projectName);
    const std::string& RegistryKey() const { return Key; }

    // Reads the three values; a missing key or value keeps what is held.
    void LoadFrom(TSettingsStore& store);
    // Writes the three values, all or none; logs what failed and what was put back.
    TSaveResult SaveTo(TSettingsStore& store) const;

    SAVER_DATA Data;
    std::string SelectedEffects = AllTransitionEffects();
    std::int32_t DualMonitorMode = 0;  // 0 different images, 1 same image, 2 clone, 3 cross screens

private:
    std::string Key;
};
