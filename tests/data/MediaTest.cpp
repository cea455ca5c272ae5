#include "DbTestFiles.h"

#include "data/Media.h"
#include "data/MediaSetting.h"
#include "data/MyXMLDb.h"
#include "data/Random.h"
#include "data/SaverPreferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace {

const std::vector<std::string> kSettingFields = {
    "data", "filename", "title", "titlefontname", "titlefontstyle", "desc", "descfontname", "descfontstyle",
    "gradientstring", "effect", "selectedimagebackgroundstring", "bindsound", "accfile"};

std::string BlockBytes(const MEDIA_SETTING_DATA& data, std::size_t size = sizeof(MEDIA_SETTING_DATA))
{
    return std::string(reinterpret_cast<const char*>(&data), size);
}

// One slide: its block (possibly cut short), file name, effect list and accessory-file list.
std::vector<std::string> Slide(const std::string& block, const std::string& file, const std::string& effects,
                               const std::string& accFiles = "")
{
    std::vector<std::string> values(kSettingFields.size());
    values[0] = block;
    values[1] = file;
    values[2] = "title of " + file;
    values[9] = effects;
    values[10] = "1;2;";
    values[11] = "sound.wav";
    values[12] = accFiles;
    return values;
}

TableSpec SettingTable(const std::vector<std::vector<std::string>>& slides)
{
    return TableSpec{"setting", kSettingFields, std::vector<bool>(kSettingFields.size(), false), slides};
}

// A table of named files ("media" or "accfile"): a "name" field and a binary field called as the table.
TableSpec FileTable(const std::string& table, const std::vector<std::pair<std::string, std::string>>& files)
{
    TableSpec t{table, {"name", table}, {false, true}, {}};
    for (const auto& f : files)
        t.records.push_back({f.first, f.second});
    return t;
}

MEDIA_SETTING_DATA Block(std::uint8_t random, std::int32_t step)
{
    MEDIA_SETTING_DATA d;
    std::memset(&d, 0, sizeof d);
    d.EffectOn = 1;
    d.EffectRandom = random;
    d.Step = step;
    d.MusicOn = 1;
    return d;
}

std::string Loaded(int result, TMemoryStream& s)
{
    return result ? std::string(s.Memory(), static_cast<std::size_t>(s.Size())) : std::string("<none>");
}

} // namespace

TEST(Media, ExactAndContainingLookups)
{
    TestDb db({FileTable("media", {{"data.jpg", "DATA"}, {"a.jpg", "A"}, {"my_intro.avi", "MY"}, {"intro.avi", "INTRO"},
                                   {"\xC4QUAL.PNG", "UMLAUT"}})});
    CMedia media;
    media.SetDatabase(&db.Db);
    media.Open();

    TMemoryStream s1, s2, s3, s4, s5;
    // The stored name data.jpg contains a.jpg and comes first.
    EXPECT_EQ(Loaded(media.LoadByFileName("pics\\a.jpg", s1), s1), "DATA");
    EXPECT_EQ(media.FindStoredName("C:\\pics\\A.JPG"), "data.jpg");
    EXPECT_EQ(Loaded(media.LoadByName("Intro.AVI", s2), s2), "INTRO");
    EXPECT_EQ(Loaded(media.LoadByName("intro", s3), s3), "<none>");
    // Only A to Z fold: a byte above 0x7F compares as is.
    EXPECT_EQ(media.FindStoredName("\xC4qual.png"), "\xC4qual.png");
    EXPECT_EQ(media.FindStoredName("\xE4qual.png"), "");
    EXPECT_EQ(Loaded(media.LoadByFileName("pics\\", s4), s4), "<none>");
    EXPECT_EQ(media.FindStoredName("nothing.gif"), "");
    media.Close();
    EXPECT_EQ(Loaded(media.LoadByName("intro.avi", s5), s5), "<none>");
}

TEST(Media, MissingTableFindsNothing)
{
    TestDb db({FileTable("accfile", {})});
    CMedia media;
    media.SetDatabase(&db.Db);
    media.Open();
    TMemoryStream s;
    EXPECT_EQ(media.LoadByName("a", s), 0);
    EXPECT_EQ(media.FindStoredName("a"), "");
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();
    EXPECT_EQ(slides.Count(), 0);
    EXPECT_EQ(slides.NextEffect(), -1);
    slides.MoveNext(0);
    slides.MoveNext(1);
    EXPECT_EQ(slides.FileName, "");
}

