#include "data/SaverPreferences.h"

#include "classlib/FileUtils.h"
#include "data/SettingsStore.h"

#include <cstring>
#include <vector>

namespace {

const char kDataValue[] = "data";
const char kEffectsValue[] = "transition effects";
const char kScreenModeValue[] = "screenmode";

} // namespace

std::string AllTransitionEffects()
{
    std::string text;
    for (int i = 0; i <= 160; ++i)
        text += std::to_string(i) + ";";
    return text;
}

void CSaverPreferences::SetRegistryKey(const std::string& projectName)
{
    Key = "Software\\tarnwheel\\" + ChangeFileExt(projectName, "");
}

void CSaverPreferences::LoadFrom(TSettingsStore& store)
{
    if (!store.OpenForReading(Key))
        return;

    // A longer value fails the query and leaves the block; a shorter one replaces its first bytes.
    std::uint8_t block[kSaverDataSize];
    std::uint32_t size = sizeof block;
    if (store.Query(kDataValue, block, size))
        DecodeSaverData(block, size, Data);

    // The stored text carries no terminator, though the system may append one when there is room: the
    // buffer holds one byte more than the longest list taken, and the text ends at the returned byte count
    // or at a zero byte, whichever comes first.
    std::vector<char> effects(kEffectsBufferSize + 1, '\0');
    size = static_cast<std::uint32_t>(effects.size());
    if (store.Query(kEffectsValue, effects.data(), size)) {
        const std::size_t n = size < effects.size() ? size : effects.size();
        const char* end = static_cast<const char*>(std::memchr(effects.data(), '\0', n));
        const std::size_t length = end ? static_cast<std::size_t>(end - effects.data()) : n;
        if (length <= kEffectsBufferSize)
            SelectedEffects.assign(effects.data(), length);
    }

    std::uint8_t mode[4];
    size = sizeof mode;
    if (store.Query(kScreenModeValue, mode, size)) {
        std::uint8_t current[4];
        std::memcpy(current, &DualMonitorMode, sizeof current);
        std::memcpy(current, mode, size < 4 ? size : 4);
        std::memcpy(&DualMonitorMode, current, sizeof current);
    }

    store.Close();
}

long CSaverPreferences::SaveTo(TSettingsStore& store) const
{
    const long opened = store.OpenForWriting(Key);
    if (opened != 0)
        return opened;
    std::uint8_t block[kSaverDataSize];
    EncodeSaverData(Data, block);
    // A value that cannot be written is reported, not hidden behind a good close.
    long result = store.Set(kDataValue, svBinary, block, sizeof block);
    const long effects = store.Set(kEffectsValue, svExpandString, SelectedEffects.data(),
                                   static_cast<std::uint32_t>(SelectedEffects.size()));
    const long mode = store.Set(kScreenModeValue, svDword, &DualMonitorMode, sizeof DualMonitorMode);
    const long closed = store.Close();
    for (long step : {effects, mode, closed})
        if (result == 0)
            result = step;
    return result;
}
