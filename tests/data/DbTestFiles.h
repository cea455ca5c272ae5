// Test databases on disk: made with the format writer or from hand-made bytes, each under its own name.
#pragma once

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/MyXMLDb.h"
#include "data/TableFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A file name of its own for the running test.
inline std::string TestFile(const std::string& ext)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("dbt_") + info->test_suite_name() + "_" + info->name() + ext;
}

inline std::string ReadBytes(const std::string& path)
{
    TMemoryStream m;
    if (!m.LoadFromFile(path))
        return std::string();
    return std::string(m.Memory(), static_cast<size_t>(m.Size()));
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    TFileStream f(path, fmCreate);
    ASSERT_TRUE(f.IsOpen() && f.WriteText(bytes) && f.Close()) << path;
}

inline std::string DatabaseBytes(const std::vector<TableSpec>& tables)
{
    TMemoryStream m;
    std::string error;
    EXPECT_TRUE(WriteTableDatabase(m, tables, &error)) << error;
    return std::string(m.Memory(), static_cast<size_t>(m.Size()));
}

// A program file: prefix, database, then the 4-byte trailer holding the prefix length.
inline std::string ProgramBytes(const std::string& prefix, const std::string& database)
{
    std::string trailer;
    PutInt32(trailer, static_cast<int32_t>(prefix.size()));
    return prefix + database + trailer;
}

inline std::string Int32Bytes(int32_t v)
{
    std::string s;
    PutInt32(s, v);
    return s;
}

const std::string kBlob(5000, 'B');

// Tables of the kinds a project holds: one with a blob field, binary text and empty fields, an empty one, one
// of a single record.
inline std::vector<TableSpec> MediaTables()
{
    return {
        {"project", {"name"}, {false}, {{"p"}}},
        {"media",
         {"name", "num", "media", "data"},
         {false, false, true, false},
         {{"first", Int32Bytes(1), kBlob, std::string(100, 'd')},
          {std::string("abc\0def", 7), "\x34\x12", "tiny", ""},
          {"", "", "", ""}}},
        {"empty", {"a"}, {false}, {}},
        {"one", {"a"}, {false}, {{"only"}}},
    };
}

// A database file of the running test's own, opened.
class TestDb {
public:
    explicit TestDb(const std::vector<TableSpec>& tables) : Path(TestFile(".db"))
    {
        WriteBytes(Path, DatabaseBytes(tables));
        EXPECT_EQ(Db.Open(Path, 0), 1);
    }
    ~TestDb() { DeleteFileIfExists(Path); }

    std::string Path;
    CMyXMLDb Db;
};

// Turns the diagnostic log on into a file of the test's own for the lifetime of the object.
class LogCapture {
public:
    LogCapture() : Path(TestFile(".log"))
    {
        WriteBytes(Path, "");
        Log = new CFileLog(Path);
        Previous = g_FileLog;
        g_FileLog = Log;
    }
    ~LogCapture()
    {
        g_FileLog = Previous;
        delete Log;
        DeleteFileIfExists(Path);
    }
    std::string Text() const { return ReadBytes(Path); }

private:
    std::string Path;
    CFileLog* Log = nullptr;
    CFileLog* Previous = nullptr;
};
