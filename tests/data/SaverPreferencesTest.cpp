#include "data/SaverPreferences.h"
#include "tests/data/FakeSettingsStore.h"
#include "tests/data/LeWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

TEST(SaverPreferences, DefaultsAndKeyName)
{
    CSaverPreferences p;
    std::uint8_t block[kSaverDataSize];
    EncodeSaverData(p.Data, block);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), sizeof block),
              Words({5, 1, 1, 0, 1, 1, 1, 1, 0, 65, 1, 0, 60, 20, 0, 1, 25, 0}));
    EXPECT_EQ(p.DualMonitorMode, 0);
    EXPECT_EQ(p.SelectedEffects.substr(0, 8), "0;1;2;3;");
    EXPECT_EQ(p.SelectedEffects.substr(p.SelectedEffects.size() - 8), "159;160;");
    EXPECT_EQ(std::count(p.SelectedEffects.begin(), p.SelectedEffects.end(), ';'), 161);

    p.SetRegistryKey("Holiday.show");
    EXPECT_EQ(p.RegistryKey(), "Software\\tarnwheel\\Holiday");
    p.SetRegistryKey("Plain");
    EXPECT_EQ(p.RegistryKey(), "Software\\tarnwheel\\Plain");
}

TEST(SaverPreferences, MissingKeyKeepsEverything)
{
    TFakeStore store;
    store.KeyExists = false;
    CSaverPreferences p;
    p.Data.MaxRuntimeMinutes = 7;
    p.SelectedEffects = "1;";
    p.LoadFrom(store);
    EXPECT_EQ(p.Data.MaxRuntimeMinutes, 7);
    EXPECT_EQ(p.SelectedEffects, "1;");
    EXPECT_EQ(store.Closes, 0);
}

TEST(SaverPreferences, SaveThenLoadRoundTrips)
{
    TFakeStore store;
    CSaverPreferences p;
    p.SetRegistryKey("Trip.scr");
    p.Data.CloseKey = 0x7A;
    p.Data.ScreenIndex = 2;
    p.SelectedEffects = "4;9;";
    p.DualMonitorMode = 3;
    EXPECT_EQ(p.SaveTo(store).Error, 0);
    EXPECT_EQ(store.OpenedKey, "Software\\tarnwheel\\Trip");
    EXPECT_EQ(store.Values["data"].Type, svBinary);
    EXPECT_EQ(store.Values["data"].Bytes.size(), 72u);
    EXPECT_EQ(store.Values["transition effects"].Type, svExpandString);
    EXPECT_EQ(store.Values["transition effects"].Bytes, "4;9;");  // no terminating zero byte
    EXPECT_EQ(store.Values["screenmode"].Type, svDword);
    EXPECT_EQ(store.Values["screenmode"].Bytes, Words({3}));

    CSaverPreferences q;
    q.SetRegistryKey("Trip.scr");
    q.LoadFrom(store);
    EXPECT_EQ(q.Data.CloseKey, 0x7A);
    EXPECT_EQ(q.Data.ScreenIndex, 2);
    EXPECT_EQ(q.SelectedEffects, "4;9;");
    EXPECT_EQ(q.DualMonitorMode, 3);
    EXPECT_EQ(store.Closes, 2);
}

TEST(SaverPreferences, FailedCreateWritesNothing)
{
    TFakeStore store;
    store.CreateError = 5;
    CSaverPreferences p;
    EXPECT_EQ(p.SaveTo(store).Error, 5);
    EXPECT_TRUE(store.Values.empty());
}

