#include "dialogs/ConfigureValues.h"

#include "data/FileLog.h"
#include "data/PickFromList.h"
#include "transitions/EffectNames.h"

#include <algorithm>
#include <iterator>

namespace {

// Without the blanks and control characters at either end.
std::string Trim(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

// The check boxes that show a word of the block as ticked when it is 1, and save 1 ticked, 0 not.
struct TFlagBox {
    std::int32_t SAVER_DATA::*Word;
    bool TConfigureValues::*Box;
};

const TFlagBox kFlagBoxes[] = {
    {&SAVER_DATA::AnyEvent, &TConfigureValues::AnyEvent},
    {&SAVER_DATA::CloseOnMouseMove, &TConfigureValues::MouseMove},
    {&SAVER_DATA::CloseOnLeftClick, &TConfigureValues::LeftClick},
    {&SAVER_DATA::CloseOnRightClick, &TConfigureValues::RightClick},
    {&SAVER_DATA::CloseOnDoubleClick, &TConfigureValues::DoubleClick},
    {&SAVER_DATA::CloseOnEsc, &TConfigureValues::Esc},
    {&SAVER_DATA::CloseOnEnter, &TConfigureValues::Enter},
    {&SAVER_DATA::CloseOnKey, &TConfigureValues::SpecifiedKey},
    {&SAVER_DATA::MaxRuntimeOn, &TConfigureValues::MaxTime},
    {&SAVER_DATA::RandomEffects, &TConfigureValues::RandomEffects},
    {&SAVER_DATA::OnlySelectedEffects, &TConfigureValues::OnlySelectedEffects},
};

} // namespace

std::vector<bool> EffectTicks(const std::string& list)
{
    std::vector<bool> ticks(kEffectCount, false);
    std::size_t pos = 0;
    for (std::size_t semi = list.find(';'); semi != std::string::npos; semi = list.find(';', pos)) {
        const std::string token = list.substr(pos, semi - pos);
        int number = -1;
        if (ParseDecimal(token, number) && number >= 0 && number < kEffectCount)
            ticks[number] = true;
        else
            ZELT_LOG("configuredlg", "dropped effect \"%.40s\" from the stored list", token.c_str());
        pos = semi + 1;
    }
    return ticks;
}

std::string EffectList(const std::vector<bool>& ticks)
{
    std::string list;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (ticks[i])
            list += std::to_string(i) + ";";
    }
    return list;
}

TConfigureValues ValuesFromSettings(const CSaverPreferences& settings)
{
    const SAVER_DATA& d = settings.Data;
    TConfigureValues v;
    v.Threshold = std::clamp(d.MouseMoveThreshold, 1, 100);
    for (const TFlagBox& flag : kFlagBoxes)
        v.*flag.Box = d.*flag.Word == 1;
    const char key = static_cast<char>(d.CloseKey & 0xFF);
    v.Key = key ? std::string(1, key) : std::string();
    v.Mute = d.BackgroundSound == 0;
    v.MaxTimeText = std::to_string(d.MaxRuntimeMinutes);
    v.ScreenIndex = d.ScreenIndex;
    v.ScreenMode = settings.DualMonitorMode;
    v.Effects = EffectTicks(settings.SelectedEffects);
    return v;
}

TConfigureCheck CheckValues(const TConfigureValues& v)
{
    if (v.SpecifiedKey && Trim(v.Key).empty())
        return ccNoKey;
    int minutes = 0;
    if (!ParseDecimal(Trim(v.MaxTimeText), minutes))
        return ccBadRuntime;
    // With Alt+F4 swallowed, a saver that nothing ends locks the user out.
    if (!(v.AnyEvent || v.MouseMove || v.LeftClick || v.RightClick || v.DoubleClick || v.Esc || v.Enter ||
          v.SpecifiedKey || (v.MaxTime && minutes > 0)))
        return ccNoCloseEvent;
    return ccOk;
}

const char* CheckMessage(TConfigureCheck check)
{
    switch (check) {
    case ccNoKey:
        return "Please specified a key to close screensaver.";
    case ccBadRuntime:
        return "Invalid maximum runtime number.";
    case ccNoCloseEvent:
        return "Please select at least one event to close screensaver.";
    default:
        return "";
    }
}

TConfigureCheck ApplyValues(const TConfigureValues& v, CSaverPreferences& settings)
{
    const TConfigureCheck check = CheckValues(v);
    if (check != ccOk)
        return check;
    SAVER_DATA& d = settings.Data;
    // The show's threshold; the old word keeps the same for whoever reads it.
    d.MouseMoveThreshold = v.Threshold;
    d.DialogMouseThreshold = v.Threshold;
    for (const TFlagBox& flag : kFlagBoxes)
        d.*flag.Word = v.*flag.Box ? 1 : 0;
    d.CloseKey = v.SpecifiedKey ? static_cast<unsigned char>(Trim(v.Key)[0]) : 0;
    d.BackgroundSound = v.Mute ? 0 : 1;
    ParseDecimal(Trim(v.MaxTimeText), d.MaxRuntimeMinutes);
    // No item selected (a stored monitor that is gone): the stored choice stays.
    if (v.ScreenIndex >= 0)
        d.ScreenIndex = v.ScreenIndex;
    if (v.ScreenMode >= 0)
        settings.DualMonitorMode = v.ScreenMode;
    // The step has no control; a stored step below the engine's bound of 1 goes back to the default.
    if (d.TransitionStep < 1)
        d.TransitionStep = SAVER_DATA().TransitionStep;
    settings.SelectedEffects = EffectList(v.Effects);
    return ccOk;
}
