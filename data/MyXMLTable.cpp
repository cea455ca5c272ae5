#include "data/MyXMLTable.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/MyXMLDb.h"
#include "data/TableFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// A blob whose bytes stayed in the file: the value is empty and the position and size say where they are.
bool IsUnloadedBlob(const FIELD_DATA& f)
{
    return f.Binary && f.Value.empty() && f.BlobSize > 0;
}

int64_t StoredSize(const FIELD_DATA& f)
{
    return IsUnloadedBlob(f) ? f.BlobSize : static_cast<int64_t>(f.Value.size());
}

} // namespace

CMyXMLTable::CMyXMLTable() = default;

CMyXMLTable::~CMyXMLTable()
{
    Close();
}

std::string CMyXMLTable::OpenTag(const std::string& name)
{
    return OpenTagText(name);
}

std::string CMyXMLTable::CloseTag(const std::string& name)
{
    return CloseTagText(name);
}

int CMyXMLTable::Open(CMyXMLDb* database, const std::string& tableName)
{
    Close();
    Entry = database ? database->FindTable(tableName) : nullptr;
    if (!Entry)
        return 0;
    // The entry names this cursor only once the table is read: a read that fails, or throws (no memory for
    // the record index), leaves the entry's cursor as it was and this one closed and empty.
    bool ok = false;
    try {
        ok = ReadTable(database, tableName);
    } catch (...) {
        Abandon();
        throw;
    }
    if (!ok) {
        Abandon();
        return 0;
    }
    Entry->Table = this;
    IsOpen = true;
    RecNo_ = -1;
    if (!Records.empty())
        GoTo(0);
    return 1;
}

bool CMyXMLTable::ReadTable(CMyXMLDb* database, const std::string& tableName)
{
    Database = database;
    BaseOffset = database->BaseOffset();
    StartPos = Entry->StartPos;
    TableName_ = Entry->Name;
    TempPath = TableFilePath(database->FileName(), tableName, ".tb_");

    File = std::make_unique<TFileStream>(database->FileName(), fmOpenRead);
    const int64_t fileSize = File->IsOpen() ? File->Size() : -1;
    const int64_t headPos = static_cast<int64_t>(BaseOffset) + StartPos;
    if (!File->IsOpen()) {
        ZELT_LOG("MyXMLTable", "cannot open %s for table \"%s\"", database->FileName().c_str(), tableName.c_str());
        return false;
    }
    if (StartPos < 0 || headPos >= fileSize || !File->SetPosition(headPos)) {
        ZELT_LOG("MyXMLTable", "table \"%s\" starts at %d, outside the file", tableName.c_str(),
                 static_cast<int>(StartPos));
        return false;
    }
    char block[kFormatBlockSize + 1] = {};
    File->Read(block, kFormatBlockSize);
    const std::string head = TextUpToNul(block, kFormatBlockSize);
    int32_t count = 0;
    if (!ParseHead(head, &count))
        return false;
    const size_t tag = head.find("<recordinfo>");
    if (count > 0 && tag == std::string::npos) {
        ZELT_LOG("MyXMLTable", "table \"%s\" has no record index", tableName.c_str());
        return false;
    }
    return count == 0 || ReadRecordIndex(headPos + static_cast<int64_t>(tag) + kRecordInfoTagLength, count, fileSize);
}

void CMyXMLTable::Abandon()
{
    ReleaseAll();
    Entry = nullptr;
}

bool CMyXMLTable::ParseHead(const std::string& head, int32_t* count)
{
    std::string list;
    if (!TaggedText(head, "<fields>", "</fields>", false, &list))
        return true;  // no fields and no records
    for (const std::string& name : SplitList(list)) {
        auto field = std::make_unique<FIELD_DATA>();
        field->Name = name;
        Fields.push_back(std::move(field));
    }
    std::string marks;
    TaggedText(head, "<binfields>", "</binfields>", false, &marks);
    if (marks.size() < Fields.size()) {
        ZELT_LOG("MyXMLTable", "table \"%s\": %d binary marks for %d fields", TableName_.c_str(),
                 static_cast<int>(marks.size()), static_cast<int>(Fields.size()));
        return false;
    }
    for (size_t i = 0; i < Fields.size(); ++i)
        Fields[i]->Binary = marks[i] == '1' ? 1 : 0;
    std::string countText;
    TaggedText(head, "<recordcount>", "</recordcount>", false, &countText);
    if (!ParseNumber(countText, count) || *count < 0) {
        ZELT_LOG("MyXMLTable", "table \"%s\": bad record count \"%s\"", TableName_.c_str(), countText.c_str());
        return false;
    }
    return true;
}

