// The open table database: its file, base offset and directory of tables, and the rebuild of the file
// when tables were changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMyXMLTable;
class TStream;

// Table states.
enum : int32_t { tsUnchanged = 0, tsModified = 1, tsNew = 2, tsDeleted = 3, tsWritten = 4 };

// One directory entry.
struct DB_TABLE_INFO {
    std::string Name;                      // exactly as listed, not trimmed
    int32_t StartPos = -1;                 // from the base offset; -1 until read
    int32_t Size = 0;                      // bytes from the opening through the closing tag
    int32_t TableState = tsUnchanged;
    CMyXMLTable* Table = nullptr;          // the cursor open on this entry, not owned
    std::vector<std::string> FieldNames;   // fields of a new table
    std::vector<std::string> BinaryFlags;  // "0" or "1" per field of a new table
};

class CMyXMLDb {
public:
    CMyXMLDb();
    virtual ~CMyXMLDb();
    CMyXMLDb(const CMyXMLDb&) = delete;
    CMyXMLDb& operator=(const CMyXMLDb&) = delete;

    // Reads the directory at baseOffset. 1 on success or when the file does not exist, 0 on failure.
    int Open(const std::string& fileName, int32_t baseOffset);
    // Saves changed tables, then forgets the directory.
    void Clear();
    // The first entry named exactly so, or null.
    DB_TABLE_INFO* FindTable(const std::string& name);

    const std::string& FileName() const { return FileName_; }
    int32_t BaseOffset() const { return BaseOffset_; }
    // The directory entries in directory order (editors add and mark entries here).
    std::vector<std::unique_ptr<DB_TABLE_INFO>>& Tables() { return Tables_; }

    static std::string OpenTag(const std::string& name);
    static std::string CloseTag(const std::string& name);

    // Writer. Save rebuilds the file when a table is modified, new or deleted: 1 done (or nothing to do),
    // 0 when the directory is empty or the save failed (the old file is then untouched).
    int Save();
    // The directory text: allTables 1 lists every table the save writes, 0 only those written.
    std::string BuildDirectory(int allTables);
    // Copies exactly count bytes from position on; 0 when fewer could be copied.
    static int CopyRange(TStream& dest, TStream& source, int64_t position, int64_t count);
    // Appends the table's ".m__" file; 0 when it is missing or could not be copied whole.
    int CopyTableFile(TStream& dest, const std::string& tableName);
    // Writes a new table without records; 0 when it has no fields or breaks a reader limit.
    int WriteEmptyTable(TStream& dest, DB_TABLE_INFO& entry);

private:
    int ParseTables(const std::string& directory);
    int ParseTableStartPositions(const std::string& directory);
    int ParseTableSizes(const std::string& directory);
    bool ReadDirectory(int64_t fileSize, TStream& file);
    bool WriteDatabase(TStream& dest, TStream* old, std::vector<std::string>& usedTableFiles);

    std::vector<std::unique_ptr<DB_TABLE_INFO>> Tables_;
    std::string FileName_;
    int32_t BaseOffset_ = 0;
};

// Folder of the database file + table name + extension: where the writer keeps a table's temporary files.
std::string TableFilePath(const std::string& dbFileName, const std::string& tableName, const char* ext);
