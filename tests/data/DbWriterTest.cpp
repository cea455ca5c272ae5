#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"

#include "DbTestFiles.h"

#include <filesystem>
#include <functional>

namespace {

const std::string kBlobA(3000, 'A');
const std::string kBlobC(200000, 'C');  // spans more than one copy chunk

std::vector<TableSpec> Project()
{
    return {
        {"project", {"name"}, {false}, {{"p"}}},
        {"media",
         {"name", "media"},
         {false, true},
         {{"first", kBlobA}, {"second", "bb"}, {"third", kBlobC}}},
        {"setting", {"filename"}, {false}, {{"s1"}, {"s2"}}},
    };
}

class DbWriterTest : public ::testing::Test {
protected:
    void SetUp() override { Path = TestFile(".db"); }
    void TearDown() override
    {
        for (const char* table : {"project", "media", "setting", "t"}) {
            DeleteFileIfExists(TableFilePath(Path, table, ".m__"));
            DeleteFileIfExists(TableFilePath(Path, table, ".tb_"));
        }
        DeleteFileIfExists(ChangeFileExt(Path, ".db_"));
        DeleteFileIfExists(Path);
    }
    void Make(const std::string& bytes, int32_t base = 0)
    {
        WriteBytes(Path, bytes);
        ASSERT_EQ(Db.Open(Path, base), 1);
    }
    // Every value of a field, read back through a fresh database with blobs loaded.
    std::vector<std::string> Values(const std::string& table, const std::string& field, int32_t base = 0)
    {
        CMyXMLDb db;
        EXPECT_EQ(db.Open(Path, base), 1);
        CMyXMLTable t;
        std::vector<std::string> values;
        if (!t.Open(&db, table))
            return {"<no table>"};
        for (t.First(); !t.Eof; t.Next()) {
            const FIELD_DATA* f = t.Field(t.FieldIndex(field));
            values.push_back(f ? f->Value : "<no field>");
        }
        return values;
    }
    // Marks the cursor's current record changed with a new value of field 0.
    static void Change(CMyXMLTable& t, const std::string& value)
    {
        t.Field(0)->Value = value;
        t.Record(t.RecNo())->State = rsModified;
    }