bool CMyXMLTable::ReadRecordIndex(int64_t indexPos, int32_t count, int64_t fileSize)
{
    // A record takes at least its index entry and a byte count per field: a damaged count makes no more
    // records than the file can hold, so what it costs later scans stays within the file's size.
    const int64_t leastRecord = kIndexEntrySize + 4 * static_cast<int64_t>(Fields.size());
    if (indexPos > fileSize || count > (fileSize - indexPos) / leastRecord) {
        ZELT_LOG("MyXMLTable", "table \"%s\": %d records of at least %d bytes do not fit in the file",
                 TableName_.c_str(), static_cast<int>(count), static_cast<int>(leastRecord));
        return false;
    }
    const int64_t indexSize = static_cast<int64_t>(count) * kIndexEntrySize;
    if (static_cast<uint64_t>(indexSize) > PTRDIFF_MAX || !File->SetPosition(indexPos)) {
        ZELT_LOG("MyXMLTable", "table \"%s\": the index of %d records cannot be read", TableName_.c_str(),
                 static_cast<int>(count));
        return false;
    }
    std::vector<unsigned char> index(static_cast<size_t>(indexSize));
    if (!File->ReadExact(index.data(), indexSize)) {
        ZELT_LOG("MyXMLTable", "table \"%s\": short read of the record index", TableName_.c_str());
        return false;
    }
    for (size_t at = 0; at < index.size(); at += kIndexEntrySize) {
        auto record = std::make_unique<RECORD_INFO>();
        record->Offset = GetInt32(&index[at]);
        record->Size = GetInt32(&index[at + 4]);
        Records.push_back(std::move(record));
    }
    return true;
}

void CMyXMLTable::ReleaseAll()
{
    File.reset();
    TempStream.reset();
    Fields.clear();
    Records.clear();
    Cache.clear();
}

void CMyXMLTable::Close()
{
    if (!IsOpen)
        return;
    Flush();
    ReleaseAll();
    IsOpen = false;
    if (Entry && Entry->Table == this)
        Entry->Table = nullptr;
}

int CMyXMLTable::First()
{
    GoTo(0);
    Prior();
    return GoTo(0);
}

int CMyXMLTable::Next()
{
    RecNo_ = GoTo(RecNo_ + 1);
    return RecNo_;
}

int CMyXMLTable::Prior()
{
    RecNo_ = GoTo(RecNo_ - 1);
    return RecNo_;
}

int CMyXMLTable::GoTo(int recNo)
{
    if (recNo == RecNo_)
        return recNo;
    Eof = 0;
    Bof = 0;
    if (recNo < 0) {
        Bof = 1;
        return RecNo_;
    }
    if (recNo >= RecordCount()) {
        Eof = 1;
        return RecNo_;
    }
    if (RecNo_ != -1)
        CommitRecord();
    const RECORD_INFO& record = *Records[static_cast<size_t>(recNo)];
    switch (record.State) {
    case rsInFile: {
        const int64_t pos = static_cast<int64_t>(BaseOffset) + StartPos + record.Offset;
        if (record.Offset < 0 || pos > File->Size() || !File->SetPosition(pos)) {
            ZELT_LOG("MyXMLTable", "table \"%s\": record %d lies outside the file", TableName_.c_str(), recNo);
            ClearFieldValues();
        } else {
            ReadRecordFields(*File, LoadBinary != 0);
        }
        break;
    }
    case rsCached:
        LoadCachedRecord(recNo);
        break;
    case rsInTableFile:
        // Positions in the ".tb_" file do not name the database file, so its blobs are loaded.
        if (OpenTableFile() && TempStream->SetPosition(record.Offset))
            ReadRecordFields(*TempStream, true);
        else
            ClearFieldValues();
        break;
    default:
        break;
    }
    RecNo_ = recNo;
    return recNo;
}

bool CMyXMLTable::OpenTableFile()
{
    if (!TempStream) {
        auto stream = std::make_unique<TFileStream>(TempPath, fmOpenReadWrite);
        if (!stream->IsOpen()) {
            ZELT_LOG("MyXMLTable", "cannot open held-records file %s", TempPath.c_str());
            return false;
        }
        TempStream = std::move(stream);
    }
    return true;
}

