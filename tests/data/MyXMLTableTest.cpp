#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"

#include "DbTestFiles.h"

#include <cstring>
#include <filesystem>

namespace {

void PatchInt32(std::string& bytes, size_t pos, int32_t v)
{
    const std::string b = Int32Bytes(v);
    bytes.replace(pos, 4, b);
}

// Position of record i's index entry in a database whose first table with an index is the one wanted.
size_t IndexEntry(const std::string& bytes, const std::string& table, int i)
{
    const size_t start = bytes.find("<" + table + "><head>");
    return bytes.find("<recordinfo>", start) + kRecordInfoTagLength + 8 * static_cast<size_t>(i);
}

size_t RecordStart(const std::string& bytes, const std::string& table, int i)
{
    const size_t start = bytes.find("<" + table + "><head>");
    return start + static_cast<size_t>(GetInt32(reinterpret_cast<const unsigned char*>(&bytes[IndexEntry(bytes, table, i)])));
}

class MyXMLTableTest : public ::testing::Test {
protected:
    void SetUp() override { Path = TestFile(".db"); }
    void TearDown() override
    {
        Cursor.Close();
        Db.Clear();
        DeleteFileIfExists(Path);
    }
    void OpenDb(const std::string& bytes)
    {
        WriteBytes(Path, bytes);
        ASSERT_EQ(Db.Open(Path, 0), 1);
    }
    // A database of one table "t" made from its text.
    void OpenSingleTable(const std::string& tableText)
    {
        const std::string dir0 = DirectoryText({"t"}, {0}, {0});
        OpenDb(DirectoryText({"t"}, {static_cast<int32_t>(dir0.size())}, {static_cast<int32_t>(tableText.size())}) +
               tableText);
    }

    std::string Path;
    CMyXMLDb Db;
    CMyXMLTable Cursor;
};

} // namespace

TEST_F(MyXMLTableTest, ReadsTextIntegersBlocksAndBlobs)
{
    OpenDb(DatabaseBytes(MediaTables()));
    Cursor.SetLoadBinary(0);
    ASSERT_EQ(Cursor.Open(&Db, "media"), 1);
    EXPECT_EQ(Cursor.RecordCount(), 3);
    EXPECT_EQ(Cursor.RecNo(), 0);
    EXPECT_EQ(Cursor.FieldAsString("name"), "first");
    EXPECT_EQ(Cursor.FieldAsInteger("num"), 1);
    EXPECT_EQ(Cursor.FieldAsString("media"), "");  // blobs are not loaded
    TMemoryStream blob;
    EXPECT_EQ(Cursor.BlobToStream("media", blob), 1);
    EXPECT_EQ(std::string(blob.Memory(), static_cast<size_t>(blob.Size())), kBlob);
    char block[100];
    EXPECT_EQ(Cursor.FieldByNameToBuffer("data", block, sizeof block), 100);
    EXPECT_EQ(std::string(block, 100), std::string(100, 'd'));

    EXPECT_EQ(Cursor.Next(), 1);
    EXPECT_EQ(Cursor.FieldAsString("name"), "abc");    // text ends at its first NUL
    EXPECT_EQ(Cursor.FieldAsInteger("num"), 4660);     // two bytes, high bytes 0
    TMemoryStream tiny;
    EXPECT_EQ(Cursor.CopyBlobToStream("media", tiny), 1);
    EXPECT_EQ(tiny.Size(), 4);

    EXPECT_EQ(Cursor.Next(), 2);
    EXPECT_EQ(Cursor.FieldAsString("name"), "");
    EXPECT_EQ(Cursor.FieldAsInteger("num"), 0);
    TMemoryStream none;
    EXPECT_EQ(Cursor.BlobToStream("media", none), 0);  // an empty blob is no blob
    EXPECT_EQ(none.Size(), 0);
    // Names match byte for byte.
    EXPECT_EQ(Cursor.FieldIndex("Name"), -1);
    EXPECT_EQ(Cursor.FieldIndex("name"), 0);
}

