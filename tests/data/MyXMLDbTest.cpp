#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"

#include "DbTestFiles.h"

namespace {

const std::vector<TableSpec> kTwoTables = {
    {"first", {"name"}, {false}, {{"one"}}},
    {"second", {"name"}, {false}, {{"two"}}},
};

std::string Directory(const std::string& names, const std::string& positions, const std::string& sizes)
{
    return "<database><tables>" + names + "</tables><tablestartpos>" + positions + "</tablestartpos><tablesize>" +
           sizes + "</tablesize></database>";
}

} // namespace

TEST(MyXMLDb, MissingFileOpensEmpty)
{
    CMyXMLDb db;
    EXPECT_EQ(db.Open(TestFile(".nothere"), 0), 1);
    EXPECT_TRUE(db.Tables().empty());
    EXPECT_EQ(db.FindTable("project"), nullptr);
    CMyXMLTable t;
    EXPECT_EQ(t.Open(&db, "project"), 0);
    EXPECT_TRUE(t.IsClosed());
}

TEST(MyXMLDb, ReadsADatabaseInsideAProgramFile)
{
    const std::string path = TestFile(".scr");
    const std::string prefix(2000, 'P');
    WriteBytes(path, ProgramBytes(prefix, DatabaseBytes(kTwoTables)));
    CMyXMLDb db;
    ASSERT_EQ(db.Open(path, 2000), 1);
    ASSERT_EQ(db.Tables().size(), 2u);
    CMyXMLTable t;
    t.SetLoadBinary(0);
    ASSERT_EQ(t.Open(&db, "second"), 1);
    EXPECT_EQ(t.FieldAsString("name"), "two");
    t.Close();

    // The trailer holding 0 points at the program's first byte, where there is no directory.
    CMyXMLDb atZero;
    EXPECT_EQ(atZero.Open(path, 0), 1);
    EXPECT_TRUE(atZero.Tables().empty());
    EXPECT_EQ(t.Open(&atZero, "second"), 0);
    DeleteFileIfExists(path);
}

TEST(MyXMLDb, OffsetOutsideTheFileGivesNoTables)
{
    const std::string path = TestFile(".scr");
    const std::string file = ProgramBytes("XX", DatabaseBytes(kTwoTables));
    WriteBytes(path, file);
    LogCapture log;
    for (int64_t bad : {int64_t(-1), int64_t(file.size()) - 3, int64_t(file.size()) + 100, int64_t(INT32_MIN)}) {
        CMyXMLDb db;
        EXPECT_EQ(db.Open(path, static_cast<int32_t>(bad)), 0) << bad;
        EXPECT_TRUE(db.Tables().empty()) << bad;
    }
    EXPECT_NE(log.Text().find("database offset"), std::string::npos);
    DeleteFileIfExists(path);
}

TEST(MyXMLDb, DirectoryListsAreReadAsStored)
{
    const std::string path = TestFile(".db");
    {
        // Padded numbers, a name with a leading space, a name listed twice, names differing in case.
        WriteBytes(path, Directory(" lead,dup,dup,Case", "       123,1,2,3", "4,5,6,7"));
        CMyXMLDb db;
        ASSERT_EQ(db.Open(path, 0), 1);
        ASSERT_EQ(db.Tables().size(), 4u);
        EXPECT_EQ(db.Tables()[0]->Name, " lead");
        EXPECT_EQ(db.Tables()[0]->StartPos, 123);
        EXPECT_EQ(db.FindTable("lead"), nullptr);
        EXPECT_EQ(db.FindTable("dup"), db.Tables()[1].get());
        EXPECT_EQ(db.FindTable("case"), nullptr);
        EXPECT_EQ(db.FindTable("Case")->Size, 7);
    }
    {
        // One size more than tables: the open fails, the tables stay listed.
        WriteBytes(path, Directory("a,b", "1,2", "1,2,3"));
        CMyXMLDb db;
        EXPECT_EQ(db.Open(path, 0), 0);
        EXPECT_EQ(db.Tables().size(), 2u);
    }
    {
        // A number that is not one fails too; a missing list leaves the defaults.
        WriteBytes(path, "<database><tables>a,b</tables><tablestartpos>1,x</tablestartpos></database>");
        CMyXMLDb db;
        EXPECT_EQ(db.Open(path, 0), 0);
        WriteBytes(path, "<database><tables>a,b</tables><tablesize>5,6</tablesize></database>");
        EXPECT_EQ(db.Open(path, 0), 1);
        EXPECT_EQ(db.Tables()[1]->StartPos, -1);
        EXPECT_EQ(db.Tables()[1]->Size, 6);
    }
    {
        // A trailing "," gives an extra empty name; an empty number list one empty item, not a number.
        WriteBytes(path, Directory("a,", "", ""));
        CMyXMLDb db;
        EXPECT_EQ(db.Open(path, 0), 0);
        ASSERT_EQ(db.Tables().size(), 2u);
        EXPECT_EQ(db.Tables()[1]->Name, "");
    }
    DeleteFileIfExists(path);
}

TEST(MyXMLDb, OneSizeFewerStillOpensTheLastTable)
{
    const std::string path = TestFile(".db");
    std::string bytes = DatabaseBytes(kTwoTables);
    // Drop the last size: its place is taken by spaces so the positions stay right.
    const size_t sizes = bytes.find("<tablesize>") + 11;
    const size_t comma = bytes.find(',', sizes);
    bytes.replace(comma, 11, std::string(11, ' '));
    WriteBytes(path, bytes);
    CMyXMLDb db;
    ASSERT_EQ(db.Open(path, 0), 1);
    EXPECT_EQ(db.FindTable("second")->Size, 0);
    CMyXMLTable t;
    ASSERT_EQ(t.Open(&db, "second"), 1);
    EXPECT_EQ(t.FieldAsString("name"), "two");
    t.Close();
    DeleteFileIfExists(path);
}

TEST(MyXMLDb, ClearClosesCursorsLeftOpen)
{
    const std::string path = TestFile(".db");
    WriteBytes(path, DatabaseBytes(kTwoTables));
    CMyXMLTable survivor;  // outlives the database
    {
        CMyXMLDb db;
        ASSERT_EQ(db.Open(path, 0), 1);
        ASSERT_EQ(survivor.Open(&db, "first"), 1);
    }
    EXPECT_TRUE(survivor.IsClosed());
    EXPECT_EQ(survivor.FieldAsString("name"), "");
    DeleteFileIfExists(path);
}