void CMyXMLTable::ClearFieldValues()
{
    for (auto& f : Fields) {
        f->Value.clear();
        f->BlobPos = 0;
        f->BlobSize = 0;
    }
}

void CMyXMLTable::ReadRecordFields(TStream& stream, bool loadBlobs)
{
    if (Fields.empty())
        return;
    std::vector<unsigned char> countBytes(Fields.size() * 4);
    int64_t pos = stream.Position();
    const int64_t end = stream.Size();
    bool ok = stream.ReadExact(countBytes.data(), static_cast<int64_t>(countBytes.size()));
    // Every count must be non-negative and all values together must lie within the file.
    int64_t total = 0;
    for (size_t i = 0; ok && i < Fields.size(); ++i) {
        const int32_t count = GetInt32(&countBytes[i * 4]);
        total += count;
        ok = count >= 0 && pos + static_cast<int64_t>(countBytes.size()) + total <= end;
    }
    if (!ok) {
        ZELT_LOG("MyXMLTable", "table \"%s\": damaged record at %lld", TableName_.c_str(),
                 static_cast<long long>(pos));
        ClearFieldValues();
        return;
    }
    pos += static_cast<int64_t>(countBytes.size());
    for (size_t i = 0; ok && i < Fields.size(); ++i) {
        FIELD_DATA& f = *Fields[i];
        const int32_t count = GetInt32(&countBytes[i * 4]);
        if (loadBlobs || !f.Binary) {
            f.Value.assign(static_cast<size_t>(count), '\0');
            ok = count == 0 || stream.ReadExact(&f.Value[0], count);
            if (f.Binary) {
                f.BlobPos = 0;
                f.BlobSize = 0;
            }
        } else {
            f.Value.clear();
            f.BlobPos = pos;
            f.BlobSize = count;
            ok = stream.SetPosition(pos + count);
        }
        pos += count;
    }
    if (!ok) {
        ZELT_LOG("MyXMLTable", "table \"%s\": short read of a record", TableName_.c_str());
        ClearFieldValues();
    }
}

int CMyXMLTable::FieldIndex(const std::string& name) const
{
    for (size_t i = 0; i < Fields.size(); ++i)
        if (Fields[i]->Name == name)
            return static_cast<int>(i);
    return -1;
}

FIELD_DATA* CMyXMLTable::Field(int index)
{
    return index >= 0 && index < FieldCount() ? Fields[static_cast<size_t>(index)].get() : nullptr;
}

RECORD_INFO* CMyXMLTable::Record(int index)
{
    return index >= 0 && index < RecordCount() ? Records[static_cast<size_t>(index)].get() : nullptr;
}

std::string CMyXMLTable::FieldAsString(const std::string& name) const
{
    const int index = FieldIndex(name);
    if (index < 0)
        return std::string();
    const std::string& value = Fields[static_cast<size_t>(index)]->Value;
    return TextUpToNul(value.data(), value.size());
}

int32_t CMyXMLTable::FieldAsInteger(const std::string& name) const
{
    unsigned char bytes[4] = {};
    FieldByNameToBuffer(name, bytes, sizeof bytes);
    return GetInt32(bytes);
}

int CMyXMLTable::FieldToBuffer(int index, void* dest, size_t destSize) const
{
    if (index < 0 || index >= FieldCount())
        return 0;
    const std::string& value = Fields[static_cast<size_t>(index)]->Value;
    if (value.size() > destSize)
        ZELT_LOG("MyXMLTable", "table \"%s\": field \"%s\" of %d bytes cut to %d", TableName_.c_str(),
                 Fields[static_cast<size_t>(index)]->Name.c_str(), static_cast<int>(value.size()),
                 static_cast<int>(destSize));
    const size_t n = std::min(value.size(), destSize);
    if (n)
        std::memcpy(dest, value.data(), n);
    return static_cast<int>(n);
}

int CMyXMLTable::FieldByNameToBuffer(const std::string& name, void* dest, size_t destSize) const
{
    return FieldToBuffer(FieldIndex(name), dest, destSize);
}