TEST_F(MyXMLTableTest, LoadedBlobsAreValuesNotStreams)
{
    OpenDb(DatabaseBytes(MediaTables()));
    ASSERT_EQ(Cursor.Open(&Db, "media"), 1);  // blobs load by default
    std::string bytes(kBlob.size(), '\0');
    EXPECT_EQ(Cursor.FieldByNameToBuffer("media", &bytes[0], bytes.size()), static_cast<int>(kBlob.size()));
    EXPECT_EQ(bytes, kBlob);
    EXPECT_EQ(Cursor.FieldAsString("media"), kBlob);
    TMemoryStream out;
    EXPECT_EQ(Cursor.BlobToStream("media", out), 0);
}

TEST_F(MyXMLTableTest, MovesKeepTheirFlagsAndRecords)
{
    OpenDb(DatabaseBytes(MediaTables()));
    ASSERT_EQ(Cursor.Open(&Db, "media"), 1);
    Cursor.GoTo(2);
    EXPECT_EQ(Cursor.Next(), 2);  // past the last record: Eof, same record, same values
    EXPECT_EQ(Cursor.Eof, 1);
    EXPECT_EQ(Cursor.GoTo(2), 2);  // no move at all: Eof stays
    EXPECT_EQ(Cursor.Eof, 1);
    EXPECT_EQ(Cursor.First(), 0);
    EXPECT_EQ(Cursor.Eof, 0);
    EXPECT_EQ(Cursor.Bof, 1);
    EXPECT_EQ(Cursor.FieldAsString("name"), "first");
    EXPECT_EQ(Cursor.Prior(), 0);
    EXPECT_EQ(Cursor.Bof, 1);
    Cursor.Close();

    // A one-record table scans twice.
    ASSERT_EQ(Cursor.Open(&Db, "one"), 1);
    for (int scan = 0; scan < 2; ++scan) {
        int seen = 0;
        for (Cursor.First(); !Cursor.Eof; Cursor.Next())
            seen += Cursor.FieldAsString("a") == "only";
        EXPECT_EQ(seen, 1) << scan;
    }
    Cursor.Close();

    ASSERT_EQ(Cursor.Open(&Db, "empty"), 1);
    EXPECT_EQ(Cursor.First(), -1);
    EXPECT_EQ(Cursor.Eof, 1);
    EXPECT_EQ(Cursor.Bof, 0);
    EXPECT_EQ(Cursor.FieldAsString("a"), "");
    EXPECT_EQ(Cursor.FieldAsInteger("a"), 0);
    Cursor.Close();

    // A cursor that never opened reads like an empty table.
    CMyXMLTable never;
    EXPECT_EQ(never.Open(&Db, "absent"), 0);
    EXPECT_EQ(never.First(), -1);
    EXPECT_EQ(never.Eof, 1);
    EXPECT_EQ(never.FieldAsString("name"), "");
    TMemoryStream out;
    EXPECT_EQ(never.BlobToStream("media", out), 0);
    EXPECT_EQ(never.FieldAsInteger("num"), 0);
}

TEST_F(MyXMLTableTest, HeadIsParsedAsStored)
{
    const std::string tail = "</head><recordinfo></recordinfo><data></data></t>";
    OpenSingleTable("<t><head><fields>a,b,c,d</fields><binfields>0101</binfields><recordcount>  0 </recordcount>" +
                    tail);
    ASSERT_EQ(Cursor.Open(&Db, "t"), 1);
    EXPECT_EQ(Cursor.FieldCount(), 4);
    EXPECT_EQ(Cursor.Field(0)->Binary, 0);
    EXPECT_EQ(Cursor.Field(1)->Binary, 1);
    EXPECT_EQ(Cursor.Field(3)->Binary, 1);
    Cursor.Close();
    Db.Clear();

    // Too few marks, or an empty record count: the open fails and the cursor stays closed.
    LogCapture log;
    for (const std::string& head :
         {std::string("<fields>a,b,c,d</fields><binfields>01</binfields><recordcount>0</recordcount>"),
          std::string("<fields>a</fields><binfields>0</binfields><recordcount></recordcount>"),
          std::string("<fields>a</fields><binfields>0</binfields><recordcount>-1</recordcount>")}) {
        OpenSingleTable("<t><head>" + head + tail);
        EXPECT_EQ(Cursor.Open(&Db, "t"), 0) << head;
        EXPECT_TRUE(Cursor.IsClosed());
        EXPECT_EQ(Cursor.FieldCount(), 0);
        EXPECT_EQ(Db.FindTable("t")->Table, nullptr);
        Db.Clear();
    }
    EXPECT_NE(log.Text().find("binary marks"), std::string::npos);
    EXPECT_NE(log.Text().find("bad record count"), std::string::npos);

    // Without field tags nothing of the head is read: no fields, no records.
    OpenSingleTable("<t><head><binfields>0</binfields><recordcount>5</recordcount>" + tail);
    ASSERT_EQ(Cursor.Open(&Db, "t"), 1);
    EXPECT_EQ(Cursor.FieldCount(), 0);
    EXPECT_EQ(Cursor.RecordCount(), 0);
}

