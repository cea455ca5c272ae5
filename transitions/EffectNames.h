// The effects' names by number, exactly as the settings dialog lists them.
#pragma once

constexpr int kEffectCount = 161;

extern const char* const g_EffectNames[kEffectCount];