TEST(MediaSetting, MovesInOrderAndReadsRecords)
{
    TestDb db({SettingTable({Slide(BlockBytes(Block(0, 5)), "a.jpg", "1;"), Slide(BlockBytes(Block(0, 6)), "b.jpg", "2;"),
                             Slide(BlockBytes(Block(0, 7)), "c.jpg", "3;")})});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();
    EXPECT_EQ(slides.Count(), 3);
    EXPECT_EQ(slides.FileName, "a.jpg");
    EXPECT_EQ(slides.Title, "title of a.jpg");
    EXPECT_EQ(slides.SelectedImageBackgroundString, "1;2;");
    EXPECT_EQ(slides.BindSound, "sound.wav");
    EXPECT_EQ(slides.Data.Step, 5);
    std::string visited;
    for (int i = 0; i < 5; ++i) {
        slides.MoveNext(0);
        visited += slides.FileName.substr(0, 1);
    }
    EXPECT_EQ(visited, "bcabc");
    // A look ahead taken back, in order and shuffled: on the slide before it, and the shuffled draw comes again.
    slides.MoveNext(0);
    slides.TakeBackMove();
    EXPECT_EQ(slides.FileName, "c.jpg");
    slides.MoveNext(1);
    const std::string drawn = slides.FileName;
    slides.TakeBackMove();
    EXPECT_EQ(slides.FileName, "c.jpg");
    slides.MoveNext(1);
    EXPECT_EQ(slides.FileName, drawn);
}

// The slide block is cleared before each copy, so a short stored block never keeps the previous tail.
TEST(MediaSetting, ShortBlockDoesNotKeepThePreviousSlidesTail)
{
    MEDIA_SETTING_DATA full = Block(1, 9);
    full.FlashSeconds = 77;
    full.VideoSizeMode = 4;
    MEDIA_SETTING_DATA shortBlock = Block(0, 3);
    TestDb db({SettingTable({Slide(BlockBytes(full), "a.jpg", "1;"), Slide(BlockBytes(shortBlock, 84), "b.jpg", "1;")})});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();
    EXPECT_EQ(slides.Data.FlashSeconds, 77);
    slides.MoveNext(0);
    EXPECT_EQ(slides.Data.Step, 3);
    EXPECT_EQ(slides.Data.FlashSeconds, 0);
    EXPECT_EQ(slides.Data.VideoSizeMode, 0);
}