TEST(SaverPreferences, ASaveWhoseSecondWriteFailsPutsBackWhatItWrote)
{
    TFakeStore store;
    store.RefusedValue = "transition effects";
    CSaverPreferences p;
    TSaveResult saved = p.SaveTo(store);
    EXPECT_EQ(saved.Error, 5);
    EXPECT_FALSE(saved.Partial);
    EXPECT_EQ(store.Closes, 1);
    EXPECT_TRUE(store.Values.empty());
    // Values stored before keep their type and bytes.
    store.Values = {{"data", {svDword, "old"}}, {"screenmode", {svBinary, "x"}}};
    saved = p.SaveTo(store);
    EXPECT_EQ(saved.Error, 5);
    EXPECT_FALSE(saved.Partial);
    ASSERT_EQ(store.Values.size(), 2u);
    EXPECT_EQ(store.Values["data"].Type, svDword);
    EXPECT_EQ(store.Values["data"].Bytes, "old");
    EXPECT_EQ(store.Values["screenmode"].Bytes, "x");
    // A written value that cannot be put back is told.
    store.Values.clear();
    store.RefuseRewrites = true;
    saved = p.SaveTo(store);
    EXPECT_EQ(saved.Error, 5);
    EXPECT_TRUE(saved.Partial);
}

TEST(SaverPreferences, AFailedWriteIsNotPutBack)
{
    // The write refused, and a value written but deleted by someone else before the put-back: a first save
    // whose first write fails deletes nothing, and a value already gone is as it was.
    const std::pair<const char*, const char*> cases[] = {{"data", ""}, {"screenmode", "transition effects"}};
    for (const auto& [refused, lost] : cases) {
        TFakeStore store;
        store.RefusedValue = refused;
        store.LostValue = lost;
        const TSaveResult saved = CSaverPreferences().SaveTo(store);
        EXPECT_EQ(saved.Error, 5) << refused;
        EXPECT_FALSE(saved.Partial) << refused;
        EXPECT_TRUE(store.Values.empty()) << refused;
    }
}

TEST(SaverPreferences, DataValueSizes)
{
    TFakeStore store;
    CSaverPreferences p;
    // 40 bytes replace the first ten words only.
    store.Values["data"] = {svBinary, Words({9, 9, 9, 9, 9, 9, 9, 9, 9, 9})};
    p.LoadFrom(store);
    EXPECT_EQ(p.Data.DialogMouseThreshold, 9);
    EXPECT_EQ(p.Data.CloseKey, 9);
    EXPECT_EQ(p.Data.BackgroundSound, 1);
    EXPECT_EQ(p.Data.TransitionStep, 25);

    // Longer than 72 bytes: ignored.
    CSaverPreferences q;
    store.Values["data"] = {svBinary, std::string(76, '\x01')};
    q.LoadFrom(store);
    EXPECT_EQ(q.Data.DialogMouseThreshold, 5);
}

TEST(SaverPreferences, EffectListIsDelimitedByItsByteCount)
{
    TFakeStore store;
    CSaverPreferences p;
    // A list of the longest length taken, stored without a terminator.
    std::string full;
    while (full.size() + 4 <= kEffectsBufferSize)
        full += "123;";
    full.resize(kEffectsBufferSize, ';');
    store.Values["transition effects"] = {svExpandString, full};
    p.LoadFrom(store);
    EXPECT_EQ(p.SelectedEffects, full);

    // The same with a terminator appended by the system.
    p.SelectedEffects.clear();
    store.Values["transition effects"] = {svExpandString, full + '\0'};
    p.LoadFrom(store);
    EXPECT_EQ(p.SelectedEffects, full);

    // Longer lists are not taken.
    for (const std::string& longer : {full + ";", full + ";;"}) {
        CSaverPreferences q;
        store.Values["transition effects"] = {svExpandString, longer};
        q.LoadFrom(store);
        EXPECT_EQ(q.SelectedEffects, AllTransitionEffects());
    }

    // A zero byte ends the text.
    CSaverPreferences q;
    store.Values["transition effects"] = {svExpandString, std::string("5;6;\0junk", 9)};
    q.LoadFrom(store);
    EXPECT_EQ(q.SelectedEffects, "5;6;");

    store.Values["transition effects"] = {svExpandString, ""};
    q.LoadFrom(store);
    EXPECT_EQ(q.SelectedEffects, "");
}
