#include "dialogs/ConfigureValues.h"
#include "tests/data/FakeSettingsStore.h"
#include "tests/data/LeWords.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

// threshold, any, move, left, right, double, esc, enter, key on, key, sound, max on, minutes, move threshold,
// only selected, random, step, screen
const std::string kUserBlock = Words({42, 0, 1, 1, 0, 0, 0, 1, 1, 'z', 0, 1, 15, 33, 1, 0, 9, 2});

// The user's stored settings through the dialog's values, edited, applied and saved into a fresh store.
TFakeStore LoadEditSave(const std::string& block, const std::string& effects,
                        const std::function<void(TConfigureValues&)>& edit)
{
    TFakeStore store;
    store.Values = {{"data", {svBinary, block}}, {"transition effects", {svExpandString, effects}},
                    {"screenmode", {svDword, Words({3})}}};
    CSaverPreferences settings;
    settings.LoadFrom(store);
    TConfigureValues values = ValuesFromSettings(settings);
    edit(values);
    EXPECT_EQ(ApplyValues(values, settings), ccOk);
    TFakeStore saved;
    settings.SaveTo(saved);
    return saved;
}

} // namespace

TEST(ConfigureValues, StoredSettingsShowAndSaveAsTheControlsSay)
{
    TFakeStore saved = LoadEditSave(kUserBlock, "3;160;", [](TConfigureValues& v) {
        EXPECT_TRUE(!v.AnyEvent && v.MouseMove && v.LeftClick && !v.RightClick && v.Enter && v.SpecifiedKey);
        EXPECT_EQ(v.Threshold, 33);  // the show's threshold
        EXPECT_EQ(v.Key, "z");
        EXPECT_TRUE(v.Mute);  // background sound off
        EXPECT_EQ(v.MaxTimeText, "15");
        EXPECT_EQ(v.ScreenMode, 3);
        EXPECT_EQ(EffectList(v.Effects), "3;160;");
    });
    EXPECT_EQ(saved.Values["data"].Bytes, Words({33}) + kUserBlock.substr(4));  // both thresholds the same
    EXPECT_EQ(saved.Values["transition effects"].Bytes, "3;160;");

    saved = LoadEditSave(kUserBlock, "3;160;", [](TConfigureValues& v) {
        v.SpecifiedKey = false;  // the key then saves as 0
        v.Mute = false;
        v.MaxTimeText = " 12 ";
        v.ScreenIndex = -1;      // a monitor that is gone keeps the stored index
        v.Effects.assign(v.Effects.size(), false);
        v.Effects[0] = v.Effects[5] = v.Effects[17] = true;
    });
    EXPECT_EQ(saved.Values["data"].Bytes, Words({33, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 12, 33, 1, 0, 9, 2}));
    EXPECT_EQ(saved.Values["transition effects"].Bytes, "0;5;17;");

    // A stored step below 1 goes back to the default; an empty selection saves an empty list.
    saved = LoadEditSave(Words({5, 1, 1, 0, 1, 1, 1, 1, 0, 65, 1, 0, 60, 20, 0, 1, 0, 0}), "",
                         [](TConfigureValues&) {});
    EXPECT_EQ(saved.Values["data"].Bytes.substr(64, 4), Words({25}));
    EXPECT_EQ(saved.Values["transition effects"].Bytes, "");

    // A stored threshold outside the track bar's range shows and saves as its nearest end.
    for (const auto& [stored, shown] : {std::pair{0, 1}, std::pair{101, 100}}) {
        const std::string block = kUserBlock.substr(0, 52) + Words({stored}) + kUserBlock.substr(56);
        saved = LoadEditSave(block, "", [shown = shown](TConfigureValues& v) { EXPECT_EQ(v.Threshold, shown); });
        EXPECT_EQ(saved.Values["data"].Bytes.substr(52, 4), Words({shown})) << stored;
    }
}

TEST(ConfigureValues, BadEffectTokensAreDroppedAndNothingElseIsLost)
{
    EXPECT_EQ(EffectList(EffectTicks("3;x;200;-1;;161;7;12a;0;9")), "0;3;7;");
    TFakeStore saved = LoadEditSave(kUserBlock, "3;x;200;-1;;7;", [](TConfigureValues&) {});
    EXPECT_EQ(saved.Values["data"].Bytes, Words({33}) + kUserBlock.substr(4));
    EXPECT_EQ(saved.Values["transition effects"].Bytes, "3;7;");
    EXPECT_EQ(saved.Values["screenmode"].Bytes, Words({3}));
}

// A saver nothing ends is refused; a runtime limit of some minutes ends it as an input would.
TEST(ConfigureValues, ARuntimeLimitCountsAsAWayToEnd)
{
    TConfigureValues v;
    v.MaxTime = true;
    v.MaxTimeText = "0";
    EXPECT_EQ(CheckValues(v), ccNoCloseEvent);
    v.MaxTimeText = "5";
    EXPECT_EQ(CheckValues(v), ccOk);
}