TEST(MediaSetting, ShuffleBagsArePermutationsAndPassesDiffer)
{
    std::vector<std::vector<std::string>> records;
    for (int i = 0; i < 8; ++i)
        records.push_back(Slide(BlockBytes(Block(0, 1)), std::to_string(i), "1;"));
    TestDb db({SettingTable(records)});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();

    rtl::srand(321);
    // Expected first pass: a 31-bit draw modulo the pool's remaining size picks and removes a pool entry.
    std::vector<int> pool = {0, 1, 2, 3, 4, 5, 6, 7}, expected;
    for (int i = 0; i < 8; ++i) {
        const int j = rtl::rand31() % (8 - i);
        expected.push_back(pool[static_cast<std::size_t>(j)]);
        pool.erase(pool.begin() + j);
    }
    rtl::srand(321);

    std::vector<std::vector<int>> passes(3);
    for (auto& pass : passes)
        for (int i = 0; i < 8; ++i) {
            slides.MoveNext(1);
            pass.push_back(std::stoi(slides.FileName));
        }
    EXPECT_EQ(passes[0], expected);
    for (auto pass : passes) {
        std::sort(pass.begin(), pass.end());
        EXPECT_EQ(pass, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    }
    // Passes that follow each other at once are fresh permutations, not repeats of the last one.
    EXPECT_NE(passes[0], passes[1]);
    EXPECT_NE(passes[1], passes[2]);
    EXPECT_EQ(slides.NextShuffled(0), 0);
}

// Checked against the plain pool with entries moving up, for many sizes and a large one.
TEST(MediaSetting, ShuffleBagMatchesThePlainPool)
{
    for (int count : {1, 2, 3, 5, 8, 13, 64, 100, 1000, 4097}) {
        rtl::srand(static_cast<unsigned>(count));
        std::vector<int> pool, expected;
        for (int i = 0; i < count; ++i)
            pool.push_back(i);
        for (int i = 0; i < count; ++i) {
            const int j = rtl::rand31() % (count - i);
            expected.push_back(pool[static_cast<std::size_t>(j)]);
            pool.erase(pool.begin() + j);
        }
        rtl::srand(static_cast<unsigned>(count));
        CMediaSetting bag;
        std::vector<int> got;
        for (int i = 0; i < count; ++i)
            got.push_back(bag.NextShuffled(count));
        EXPECT_EQ(got, expected) << count;
    }
    CMediaSetting big;
    std::vector<bool> seen(1000000, false);
    for (int i = 0; i < 1000000; ++i) {
        const int n = big.NextShuffled(1000000);
        ASSERT_FALSE(seen[static_cast<std::size_t>(n)]);
        seen[static_cast<std::size_t>(n)] = true;
    }
}

TEST(MediaSetting, EachSlideWalksItsOwnEffectList)
{
    TestDb db({SettingTable({Slide(BlockBytes(Block(0, 1)), "a", "4;9;"), Slide(BlockBytes(Block(0, 1)), "b", "7;"),
                             Slide(BlockBytes(Block(0, 1)), "c", ";;")})});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();
    std::vector<int> a, b, c;
    for (int round = 0; round < 3; ++round) {
        a.push_back(slides.NextEffect());
        slides.MoveNext(0);
        b.push_back(slides.NextEffect());
        b.push_back(slides.NextEffect());
        slides.MoveNext(0);
        c.push_back(slides.NextEffect());
        slides.MoveNext(0);
    }
    EXPECT_EQ(a, (std::vector<int>{4, 9, 4}));
    EXPECT_EQ(b, (std::vector<int>{7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(c, (std::vector<int>{-1, -1, -1}));

    // Closing forgets the positions; reopening starts each list over.
    slides.Close();
    EXPECT_EQ(slides.NextEffect(), -1);
    slides.Open();
    slides.ReadRecord();
    EXPECT_EQ(slides.NextEffect(), 4);
}

TEST(MediaSetting, UserSelectedEffectsOverrideEverySlide)
{
    MEDIA_SETTING_DATA own = Block(0, 3);
    own.MusicOn = 1;
    TestDb db({SettingTable({Slide(BlockBytes(own), "a", "1;2;"), Slide(BlockBytes(own), "b", "5;")})});
    CSaverPreferences user;
    user.Data.OnlySelectedEffects = 1;
    user.Data.BackgroundSound = 2;  // only 1 counts as on here
    user.Data.RandomEffects = 0;
    user.Data.TransitionStep = 40;
    user.SelectedEffects = "11;12;";

    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.SetSaverSettings(&user);
    slides.Open();
    for (int i = 0; i < 2; ++i) {
        slides.MoveNext(0);
        EXPECT_EQ(slides.Data.MusicOn, 0);
        EXPECT_EQ(slides.Data.Step, 40);
        EXPECT_EQ(slides.Data.EffectRandom, 0);
        EXPECT_EQ(slides.Effect, "11;12;");
    }
    EXPECT_EQ(slides.NextEffect(), 11);
    EXPECT_EQ(slides.NextEffect(), 12);

    user.Data.BackgroundSound = 1;
    user.Data.RandomEffects = 1;
    slides.MoveNext(0);
    EXPECT_EQ(slides.Data.MusicOn, 1);
    EXPECT_EQ(slides.Data.EffectRandom, 1);

    user.Data.OnlySelectedEffects = 0;
    slides.MoveNext(0);
    EXPECT_EQ(slides.FileName, "a");
    EXPECT_EQ(slides.Data.Step, 3);
    EXPECT_EQ(slides.Effect, "1;2;");
}

TEST(MediaSetting, AccessoryFilesHonourOverwrite)
{
    const std::string folder = TestFile("_acc") + "_";  // a prefix of the test's own stands in for a folder
    TestDb db({SettingTable({Slide(BlockBytes(Block(0, 1)), "a.swf", "1;", "Config.XML#missing.txt#art.png#tail")}),
               FileTable("accfile", {{"config.xml", "<new/>"}, {"ART.png", "PNG"}, {"tail", "never"}})});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();

    WriteBytes(folder + "config.xml", "<old/>");
    EXPECT_EQ(slides.ExtractAccFiles(folder, 0), std::vector<std::string>{folder + "art.png"});
    EXPECT_EQ(ReadBytes(folder + "config.xml"), "<old/>");
    EXPECT_EQ(ReadBytes(folder + "art.png"), "PNG");
    EXPECT_FALSE(FileExists(folder + "missing.txt"));
    EXPECT_FALSE(FileExists(folder + "tail"));

    EXPECT_EQ(slides.ExtractAccFiles(folder, 1),
              (std::vector<std::string>{folder + "config.xml", folder + "art.png"}));
    EXPECT_EQ(ReadBytes(folder + "config.xml"), "<new/>");
    DeleteFileIfExists(folder + "config.xml");
    DeleteFileIfExists(folder + "art.png");
}

TEST(MediaSetting, AccessoryFileNamesMayNotLeaveTheFolder)
{
    for (const char* name : {"..\\evil.txt", "../evil.txt", "sub\\..\\..\\evil.txt", "\\evil.txt", "/evil.txt",
                             "c:evil.txt", "C:\\evil.txt", "..", ""})
        EXPECT_FALSE(IsSafeAccFileName(name)) << name;
    for (const char* name : {"plain.txt", "sub\\file.txt", "..dots..txt", "a..b"})
        EXPECT_TRUE(IsSafeAccFileName(name)) << name;

    const std::string folder = TestFile("_hostile") + "_";
    TestDb db({SettingTable({Slide(BlockBytes(Block(0, 1)), "a.swf", "1;", "../escaped_" + folder + "#ok.txt#")}),
               FileTable("accfile", {{"../escaped_" + folder, "BAD"}, {"ok.txt", "OK"}})});
    CMediaSetting slides;
    slides.SetDatabase(&db.Db);
    slides.Open();
    slides.ReadRecord();
    LogCapture log;
    slides.ExtractAccFiles(folder, 1);
    EXPECT_FALSE(FileExists(folder + "../escaped_" + folder));
    EXPECT_FALSE(FileExists("../escaped_" + folder));
    EXPECT_EQ(ReadBytes(folder + "ok.txt"), "OK");
    EXPECT_NE(log.Text().find("refused accessory file name"), std::string::npos);
    DeleteFileIfExists(folder + "ok.txt");
}
