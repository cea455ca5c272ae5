#include "tests/data/DbTestFiles.h"

#include "data/TempDir.h"
#include "runtime/SoundTable.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>

namespace {

struct Track {
    std::string Name;
    int Type;
    std::string Bytes;
};

TableSpec MusicTable(const std::vector<Track>& tracks)
{
    TableSpec t{"music", {"name", "type", "music"}, {false, false, true}, {}};
    for (const auto& track : tracks)
        t.records.push_back({track.Name, Int32Bytes(track.Type), track.Bytes});
    return t;
}

// Three background tracks and a slide sound between them, embedded.
const std::vector<Track> kTracks = {
    {"one.wav", 1, "ONE"}, {"forest rain.wav", 2, "RAIN"}, {"two.wav", 1, "TWO"}, {"three.wav", 1, "THREE"}};

class SoundTableTest : public ::testing::Test {
protected:
    explicit SoundTableTest(const std::vector<Track>& tracks = kTracks) : Db({MusicTable(tracks)})
    {
        Table.SetDatabase(&Db.Db);
        Table.Open();
    }
    ~SoundTableTest() override
    {
        for (const auto& track : kTracks) {
            DeleteFileIfExists(TempFilePath(track.Name));
            DeleteFileIfExists(TempFilePath("zeltsnd_" + track.Name));
        }
    }

    // Contents of the files the next count embedded tracks were written to.
    std::string Next(int count, int random, int loop)
    {
        std::string out;
        for (int i = 0; i < count; ++i) {
            const std::string path = Table.GetNext("C:\\saver\\x.scr", random, loop, 1, 0);
            out += (path.empty() ? std::string("-") : ReadBytes(path)) + " ";
        }
        return out;
    }

    TestDb Db;
    CSoundTable Table;
};

} // namespace

TEST_F(SoundTableTest, InOrderOnceOrLooping)
{
    EXPECT_EQ(Next(5, 0, 0), "ONE TWO THREE - - ");
    CSoundTable looping;
    looping.SetDatabase(&Db.Db);
    looping.Open();
    std::string out;
    for (int i = 0; i < 5; ++i)
        out += ReadBytes(looping.GetNext("x.scr", 0, 1, 1, 0)) + " ";
    EXPECT_EQ(out, "ONE TWO THREE ONE TWO ");
}

TEST_F(SoundTableTest, RandomOnceGivesEachTrackOnceThenNothing)
{
    std::multiset<std::string> got;
    for (int i = 0; i < 3; ++i)
        got.insert(ReadBytes(Table.GetNext("x.scr", 1, 0, 1, 0)));
    EXPECT_EQ(got, (std::multiset<std::string>{"ONE", "TWO", "THREE"}));
    EXPECT_EQ(Table.GetNext("x.scr", 1, 0, 1, 0), "");
}

TEST_F(SoundTableTest, RandomLoopGivesEachTrackOncePerPass)
{
    for (int pass = 0; pass < 4; ++pass) {
        std::set<std::string> got;
        for (int i = 0; i < 3; ++i)
            got.insert(ReadBytes(Table.GetNext("x.scr", 1, 1, 1, 0)));
        EXPECT_EQ(got, (std::set<std::string>{"ONE", "TWO", "THREE"})) << "pass " << pass;
    }
}

TEST_F(SoundTableTest, SoundsAreFoundByContainedFileNameWhateverTheirType)
{
    const std::string path = Table.GetByName("D:\\Sounds\\Rain.WAV", "x.scr", 1, 0);
    EXPECT_EQ(path, GetTempDir() + "zeltsnd_forest rain.wav");
    EXPECT_EQ(ReadBytes(path), "RAIN");
    EXPECT_EQ(Table.GetByName("thunder.wav", "x.scr", 1, 0), "");
    EXPECT_EQ(Table.GetByName("D:\\Sounds\\", "x.scr", 1, 0), "");
}

TEST_F(SoundTableTest, EachTrackReplacesTheLastAndASoundKeepsClearOfThePlayingTrack)
{
    const std::string first = Table.GetNext("x.scr", 0, 0, 1, 0);
    // The music device holds its track open for reading, sharing it for reading only.
    HANDLE held = CreateFileA(first.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string sound = Table.GetByName("ONE.WAV", "x.scr", 1, 0);
    EXPECT_EQ(ReadBytes(sound), "ONE");
    EXPECT_NE(sound, first);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(Table.GetNext("x.scr", 0, 0, 1, 0)), "TWO");
    EXPECT_FALSE(FileExists(first));
}

TEST_F(SoundTableTest, MissingExternalFilesAreLoggedAndGiveNothing)
{
    LogCapture log;
    WriteBytes("two.wav", "TWO");
    EXPECT_EQ(Table.GetNext("C:\\nowhere\\x.scr", 0, 0, 0, 0), "");
    EXPECT_EQ(Table.GetNext("C:\\nowhere\\x.scr", 0, 0, 0, 0), "two.wav");
    EXPECT_EQ(Table.GetByName("rain.wav", "C:\\nowhere\\x.scr", 0, 1), "");
    const std::string text = log.Text();
    EXPECT_NE(text.find("Cann't find one.wav"), std::string::npos) << text;
    EXPECT_NE(text.find("Cann't find C:\\nowhere\\forest rain.wav"), std::string::npos) << text;
    DeleteFileIfExists("two.wav");
}

class HostileNamesTest : public SoundTableTest {
protected:
    HostileNamesTest()
        : SoundTableTest({{"..\\..\\escaped.wav", 1, "ESCAPED"}, {"..", 1, "DOTS"}, {"", 1, "EMPTY"},
                          {"C:\\sub\\..", 2, "SOUND"}})
    {
    }
};

TEST_F(HostileNamesTest, OnlyTheFileNamePartIsWrittenToTheTemporaryFolder)
{
    const std::string temp = GetTempDir();
    const std::string escaped = temp + "..\\..\\escaped.wav";
    DeleteFileIfExists(escaped);
    EXPECT_EQ(Table.GetNext("x.scr", 0, 0, 1, 0), temp + "escaped.wav");
    EXPECT_FALSE(FileExists(escaped));
    EXPECT_EQ(Table.GetNext("x.scr", 0, 0, 1, 0), "");
    EXPECT_EQ(Table.GetNext("x.scr", 0, 0, 1, 0), "");
    EXPECT_EQ(Table.GetByName("sub", "x.scr", 1, 0), "");
    DeleteFileIfExists(temp + "escaped.wav");
}
