#include "data/SaverPreferences.h"

#include "classlib/FileUtils.h"
#include "data/FileLog.h"
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

TSaveResult CSaverPreferences::SaveTo(TSettingsStore& store) const
{
    TSaveResult result;
    result.Error = store.OpenForWriting(Key);
    if (result.Error != 0) {
        ZELT_LOG("SaverSettings", "cannot open %s for writing (error %ld): nothing is saved", Key.c_str(),
                 result.Error);
        return result;
    }
    std::uint8_t block[kSaverDataSize];
    EncodeSaverData(Data, block);
    struct TNewValue {
        const char* Name;
        TStoreValueType Type;
        const void* Bytes;
        std::uint32_t Size;
    };
    const TNewValue values[] = {
        {kDataValue, svBinary, block, sizeof block},
        {kEffectsValue, svExpandString, SelectedEffects.data(), static_cast<std::uint32_t>(SelectedEffects.size())},
        {kScreenModeValue, svDword, &DualMonitorMode, sizeof DualMonitorMode},
    };
    constexpr std::size_t kValues = sizeof values / sizeof values[0];

    // What each value held before: a save that cannot finish puts it back, so nothing is written unread.
    TStoredValue before[kValues];
    long found[kValues] = {};
    std::size_t written = 0;
    for (std::size_t i = 0; i < kValues && result.Error == 0; ++i) {
        found[i] = store.Read(values[i].Name, before[i]);
        if (found[i] != 0 && found[i] != kStoreValueMissing) {
            result.Error = found[i];
            ZELT_LOG("SaverSettings", "cannot read \"%s\" of %s (error %ld): nothing is saved", values[i].Name,
                     Key.c_str(), result.Error);
        }
    }
    // Only the writes that succeeded count: the one that failed left its value as it was.
    while (written < kValues && result.Error == 0) {
        const TNewValue& v = values[written];
        result.Error = store.Set(v.Name, v.Type, v.Bytes, v.Size);
        if (result.Error == 0)
            ++written;
        else
            ZELT_LOG("SaverSettings", "cannot write \"%s\" of %s (error %ld)", v.Name, Key.c_str(), result.Error);
    }
    if (result.Error != 0) {
        while (written > 0) {
            --written;
            const TStoredValue& old = before[written];
            long undone = 0;
            if (found[written] == 0) {
                undone = store.Set(values[written].Name, old.Type, old.Bytes.data(),
                                   static_cast<std::uint32_t>(old.Bytes.size()));
            } else {
                // A value that is gone already is as it was before the save.
                undone = store.Delete(values[written].Name);
                if (undone == kStoreValueMissing)
                    undone = 0;
            }
            if (undone != 0) {
                result.Partial = true;
                ZELT_LOG("SaverSettings", "cannot put back \"%s\" of %s (error %ld): it keeps the new value",
                         values[written].Name, Key.c_str(), undone);
            }
        }
        if (!result.Partial)
            ZELT_LOG("SaverSettings", "nothing is saved: %s keeps its values", Key.c_str());
    }
    // Closing does not undo what is written: a save that wrote all three values is done.
    const long closed = store.Close();
    if (closed != 0)
        ZELT_LOG("SaverSettings", "cannot close %s (error %ld)", Key.c_str(), closed);
    return result;
}