TEST_F(MyXMLTableTest, TableOutsideTheFileDoesNotOpen)
{
    std::string bytes = DatabaseBytes(MediaTables());
    WriteBytes(Path, bytes);
    LogCapture log;
    {
        CMyXMLDb db;
        ASSERT_EQ(db.Open(Path, 0), 1);
        db.FindTable("media")->StartPos = -1;  // as when the start list is missing
        CMyXMLTable t;
        EXPECT_EQ(t.Open(&db, "media"), 0);
        EXPECT_TRUE(t.IsClosed());
        db.FindTable("media")->StartPos = static_cast<int32_t>(bytes.size());
        EXPECT_EQ(t.Open(&db, "media"), 0);
        // The size is not used by the reader.
        db.FindTable("one")->Size = 0;
        EXPECT_EQ(t.Open(&db, "one"), 1);
        EXPECT_EQ(t.FieldAsString("a"), "only");
    }
    EXPECT_NE(log.Text().find("outside the file"), std::string::npos);
}

TEST_F(MyXMLTableTest, DamagedRecordIndexFailsTheOpen)
{
    const std::string good = DatabaseBytes(MediaTables());
    const size_t countPos = good.find("<recordcount>3</recordcount>") + 13;
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    // No "<recordinfo>" while there are records.
    std::string noInfo = good;
    noInfo.replace(good.find("<recordinfo>", countPos), 12, "<recordinfx>");
    cases.push_back({"no index tag", noInfo});
    for (const char* count : {"-3", "100000", "268435455", "2147483647"}) {
        std::string b = good;
        b.replace(countPos, 1, count);
        cases.push_back({count, b});
    }
    // An index that the file cuts short.
    cases.push_back({"short index", good.substr(0, IndexEntry(good, "media", 1) + 3)});
    // As many records as index entries fit in the rest of the file, with no room for their byte counts; the
    // count may spread over "</head>", which the reader does not look for.
    std::string phantom = good;
    const std::string most = std::to_string((good.size() - IndexEntry(good, "media", 0)) / kIndexEntrySize);
    std::string countText = most + "</recordcount>";
    countText.resize(std::strlen("3</recordcount></head>"), ' ');
    phantom.replace(countPos, countText.size(), countText);
    cases.push_back({"records beyond the file's room", phantom});
    LogCapture log;
    for (const Case& c : cases) {
        WriteBytes(Path, c.bytes);
        CMyXMLDb db;
        ASSERT_EQ(db.Open(Path, 0), 1) << c.what;
        CMyXMLTable t;
        EXPECT_EQ(t.Open(&db, "media"), 0) << c.what;
        EXPECT_TRUE(t.IsClosed()) << c.what;
        EXPECT_EQ(t.RecordCount(), 0) << c.what;
        // The same cursor still opens a sound table afterwards.
        EXPECT_EQ(t.Open(&db, "project"), 1) << c.what;
        EXPECT_EQ(t.FieldAsString("name"), "p") << c.what;
    }
    EXPECT_NE(log.Text().find("records of at least 24 bytes do not fit in the file"), std::string::npos);
}

TEST_F(MyXMLTableTest, EmptyTableNeedsNoIndexTag)
{
    OpenSingleTable("<t><head><fields>a</fields><binfields>0</binfields><recordcount>0</recordcount></head></t>");
    ASSERT_EQ(Cursor.Open(&Db, "t"), 1);
    EXPECT_EQ(Cursor.RecordCount(), 0);
}

