#include "data/FileLog.h"

#include "classlib/FileUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char kBeginText[] = "----------------------------Begin-----------------------------";
const char kEndText[] = "----------------------------End-------------------------------";
const char kStamp[] = R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\] : )";

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    // The log is a text stream: on Windows its lines end with CR LF.
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool MakeReadOnly(const std::string& path)
{
#ifdef _WIN32
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
#else
    return chmod(path.c_str(), 0444) == 0;
#endif
}

void MakeWritable(const std::string& path)
{
#ifdef _WIN32
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    chmod(path.c_str(), 0644);
#endif
}

bool Matches(const std::string& text, const std::string& pattern)
{
    return std::regex_match(text, std::regex(pattern));
}

// Runs body with g_FileLog pointing at log, restoring the previous global afterwards.
template <class F>
void WithGlobalLog(CFileLog& log, F body)
{
    CFileLog* previous = g_FileLog;
    g_FileLog = &log;
    body();
    g_FileLog = previous;
}

} // namespace

TEST(FileLog, AbsentFileStaysOffAndIsNotCreated)
{
    const std::string path = "filelog_test_absent.log";
    DeleteFileIfExists(path);
    {
        CFileLog log(path);
        EXPECT_FALSE(log.IsOn());
        WithGlobalLog(log, [] { ZELT_LOG("FileLogTest", "nothing %d", 1); });
        log.Write("x");
    }
    EXPECT_FALSE(FileExists(path));
}

TEST(FileLog, RunsAreFramedAndAppended)
{
    const std::string path = "filelog_test_frames.log";
    WriteFile(path, "");
    {
        CFileLog log(path);
        ASSERT_TRUE(log.IsOn());
        WithGlobalLog(log, [] { ZELT_LOG("MyUnit", "value %d of %s", 42, "x"); });
        log.Where("main", 7);
        log.Print("%s", "");  // an empty message writes no time-stamped line
        log.Print("second");
    }
    {
        CFileLog log(path);
        log.Print("next run");
    }
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(Matches(lines[0], std::string(kStamp) + kBeginText)) << lines[0];
    EXPECT_TRUE(Matches(lines[1], R"(\(-?\d+\)\[MyUnit,\(\d+\)\] : )" + std::string(kStamp) + "value 42 of x"))
        << lines[1];
    // The location prefix of the empty message stays in front of the next line.
    EXPECT_TRUE(Matches(lines[2], R"(\(-?\d+\)\[main,\(7\)\] : )" + std::string(kStamp) + "second")) << lines[2];
    EXPECT_TRUE(Matches(lines[3], std::string(kStamp) + kEndText)) << lines[3];
    EXPECT_TRUE(Matches(lines[4], std::string(kStamp) + kBeginText)) << lines[4];
    EXPECT_TRUE(Matches(lines[5], std::string(kStamp) + "next run")) << lines[5];
    EXPECT_TRUE(Matches(lines[6], std::string(kStamp) + kEndText)) << lines[6];
    DeleteFileIfExists(path);
}

TEST(FileLog, KeepsEarlierContentAndFlushesEachLine)
{
    const std::string path = "filelog_test_flush.log";
    WriteFile(path, "old line\n");
    {
        CFileLog log(path);
        log.Print("kept %d", 1);
        // Readable before the log closes: each line is flushed.
        const std::vector<std::string> lines = ReadLines(path);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "old line");
        EXPECT_TRUE(Matches(lines[2], std::string(kStamp) + "kept 1"));
    }
    DeleteFileIfExists(path);
}

TEST(FileLog, ReadOnlyFileLeavesLoggingOff)
{
    const std::string path = "filelog_test_readonly.log";
    WriteFile(path, "");
    ASSERT_TRUE(MakeReadOnly(path));
#ifdef _WIN32
    // Administrators may still write a read-only file; a handle that denies writers keeps everyone out.
    HANDLE guard = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(guard, INVALID_HANDLE_VALUE);
#else
    if (access(path.c_str(), W_OK) == 0) {
        MakeWritable(path);
        DeleteFileIfExists(path);
        GTEST_SKIP() << "this user can write read-only files";
    }
#endif
    {
        CFileLog log(path);
        EXPECT_FALSE(log.IsOn());
        log.Print("lost");
    }
#ifdef _WIN32
    CloseHandle(guard);
#endif
    MakeWritable(path);
    EXPECT_TRUE(ReadLines(path).empty());
    DeleteFileIfExists(path);
}

TEST(FileLog, LongMessagesAndNamesAreCut)
{
    const std::string path = "filelog_test_long.log";
    WriteFile(path, "");
    {
        CFileLog log(path);
        const std::string huge(5000, 'q');
        log.Where("C:\\src\\deep\\AVeryLongUnitNameThatGoesOnAndOnBeyondForty.cpp", 3);
        log.Print("%s", huge.c_str());
    }
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 3u);
    const std::string& entry = lines[1];
    EXPECT_NE(entry.find("[AVeryLongUnitNameThatGoesOnAndOnBeyondF,(3)] : "), std::string::npos) << entry;
    EXPECT_EQ(entry.find("deep"), std::string::npos);
    const std::size_t q = entry.find('q');
    ASSERT_NE(q, std::string::npos);
    EXPECT_EQ(entry.size() - q, 1023u);
    DeleteFileIfExists(path);
}

// Only this test program touches "zelt.log" beside itself; it removes it again.
TEST(FileLog, DefaultLogLivesBesideTheProgram)
{
#ifdef _WIN32
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const std::string path = ExtractFilePath(self) + "zelt.log";
#else
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string path = ExtractFilePath(self) + "zelt.log";
#endif
    DeleteFileIfExists(path);
    {
        CFileLog log;
        EXPECT_FALSE(log.IsOn());
    }
    EXPECT_FALSE(FileExists(path));
    WriteFile(path, "");
    {
        CFileLog log;
        EXPECT_TRUE(log.IsOn());
        log.Print("beside");
    }
    const std::vector<std::string> lines = ReadLines(path);
    DeleteFileIfExists(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Matches(lines[1], std::string(kStamp) + "beside"));
}

TEST(FileLog, ExtractBaseNameIsBounded)
{
    char small[5];
    EXPECT_TRUE(ExtractBaseName("a\\b\\name.cpp", small, sizeof small));
    EXPECT_STREQ(small, "name");
    char full[40];
    EXPECT_TRUE(ExtractBaseName("plain", full, sizeof full));
    EXPECT_STREQ(full, "plain");
    EXPECT_TRUE(ExtractBaseName("dir\\", full, sizeof full));
    EXPECT_STREQ(full, "");
    EXPECT_FALSE(ExtractBaseName("x", full, 0));
}