    std::string Path;
    CMyXMLDb Db;
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(DbWriterTest, NothingChangedWritesNothing)
{
    const std::string bytes = DatabaseBytes(Project());
    Make(bytes);
    EXPECT_EQ(Db.Save(), 1);
    Db.Clear();
    EXPECT_EQ(ReadBytes(Path), bytes);
    EXPECT_FALSE(FileExists(ChangeFileExt(Path, ".db_")));
    CMyXMLDb empty;
    EXPECT_EQ(empty.Save(), 0);
}

TEST_F(DbWriterTest, ChangedRecordsRoundTripInsideAProgramFile)
{
    const std::string prefix(1000, 'R');
    const std::string database = DatabaseBytes(Project());
    Make(ProgramBytes(prefix, database), 1000);
    {
        CMyXMLTable t;
        t.SetLoadBinary(0);
        ASSERT_EQ(t.Open(&Db, "media"), 1);
        Db.FindTable("media")->TableState = tsModified;
        t.GoTo(1);
        Change(t, "SECOND");
        t.GoTo(2);  // leaving the record stores it
        EXPECT_EQ(t.Record(1)->State, rsCached);
        Change(t, "THIRD");  // the current record is stored when the table is flushed
        t.Close();
        EXPECT_TRUE(FileExists(TableFilePath(Path, "media", ".m__")));
    }
    const std::string oldDirectory = database.substr(0, database.find("</database>") + 11);
    Db.Clear();
    const std::string saved = ReadBytes(Path);
    EXPECT_EQ(saved.substr(0, 1000), prefix);
    EXPECT_EQ(GetInt32(reinterpret_cast<const unsigned char*>(&saved[saved.size() - 4])), 1000);  // trailer kept
    // The directory keeps its length, and the tables follow in directory order.
    EXPECT_EQ(saved.find("</database>"), 1000 + oldDirectory.size() - 11);
    EXPECT_LT(saved.find("<project><head>"), saved.find("<media><head>"));
    EXPECT_LT(saved.find("<media><head>"), saved.find("<setting><head>"));
    EXPECT_FALSE(FileExists(TableFilePath(Path, "media", ".m__")));
    EXPECT_FALSE(FileExists(ChangeFileExt(Path, ".db_")));

    EXPECT_EQ(Values("media", "name", 1000), (Strings{"first", "SECOND", "THIRD"}));
    EXPECT_EQ(Values("media", "media", 1000), (Strings{kBlobA, "bb", kBlobC}));  // unloaded blobs copied
    EXPECT_EQ(Values("project", "name", 1000), (Strings{"p"}));
    EXPECT_EQ(Values("setting", "filename", 1000), (Strings{"s1", "s2"}));
}

TEST_F(DbWriterTest, HeldRecordsComeFromTheTableFile)
{
    Make(DatabaseBytes(Project()));
    WriteBytes(TableFilePath(Path, "setting", ".tb_"), "1234567" + RecordBytes({"held"}));
    {
        CMyXMLTable t;
        ASSERT_EQ(t.Open(&Db, "setting"), 1);
        Db.FindTable("setting")->TableState = tsModified;
        t.Record(1)->Offset = 7;
        t.Record(1)->Size = 8;
        t.Record(1)->State = rsInTableFile;
        EXPECT_EQ(t.GoTo(1), 1);
        EXPECT_EQ(t.FieldAsString("filename"), "held");
        t.Close();
    }
    Db.Clear();
    EXPECT_EQ(Values("setting", "filename"), (Strings{"s1", "held"}));
    EXPECT_FALSE(FileExists(TableFilePath(Path, "setting", ".tb_")));
}

TEST_F(DbWriterTest, ChangeWithoutItsSourceFailsAndKeepsTheOldFile)
{
    const std::string bytes = DatabaseBytes(Project());
    LogCapture log;
    for (int32_t state : {rsInserted, rsInTableFile}) {
        Make(bytes);
        {
            CMyXMLTable t;
            ASSERT_EQ(t.Open(&Db, "setting"), 1);
            Db.FindTable("setting")->TableState = tsModified;
            t.Record(1)->State = state;  // not the current record, never stored; no ".tb_" file
            t.Close();
        }
        EXPECT_FALSE(FileExists(TableFilePath(Path, "setting", ".m__"))) << state;
        EXPECT_EQ(Db.Save(), 0) << state;
        Db.Clear();
        EXPECT_EQ(ReadBytes(Path), bytes) << state;
        EXPECT_FALSE(FileExists(ChangeFileExt(Path, ".db_"))) << state;
    }
    EXPECT_NE(log.Text().find("has no source"), std::string::npos);
    EXPECT_NE(log.Text().find("is missing"), std::string::npos);
}

TEST_F(DbWriterTest, FailedSaveKeepsTableFilesForTheNextTry)
{
    const std::string bytes = DatabaseBytes(Project());
    Make(bytes);
    {
        CMyXMLTable t;
        ASSERT_EQ(t.Open(&Db, "project"), 1);
        Db.FindTable("project")->TableState = tsModified;
        Change(t, "P2");
        t.Close();
    }
    Db.FindTable("setting")->TableState = tsModified;  // marked, but no ".m__" was ever written
    EXPECT_EQ(Db.Save(), 0);
    EXPECT_EQ(ReadBytes(Path), bytes);
    EXPECT_TRUE(FileExists(TableFilePath(Path, "project", ".m__")));
    // With the mark gone the same save succeeds.
    Db.FindTable("setting")->TableState = tsUnchanged;
    EXPECT_EQ(Db.Save(), 1);
    Db.Clear();
    EXPECT_EQ(Values("project", "name"), (Strings{"P2"}));
    EXPECT_EQ(Values("media", "media"), (Strings{kBlobA, "bb", kBlobC}));
}

TEST_F(DbWriterTest, DeletionAloneIsSaved)
{
    Make(DatabaseBytes(Project()));
    Db.FindTable("media")->TableState = tsDeleted;
    Db.Clear();
    const std::string saved = ReadBytes(Path);
    EXPECT_EQ(saved.find("media"), std::string::npos);
    EXPECT_EQ(Values("media", "name"), (Strings{"<no table>"}));
    EXPECT_EQ(Values("setting", "filename"), (Strings{"s1", "s2"}));
}

TEST_F(DbWriterTest, NewTablesAreWrittenEmptyAndFieldlessOnesSkipped)
{
    Make(DatabaseBytes(Project()));
    auto table = std::make_unique<DB_TABLE_INFO>();
    table->Name = "t";
    table->TableState = tsNew;
    table->FieldNames = {"a", "b"};
    table->BinaryFlags = {"0", "1"};
    Db.Tables().push_back(std::move(table));
    auto bare = std::make_unique<DB_TABLE_INFO>();
    bare->Name = "bare";
    bare->TableState = tsNew;
    Db.Tables().push_back(std::move(bare));
    LogCapture log;
    Db.Clear();
    EXPECT_NE(log.Text().find("has no fields"), std::string::npos);

    CMyXMLDb db;
    ASSERT_EQ(db.Open(Path, 0), 1);
    ASSERT_EQ(db.Tables().size(), 4u);
    EXPECT_EQ(db.FindTable("bare"), nullptr);
    const DB_TABLE_INFO* t = db.FindTable("t");
    const std::string text = EmptyTableText("t", {"a", "b"}, "01");
    EXPECT_EQ(t->Size, static_cast<int32_t>(text.size()));
    EXPECT_EQ(ReadBytes(Path).substr(static_cast<size_t>(t->StartPos), text.size()), text);
    CMyXMLTable cursor;
    ASSERT_EQ(cursor.Open(&db, "t"), 1);
    EXPECT_EQ(cursor.RecordCount(), 0);
    EXPECT_EQ(cursor.Field(1)->Binary, 1);
}

TEST_F(DbWriterTest, UnchangedRecordsOutOfFileOrderAreCopiedOneRunEach)
{
    std::string bytes = DatabaseBytes({{"setting", {"filename"}, {false}, {{"one"}, {"two"}, {"three"}}}});
    // Reverse the index so that index order is not file order.
    const size_t index = bytes.find("<recordinfo>") + kRecordInfoTagLength;
    const std::string e0 = bytes.substr(index, 8), e2 = bytes.substr(index + 16, 8);
    bytes.replace(index, 8, e2);
    bytes.replace(index + 16, 8, e0);
    Make(bytes);
    EXPECT_EQ(Values("setting", "filename"), (Strings{"three", "two", "one"}));
    {
        CMyXMLTable t;
        ASSERT_EQ(t.Open(&Db, "setting"), 1);
        Db.FindTable("setting")->TableState = tsModified;
        t.Close();
    }
    Db.Clear();
    EXPECT_EQ(Values("setting", "filename"), (Strings{"three", "two", "one"}));
}

TEST_F(DbWriterTest, ShortCopyFailsTheSave)
{
    std::string bytes = DatabaseBytes(Project());
    Make(bytes);
    Db.FindTable("setting")->Size += 50;  // the last table now runs past the end of the file
    Db.FindTable("project")->TableState = tsDeleted;
    LogCapture log;
    EXPECT_EQ(Db.Save(), 0);
    EXPECT_NE(log.Text().find("cannot copy table \"setting\""), std::string::npos);
    EXPECT_EQ(ReadBytes(Path), bytes);
    EXPECT_FALSE(FileExists(ChangeFileExt(Path, ".db_")));
    // The entries are as before the failed save.
    EXPECT_EQ(Db.FindTable("project")->TableState, tsDeleted);
    Db.FindTable("project")->TableState = tsUnchanged;
}

TEST_F(DbWriterTest, WriterKeepsTheReadersLimits)
{
    const std::string bytes = DatabaseBytes(Project());
    auto addNew = [this](const std::string& name, std::vector<std::string> fields) {
        auto e = std::make_unique<DB_TABLE_INFO>();
        e->Name = name;
        e->TableState = tsNew;
        e->FieldNames = fields;
        e->BinaryFlags.assign(fields.size(), "0");
        Db.Tables().push_back(std::move(e));
    };
    struct Case {
        const char* what;
        std::function<void()> damage;
    };
    const std::vector<Case> cases = {
        {"comma in a name", [&] { addNew("a,b", {"f"}); }},
        {"tag in a table name", [&] { addNew("x<fields>", {"f"}); }},
        {"table name making a tag", [&] { addNew("recordcount", {"f"}); }},
        {"tag in a field name", [&] { addNew("t", {"f</fields>"}); }},
        {"head over 1024 bytes", [&] { addNew("t", {std::string(1100, 'f')}); }},
        {"directory over 1024 bytes",
         [&] {
             for (int i = 0; i < 40; ++i)
                 addNew("table" + std::to_string(i), {"f"});
         }},
    };
    for (const Case& c : cases) {
        Make(bytes);
        c.damage();
        EXPECT_EQ(Db.Save(), 0) << c.what;
        Db.Tables().clear();  // drop the marks without saving
        EXPECT_EQ(ReadBytes(Path), bytes) << c.what;
    }
}

TEST_F(DbWriterTest, DuplicateNamesKeepEachTable)
{
    Make(DatabaseBytes({{"dup", {"v"}, {false}, {{"one"}}},
                        {"dup", {"v"}, {false}, {{"two"}}},
                        {"project", {"name"}, {false}, {{"p"}}}}));
    Db.FindTable("project")->TableState = tsDeleted;
    Db.Clear();
    CMyXMLDb db;
    ASSERT_EQ(db.Open(Path, 0), 1);
    ASSERT_EQ(db.Tables().size(), 2u);
    const std::string saved = ReadBytes(Path);
    const DB_TABLE_INFO& second = *db.Tables()[1];
    const std::string text = saved.substr(static_cast<size_t>(second.StartPos), static_cast<size_t>(second.Size));
    EXPECT_NE(text.find("two"), std::string::npos);
    EXPECT_EQ(text.find("one"), std::string::npos);
}

TEST_F(DbWriterTest, NewFileThatCannotBeCreatedFailsTheSave)
{
    const std::string bytes = DatabaseBytes(Project());
    Make(bytes);
    std::filesystem::create_directory(ChangeFileExt(Path, ".db_"));
    Db.FindTable("media")->TableState = tsDeleted;
    EXPECT_EQ(Db.Save(), 0);
    std::filesystem::remove(ChangeFileExt(Path, ".db_"));
    Db.Tables().clear();
    EXPECT_EQ(ReadBytes(Path), bytes);
}