TEST_F(MyXMLTableTest, DamagedRecordsReadEmpty)
{
    std::string bytes = DatabaseBytes(MediaTables());
    // Record 1 lies past the end of the file; record 2's first count is negative; record 1 of a copy is
    // given a count past the end.
    PatchInt32(bytes, IndexEntry(bytes, "media", 1), 0x7fffff00);
    PatchInt32(bytes, RecordStart(bytes, "media", 2), -5);
    OpenDb(bytes);
    LogCapture log;
    Cursor.SetLoadBinary(0);
    ASSERT_EQ(Cursor.Open(&Db, "media"), 1);
    EXPECT_EQ(Cursor.FieldAsString("name"), "first");
    EXPECT_EQ(Cursor.Next(), 1);  // the move succeeds
    EXPECT_EQ(Cursor.FieldAsString("name"), "");
    EXPECT_EQ(Cursor.FieldAsInteger("num"), 0);
    TMemoryStream out;
    EXPECT_EQ(Cursor.BlobToStream("media", out), 0);
    EXPECT_EQ(Cursor.Field(2)->BlobSize, 0);
    Cursor.GoTo(0);
    EXPECT_EQ(Cursor.GoTo(2), 2);
    EXPECT_EQ(Cursor.FieldAsString("data"), "");
    EXPECT_EQ(Cursor.BlobToStream("media", out), 0);
    EXPECT_EQ(out.Size(), 0);
    EXPECT_NE(log.Text().find("outside the file"), std::string::npos);
    EXPECT_NE(log.Text().find("damaged record"), std::string::npos);
    Cursor.Close();
    Db.Clear();

    // A blob count running past the end of the file, with blobs loaded or not.
    bytes = DatabaseBytes(MediaTables());
    PatchInt32(bytes, RecordStart(bytes, "media", 0) + 8, 0x7ffffff0);
    OpenDb(bytes);
    for (int load : {0, 1}) {
        Cursor.SetLoadBinary(load);
        ASSERT_EQ(Cursor.Open(&Db, "media"), 1);
        EXPECT_EQ(Cursor.FieldAsString("name"), "") << load;
        EXPECT_EQ(Cursor.FieldAsString("media"), "") << load;
        EXPECT_EQ(Cursor.BlobToStream("media", out), 0) << load;
        Cursor.Close();
    }
}

TEST_F(MyXMLTableTest, BlobOfATruncatedFileWritesNothing)
{
    const std::string bytes = DatabaseBytes(MediaTables());
    OpenDb(bytes);
    Cursor.SetLoadBinary(0);
    ASSERT_EQ(Cursor.Open(&Db, "media"), 1);
    ASSERT_EQ(Cursor.Field(2)->BlobSize, static_cast<int32_t>(kBlob.size()));
    // The file loses its end while the cursor stands on the record.
    std::filesystem::resize_file(Path, static_cast<uintmax_t>(Cursor.Field(2)->BlobPos + 100));
    TMemoryStream out;
    EXPECT_EQ(Cursor.BlobToStream("media", out), 0);
    EXPECT_EQ(out.Size(), 0);
}

TEST_F(MyXMLTableTest, MissingFieldsAndSmallDestinationsAreSafe)
{
    OpenDb(DatabaseBytes({{"t", {"long", "wide"}, {false, false}, {{std::string(100, 'x'), "\1\0\0\0\7\7"}}}}));
    ASSERT_EQ(Cursor.Open(&Db, "t"), 1);
    EXPECT_EQ(Cursor.FieldAsString("nosuch"), "");
    EXPECT_EQ(Cursor.FieldAsInteger("nosuch"), 0);
    TMemoryStream out;
    EXPECT_EQ(Cursor.BlobToStream("nosuch", out), 0);
    char block[90];
    std::memset(block, 'G', sizeof block);
    EXPECT_EQ(Cursor.FieldByNameToBuffer("long", block, 80), 80);
    EXPECT_EQ(std::string(block, 80), std::string(80, 'x'));
    EXPECT_EQ(std::string(block + 80, 10), std::string(10, 'G'));  // nothing past the destination
    EXPECT_EQ(Cursor.FieldToBuffer(-1, block, sizeof block), 0);
    EXPECT_EQ(Cursor.FieldToBuffer(2, block, sizeof block), 0);
    EXPECT_EQ(Cursor.FieldAsInteger("wide"), 1);  // only the first four bytes
}
