// A cursor over one table of a CMyXMLDb: opens it by name, moves from record to record and hands out the
// current record's fields. Blobs are located when a record is read and fetched only when asked for.
// The cursor also carries the record-level half of the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMyXMLDb;
struct DB_TABLE_INFO;
class TFileStream;
class TStream;

// One field of the open table, holding the current record's value.
struct FIELD_DATA {
    std::string Name;
    std::string Value;      // empty for a blob that was not loaded
    int32_t Binary = 0;     // 1 for a blob field
    int64_t BlobPos = 0;    // absolute position of an unloaded blob in the database file
    int32_t BlobSize = 0;   // its byte count
};

// Record states.
enum : int32_t { rsInFile = 0, rsModified = 1, rsInserted = 2, rsCached = 3, rsInTableFile = 4 };

// One record index entry.
struct RECORD_INFO {
    int32_t Offset = 0;  // from the table's start; the cache index (rsCached) or ".tb_" position (rsInTableFile)
    int32_t Size = 0;
    int32_t State = rsInFile;
};

// A held copy of a changed record.
struct CACHED_RECORD {
    std::vector<FIELD_DATA> Fields;
    RECORD_INFO* Record = nullptr;
};

class CMyXMLTable {
public:
    CMyXMLTable();
    virtual ~CMyXMLTable();
    CMyXMLTable(const CMyXMLTable&) = delete;
    CMyXMLTable& operator=(const CMyXMLTable&) = delete;

    void SetLoadBinary(int loadBinary) { LoadBinary = loadBinary; }
    // 1 when the table was found and its head and index read; 0 otherwise (the cursor stays closed).
    int Open(CMyXMLDb* database, const std::string& tableName);
    void Close();
    bool IsClosed() const { return !IsOpen; }

    int First();
    int Next();
    int Prior();
    int GoTo(int recNo);
    int RecordCount() const { return static_cast<int>(Records.size()); }
    int RecNo() const { return RecNo_; }

    int FieldIndex(const std::string& name) const;
    int FieldCount() const { return static_cast<int>(Fields.size()); }
    // Field and record access for editors (values and states) and for walking a table.
    FIELD_DATA* Field(int index);
    RECORD_INFO* Record(int index);
    const std::string& TableName() const { return TableName_; }

    // The value as text up to its first NUL; "" for a missing field.
    std::string FieldAsString(const std::string& name) const;
    // The first (at most 4) bytes of the value, little-endian; 0 for a missing field.
    int32_t FieldAsInteger(const std::string& name) const;
    // Copy at most destSize bytes of the value; the number of bytes copied.
    int FieldToBuffer(int index, void* dest, size_t destSize) const;
    int FieldByNameToBuffer(const std::string& name, void* dest, size_t destSize) const;
    // Writes the current record's unloaded blob to the stream: 1, or 0 (nothing written) when there is
    // none or it cannot be read whole.
    int BlobToStream(const std::string& name, TStream& dest);
    int CopyBlobToStream(const std::string& name, TStream& dest);

    static std::string OpenTag(const std::string& name);
    static std::string CloseTag(const std::string& name);

    // Writer, record level.
    int CommitRecord();
    void StoreRecord(int recNo);
    void LoadCachedRecord(int recNo);
    // When the table is marked modified, writes it whole into its ".m__" file.
    void Flush();
    int WriteTable(TStream& dest);
    int WriteHead(TStream& dest);
    int WriteRecordIndex(TStream& dest, bool placeholder);
    int WriteRecords(TStream& dest);
    int WriteTail(TStream& dest);
    int CopyRun(TStream& dest, TStream& source, int64_t position, int64_t count);
    int CopyRecord(TStream& dest, TStream& source, int64_t position, int32_t size);

    int Eof = 0;  // the last move went past the last record
    int Bof = 0;  // the last move went below record 0

private:
    // Steps of Open: the head and record index; false when the table cannot be read.
    bool ReadTable(CMyXMLDb* database, const std::string& tableName);
    // Back to closed and empty after a failed open.
    void Abandon();
    bool ParseHead(const std::string& head, int32_t* count);
    bool ReadRecordIndex(int64_t indexPos, int32_t count, int64_t fileSize);
    void ReadRecordFields(TStream& stream, bool loadBlobs);
    void ClearFieldValues();
    void ReleaseAll();
    CACHED_RECORD* CacheEntryOf(const RECORD_INFO& record);
    bool WriteCachedRecord(TStream& dest, const CACHED_RECORD& entry);
    bool OpenTableFile();

    DB_TABLE_INFO* Entry = nullptr;
    std::unique_ptr<TFileStream> File;
    bool IsOpen = false;
    std::unique_ptr<TFileStream> TempStream;
    std::string TempPath;
    int32_t BaseOffset = 0;
    int32_t StartPos = 0;
    std::string TableName_;
    std::vector<std::unique_ptr<FIELD_DATA>> Fields;
    std::vector<std::unique_ptr<RECORD_INFO>> Records;
    int RecNo_ = -1;
    std::vector<std::unique_ptr<CACHED_RECORD>> Cache;
    int LoadBinary = 1;
    CMyXMLDb* Database = nullptr;

    // Writer state of one table rewrite.
    int64_t TableStartInDest = 0;
    int64_t IndexPos = 0;
    std::vector<RECORD_INFO> NewIndex;
};
