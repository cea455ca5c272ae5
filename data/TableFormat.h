// The table database's text pieces and layout, shared by the database writer and the project builder.
// A database is a directory line followed by the tables; every table is a text head, a binary record
// index and binary records. Binary integers are little-endian int32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TStream;

// The reader takes the directory and every table head from one block of this many bytes.
constexpr int kFormatBlockSize = 1024;
// Length of "<recordinfo>": the record index starts right after it.
constexpr int kRecordInfoTagLength = 12;
constexpr int kIndexEntrySize = 8;

std::string OpenTagText(const std::string& name);   // "<name>"
std::string CloseTagText(const std::string& name);  // "</name>"
// A number as "%10d": fixed width, so a rewritten directory keeps its length.
std::string FixedNumberText(int32_t value);

// The directory line; names, positions and sizes are in directory order and of equal length.
std::string DirectoryText(const std::vector<std::string>& names, const std::vector<int32_t>& positions,
                          const std::vector<int32_t>& sizes);
// The opening tag and the head through "<recordinfo>"; marks holds one "0" or "1" per field.
std::string HeadText(const std::string& table, const std::vector<std::string>& fields, const std::string& marks,
                     int32_t recordCount);
// What follows the record index up to the first record.
std::string IndexEndText();
// What follows the last record.
std::string TailText(const std::string& table);
// A table without records, exactly as the writer lays it out.
std::string EmptyTableText(const std::string& table, const std::vector<std::string>& fields,
                           const std::string& marks);
std::string BinaryMarks(const std::vector<bool>& binary);
// One record: the byte counts of the values, then the values.
std::string RecordBytes(const std::vector<std::string>& values);

void PutInt32(std::string& out, int32_t value);
int32_t GetInt32(const unsigned char* bytes);
// The database offset a program file carries in its last 4 bytes; false when they cannot be read.
bool ReadOffsetTrailer(TStream& file, int32_t& offset);

// Limit checks of the reader. Each gives false and a message in *error (when error is not null).
// A table or field name must hold no ",", no NUL byte and no tag text, also inside its tags.
bool CheckName(const std::string& kind, const std::string& name, std::string* error);
// The directory and a head must each fit the reader's 1024-byte block.
bool CheckDirectoryFits(const std::string& directory, std::string* error);
bool CheckHeadFits(const std::string& table, const std::string& head, std::string* error);
// A table must have fields, valid names and one mark per field.
bool CheckTableHead(const std::string& table, const std::vector<std::string>& fields, const std::string& marks,
                    std::string* error);

// Reading helpers.
// The text between open and close tags. The close tag is searched from the end of the first open tag
// when closeAfterOpen, else its first occurrence must not begin before the open tag ends. False when missing.
bool TaggedText(const std::string& text, const char* open, const char* close, bool closeAfterOpen,
                std::string* out);
// Splits a ","-list as stored: "" gives one empty item, a trailing "," an extra empty one.
std::vector<std::string> SplitList(const std::string& list);
// A decimal int32 after trimming spaces and control characters; false when it is not one.
bool ParseNumber(const std::string& text, int32_t* value);
// The bytes up to the first NUL.
std::string TextUpToNul(const char* bytes, size_t count);

struct TableSpec {
    std::string name;
    std::vector<std::string> fields;
    std::vector<bool> binary;
    std::vector<std::vector<std::string>> records;  // record -> field values as bytes
};

// Writes a complete database (directory then tables, the writer's layout) at the stream's current position;
// positions are relative to where the directory starts. False and *error when a reader limit is broken,
// there are no tables, a record has the wrong number of values, the database outgrows int32 positions, or
// the stream refuses the bytes.
bool WriteTableDatabase(TStream& out, const std::vector<TableSpec>& tables, std::string* error);