int CMyXMLTable::BlobToStream(const std::string& name, TStream& dest)
{
    const int index = FieldIndex(name);
    if (index < 0 || !File)
        return 0;
    const FIELD_DATA& f = *Fields[static_cast<size_t>(index)];
    if (!f.Binary || f.BlobSize <= 0)
        return 0;
    if (f.BlobPos + f.BlobSize > File->Size()) {
        ZELT_LOG("MyXMLTable", "table \"%s\": blob \"%s\" runs past the end of the file", TableName_.c_str(),
                 name.c_str());
        return 0;
    }
    return CMyXMLDb::CopyRange(dest, *File, f.BlobPos, f.BlobSize);
}

int CMyXMLTable::CopyBlobToStream(const std::string& name, TStream& dest)
{
    return BlobToStream(name, dest);
}

// ---- Writer, record level ----

CACHED_RECORD* CMyXMLTable::CacheEntryOf(const RECORD_INFO& record)
{
    const int32_t index = record.Offset;
    if (index >= 0 && static_cast<size_t>(index) < Cache.size() && Cache[static_cast<size_t>(index)]->Record == &record)
        return Cache[static_cast<size_t>(index)].get();
    return nullptr;
}

int CMyXMLTable::CommitRecord()
{
    RECORD_INFO* record = Record(RecNo_);
    if (!record || (record->State != rsModified && record->State != rsInserted))
        return 0;
    StoreRecord(RecNo_);
    return 1;
}

void CMyXMLTable::StoreRecord(int recNo)
{
    RECORD_INFO* record = Record(recNo);
    if (!record)
        return;
    CACHED_RECORD* entry = CacheEntryOf(*record);
    if (!entry) {
        Cache.push_back(std::make_unique<CACHED_RECORD>());
        entry = Cache.back().get();
        entry->Record = record;
        record->Offset = static_cast<int32_t>(Cache.size() - 1);
    }
    entry->Fields.clear();
    int64_t size = 4 * static_cast<int64_t>(Fields.size());
    for (auto& f : Fields) {
        entry->Fields.push_back(*f);
        size += StoredSize(*f);
    }
    record->Size = static_cast<int32_t>(std::min<int64_t>(size, INT32_MAX));
    record->State = rsCached;
}

void CMyXMLTable::LoadCachedRecord(int recNo)
{
    RECORD_INFO* record = Record(recNo);
    const CACHED_RECORD* entry = record ? CacheEntryOf(*record) : nullptr;
    if (!entry) {
        ZELT_LOG("MyXMLTable", "table \"%s\": record %d is not in the record cache", TableName_.c_str(), recNo);
        ClearFieldValues();
        return;
    }
    for (size_t i = 0; i < Fields.size() && i < entry->Fields.size(); ++i) {
        Fields[i]->Value = entry->Fields[i].Value;
        Fields[i]->Binary = entry->Fields[i].Binary;
        Fields[i]->BlobPos = entry->Fields[i].BlobPos;
        Fields[i]->BlobSize = entry->Fields[i].BlobSize;
    }
}

void CMyXMLTable::Flush()
{
    if (!IsOpen || !Entry || !Database || Entry->TableState != tsModified)
        return;
    // The record being edited belongs to the table too.
    CommitRecord();
    const std::string path = TableFilePath(Database->FileName(), TableName_, ".m__");
    bool ok = false;
    {
        TFileStream out(path, fmCreate);
        ok = out.IsOpen() && WriteTable(out) && out.Close();
    }
    if (!ok) {
        ZELT_LOG("MyXMLTable", "cannot write table \"%s\" to %s", TableName_.c_str(), path.c_str());
        DeleteFileIfExists(path);
    }
}

int CMyXMLTable::WriteTable(TStream& dest)
{
    TableStartInDest = dest.Position();
    if (!WriteHead(dest) || !WriteRecordIndex(dest, true) || !WriteRecords(dest) || !WriteTail(dest) ||
        !WriteRecordIndex(dest, false) || dest.Seek(0, soFromEnd) < 0)
        return 0;
    DeleteFileIfExists(TempPath);
    return 1;
}

int CMyXMLTable::WriteHead(TStream& dest)
{
    std::vector<std::string> names;
    std::string marks;
    for (auto& f : Fields) {
        names.push_back(f->Name);
        marks += f->Binary ? '1' : '0';
    }
    const std::string head = HeadText(TableName_, names, marks, RecordCount());
    std::string error;
    if (!CheckTableHead(TableName_, names, marks, &error) || !CheckHeadFits(TableName_, head, &error)) {
        ZELT_LOG("MyXMLTable", "cannot write: %s", error.c_str());
        return 0;
    }
    return dest.WriteText(head) ? 1 : 0;
}

int CMyXMLTable::WriteRecordIndex(TStream& dest, bool placeholder)
{
    if (placeholder) {
        IndexPos = dest.Position();
        const std::string zeros(Records.size() * kIndexEntrySize, '\0');
        return dest.WriteText(zeros) && dest.WriteText(IndexEndText()) ? 1 : 0;
    }
    std::string index;
    for (const RECORD_INFO& r : NewIndex) {
        PutInt32(index, r.Offset);
        PutInt32(index, r.Size);
    }
    return dest.SetPosition(IndexPos) && dest.WriteText(index) ? 1 : 0;
}

int CMyXMLTable::WriteRecords(TStream& dest)
{
    if (FileExists(TempPath) && !OpenTableFile())
        return 0;
    NewIndex.clear();
    int64_t newOffset = dest.Position() - TableStartInDest;
    int64_t runStart = -1;
    int64_t runLength = 0;
    bool ok = true;
    auto copyRun = [&]() {
        if (runStart >= 0 && runLength > 0)
            ok = ok && CopyRun(dest, *File, runStart, runLength);
        runStart = -1;
        runLength = 0;
    };
    for (size_t i = 0; ok && i < Records.size(); ++i) {
        const RECORD_INFO& r = *Records[i];
        if (r.Size < 0 || newOffset > INT32_MAX) {
            ZELT_LOG("MyXMLTable", "table \"%s\": record %d cannot be written", TableName_.c_str(),
                     static_cast<int>(i));
            ok = false;
            break;
        }
        NewIndex.push_back({static_cast<int32_t>(newOffset), r.Size, rsInFile});
        newOffset += r.Size;
        if (r.State == rsInFile) {
            // A run holds only records that follow each other in the old table.
            if (runStart >= 0 && r.Offset != runStart + runLength)
                copyRun();
            if (runStart < 0)
                runStart = r.Offset;
            runLength += r.Size;
            continue;
        }
        copyRun();
        if (r.State == rsCached) {
            const CACHED_RECORD* entry = CacheEntryOf(r);
            ok = ok && entry && WriteCachedRecord(dest, *entry);
        } else if (r.State == rsInTableFile) {
            ok = ok && TempStream && CopyRecord(dest, *TempStream, r.Offset, r.Size);
        } else {
            ok = false;  // a changed record that was never stored has no bytes to write
        }
        if (!ok)
            ZELT_LOG("MyXMLTable", "table \"%s\": record %d (state %d) has no source", TableName_.c_str(),
                     static_cast<int>(i), static_cast<int>(r.State));
    }
    copyRun();
    TempStream.reset();
    if (ok)
        Cache.clear();
    return ok ? 1 : 0;
}

bool CMyXMLTable::WriteCachedRecord(TStream& dest, const CACHED_RECORD& entry)
{
    std::string counts;
    int64_t size = 4 * static_cast<int64_t>(entry.Fields.size());
    for (const FIELD_DATA& f : entry.Fields) {
        PutInt32(counts, static_cast<int32_t>(StoredSize(f)));
        size += StoredSize(f);
    }
    if (!entry.Record || size != entry.Record->Size || !dest.WriteText(counts))
        return false;
    for (const FIELD_DATA& f : entry.Fields) {
        const bool written = IsUnloadedBlob(f) ? File && CMyXMLDb::CopyRange(dest, *File, f.BlobPos, f.BlobSize)
                                               : dest.WriteText(f.Value);
        if (!written)
            return false;
    }
    return true;
}

int CMyXMLTable::WriteTail(TStream& dest)
{
    return dest.WriteText(TailText(TableName_)) ? 1 : 0;
}

int CMyXMLTable::CopyRun(TStream& dest, TStream& source, int64_t position, int64_t count)
{
    return CMyXMLDb::CopyRange(dest, source, static_cast<int64_t>(BaseOffset) + StartPos + position, count);
}

int CMyXMLTable::CopyRecord(TStream& dest, TStream& source, int64_t position, int32_t size)
{
    if (size < 0 || position < 0 || position + size > source.Size() || !source.SetPosition(position))
        return 0;
    std::string bytes(static_cast<size_t>(size), '\0');
    return (size == 0 || source.ReadExact(&bytes[0], size)) && dest.WriteText(bytes) ? 1 : 0;
}
