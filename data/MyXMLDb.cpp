#include "data/MyXMLDb.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/MyXMLTable.h"
#include "data/TableFormat.h"

#include <algorithm>

namespace {

constexpr int64_t kCopyChunk = 102400;

// The entries a save writes: every table not deleted, except new tables without fields (they cannot be
// stored in the format).
bool IsSaved(const DB_TABLE_INFO& e)
{
    return e.TableState != tsDeleted && !(e.TableState == tsNew && e.FieldNames.empty());
}

} // namespace

std::string TableFilePath(const std::string& dbFileName, const std::string& tableName, const char* ext)
{
    return ExtractFilePath(dbFileName) + tableName + ext;
}

CMyXMLDb::CMyXMLDb() = default;

CMyXMLDb::~CMyXMLDb()
{
    Clear();
}

std::string CMyXMLDb::OpenTag(const std::string& name)
{
    return OpenTagText(name);
}

std::string CMyXMLDb::CloseTag(const std::string& name)
{
    return CloseTagText(name);
}

int CMyXMLDb::Open(const std::string& fileName, int32_t baseOffset)
{
    Clear();
    if (!FileExists(fileName)) {
        FileName_ = fileName;
        return 1;
    }
    BaseOffset_ = baseOffset;
    FileName_ = fileName;
    TFileStream file(fileName, fmOpenRead);
    if (!file.IsOpen()) {
        ZELT_LOG("MyXMLDb", "cannot open database file %s", fileName.c_str());
        return 0;
    }
    const int64_t size = file.Size();
    // The offset comes from the file's own trailer: the directory must lie before the trailer.
    if (baseOffset < 0 || size < 4 || baseOffset > size - 4) {
        ZELT_LOG("MyXMLDb", "database offset %d outside file %s of %lld bytes", static_cast<int>(baseOffset),
                 fileName.c_str(), static_cast<long long>(size));
        return 0;
    }
    if (!ReadDirectory(size, file))
        return 0;
    for (auto& e : Tables_)
        e->TableState = tsUnchanged;
    return 1;
}

bool CMyXMLDb::ReadDirectory(int64_t fileSize, TStream& file)
{
    char block[kFormatBlockSize] = {};
    if (!file.SetPosition(BaseOffset_)) {
        ZELT_LOG("MyXMLDb", "cannot seek to the directory at %d", static_cast<int>(BaseOffset_));
        return false;
    }
    file.Read(block, std::min<int64_t>(kFormatBlockSize, fileSize - BaseOffset_));
    const std::string directory = TextUpToNul(block, sizeof block);
    ParseTables(directory);
    if (ParseTableStartPositions(directory) < 0 || ParseTableSizes(directory) < 0) {
        ZELT_LOG("MyXMLDb", "malformed directory number list in %s", FileName_.c_str());
        return false;
    }
    return true;
}

int CMyXMLDb::ParseTables(const std::string& directory)
{
    std::string list;
    if (!TaggedText(directory, "<tables>", "</tables>", true, &list))
        return 0;
    for (const std::string& name : SplitList(list)) {
        auto entry = std::make_unique<DB_TABLE_INFO>();
        entry->Name = name;
        Tables_.push_back(std::move(entry));
    }
    return 1;
}

namespace {

// Assigns the i-th number to the i-th entry: 1, 0 when the tags are missing, -1 for a malformed list.
int ParseNumbers(const std::string& directory, const char* open, const char* close,
                 std::vector<std::unique_ptr<DB_TABLE_INFO>>& tables, int32_t DB_TABLE_INFO::*member)
{
    std::string list;
    if (!TaggedText(directory, open, close, true, &list))
        return 0;
    const std::vector<std::string> items = SplitList(list);
    for (size_t i = 0; i < items.size(); ++i) {
        int32_t value = 0;
        if (i >= tables.size() || !ParseNumber(items[i], &value))
            return -1;
        (*tables[i]).*member = value;
    }
    return 1;
}

} // namespace

int CMyXMLDb::ParseTableStartPositions(const std::string& directory)
{
    return ParseNumbers(directory, "<tablestartpos>", "</tablestartpos>", Tables_, &DB_TABLE_INFO::StartPos);
}

int CMyXMLDb::ParseTableSizes(const std::string& directory)
{
    return ParseNumbers(directory, "<tablesize>", "</tablesize>", Tables_, &DB_TABLE_INFO::Size);
}

void CMyXMLDb::Clear()
{
    // A cursor still open on an entry is closed first: it flushes its table and keeps no dangling entry.
    for (auto& e : Tables_)
        if (e->Table)
            e->Table->Close();
    Save();
    Tables_.clear();
}

DB_TABLE_INFO* CMyXMLDb::FindTable(const std::string& name)
{
    for (auto& e : Tables_)
        if (e->Name == name)
            return e.get();
    return nullptr;
}

std::string CMyXMLDb::BuildDirectory(int allTables)
{
    std::vector<std::string> names;
    std::vector<int32_t> positions, sizes;
    for (auto& e : Tables_) {
        if (allTables ? !IsSaved(*e) : e->TableState != tsWritten)
            continue;
        names.push_back(e->Name);
        positions.push_back(e->StartPos);
        sizes.push_back(e->Size);
    }
    return DirectoryText(names, positions, sizes);
}

int CMyXMLDb::CopyRange(TStream& dest, TStream& source, int64_t position, int64_t count)
{
    if (count < 0 || position < 0 || !source.SetPosition(position))
        return 0;
    std::vector<char> buffer(static_cast<size_t>(std::min(kCopyChunk, std::max<int64_t>(count, 1))));
    int64_t done = 0;
    while (done < count) {
        const int64_t got = source.Read(buffer.data(), std::min<int64_t>(kCopyChunk, count - done));
        if (got <= 0 || !dest.WriteExact(buffer.data(), got))
            break;
        done += got;
    }
    return done == count ? 1 : 0;
}

int CMyXMLDb::CopyTableFile(TStream& dest, const std::string& tableName)
{
    const std::string path = TableFilePath(FileName_, tableName, ".m__");
    TFileStream file(path, fmOpenRead);
    if (!file.IsOpen()) {
        ZELT_LOG("MyXMLDb", "rewritten table file %s is missing", path.c_str());
        return 0;
    }
    const int64_t size = file.Size();
    if (size <= 0 || !CopyRange(dest, file, 0, size)) {
        ZELT_LOG("MyXMLDb", "cannot copy rewritten table file %s", path.c_str());
        return 0;
    }
    return 1;
}

int CMyXMLDb::WriteEmptyTable(TStream& dest, DB_TABLE_INFO& entry)
{
    std::string marks;
    for (const std::string& flag : entry.BinaryFlags)
        marks += flag;
    std::string error;
    if (!CheckTableHead(entry.Name, entry.FieldNames, marks, &error) ||
        !CheckHeadFits(entry.Name, HeadText(entry.Name, entry.FieldNames, marks, 0), &error)) {
        ZELT_LOG("MyXMLDb", "cannot write new table: %s", error.c_str());
        return 0;
    }
    return dest.WriteText(EmptyTableText(entry.Name, entry.FieldNames, marks)) ? 1 : 0;
}

int CMyXMLDb::Save()
{
    if (Tables_.empty())
        return 0;
    bool changed = false;
    bool anySaved = false;
    for (auto& e : Tables_) {
        if (e->TableState == tsModified || e->TableState == tsNew || e->TableState == tsDeleted)
            changed = true;
        if (IsSaved(*e))
            anySaved = true;
        else if (e->TableState == tsNew)
            ZELT_LOG("MyXMLDb", "new table \"%s\" has no fields; it is not saved", e->Name.c_str());
    }
    if (!changed)
        return 1;
    if (!anySaved) {
        ZELT_LOG("MyXMLDb", "save of %s would leave no table; not saved", FileName_.c_str());
        return 0;
    }
    const std::string newPath = ChangeFileExt(FileName_, ".db_");
    if (newPath == FileName_) {
        ZELT_LOG("MyXMLDb", "cannot save %s over its own temporary name", FileName_.c_str());
        return 0;
    }

    // The save works on the entries' positions; restore them when it fails.
    struct Saved { int32_t state, start, size; };
    std::vector<Saved> before;
    for (auto& e : Tables_)
        before.push_back({e->TableState, e->StartPos, e->Size});

    std::unique_ptr<TFileStream> old;
    if (FileExists(FileName_)) {
        old = std::make_unique<TFileStream>(FileName_, fmOpenRead);
        if (!old->IsOpen()) {
            ZELT_LOG("MyXMLDb", "cannot read %s for saving", FileName_.c_str());
            return 0;
        }
    }
    std::vector<std::string> usedTableFiles;
    bool ok = false;
    {
        TFileStream dest(newPath, fmCreate);
        if (!dest.IsOpen())
            ZELT_LOG("MyXMLDb", "cannot create %s", newPath.c_str());
        else
            ok = WriteDatabase(dest, old.get(), usedTableFiles) && dest.Close();
    }
    old.reset();
    // The old file is replaced in one step, so it stays whole whenever the save fails.
    if (ok && !RenameReplacing(newPath, FileName_)) {
        ZELT_LOG("MyXMLDb", "cannot replace %s", FileName_.c_str());
        ok = false;
    }
    if (!ok) {
        DeleteFileIfExists(newPath);
        for (size_t i = 0; i < Tables_.size(); ++i) {
            Tables_[i]->TableState = before[i].state;
            Tables_[i]->StartPos = before[i].start;
            Tables_[i]->Size = before[i].size;
        }
        return 0;
    }
    for (const std::string& path : usedTableFiles)
        DeleteFileIfExists(path);
    return 1;
}

bool CMyXMLDb::WriteDatabase(TStream& dest, TStream* old, std::vector<std::string>& usedTableFiles)
{
    std::string error;
    for (auto& e : Tables_)
        if (IsSaved(*e) && !CheckName("table", e->Name, &error)) {
            ZELT_LOG("MyXMLDb", "cannot save: %s", error.c_str());
            return false;
        }
    const std::string placeholder = BuildDirectory(1);
    if (!CheckDirectoryFits(placeholder, &error)) {
        ZELT_LOG("MyXMLDb", "cannot save: %s", error.c_str());
        return false;
    }
    if (BaseOffset_ > 0 && (!old || !CopyRange(dest, *old, 0, BaseOffset_))) {
        ZELT_LOG("MyXMLDb", "cannot copy the %d bytes before the database", static_cast<int>(BaseOffset_));
        return false;
    }
    if (!dest.WriteText(placeholder))
        return false;

    // Walk the entries themselves: names may repeat.
    for (auto& e : Tables_) {
        if (!IsSaved(*e))
            continue;
        const int64_t start = dest.Position();
        bool copied = false;
        switch (e->TableState) {
        case tsUnchanged:
            copied = old && e->StartPos >= 0 && e->Size > 0 &&
                     CopyRange(dest, *old, static_cast<int64_t>(BaseOffset_) + e->StartPos, e->Size);
            if (!copied)
                ZELT_LOG("MyXMLDb", "cannot copy table \"%s\" (start %d, size %d)", e->Name.c_str(),
                         static_cast<int>(e->StartPos), static_cast<int>(e->Size));
            break;
        case tsModified:
            copied = CopyTableFile(dest, e->Name) != 0;
            if (copied)
                usedTableFiles.push_back(TableFilePath(FileName_, e->Name, ".m__"));
            break;
        case tsNew:
            copied = WriteEmptyTable(dest, *e) != 0;
            break;
        default:
            ZELT_LOG("MyXMLDb", "table \"%s\" has state %d", e->Name.c_str(), static_cast<int>(e->TableState));
            break;
        }
        const int64_t end = dest.Position();
        if (!copied || end - BaseOffset_ > INT32_MAX)
            return false;
        e->TableState = tsWritten;
        e->StartPos = static_cast<int32_t>(start - BaseOffset_);
        e->Size = static_cast<int32_t>(end - start);
    }
    const int64_t end = dest.Position();
    const std::string directory = BuildDirectory(0);
    if (directory.size() != placeholder.size()) {
        ZELT_LOG("MyXMLDb", "directory length changed from %d to %d", static_cast<int>(placeholder.size()),
                 static_cast<int>(directory.size()));
        return false;
    }
    if (!dest.SetPosition(BaseOffset_) || !dest.WriteText(directory) || dest.Seek(end, soFromBeginning) != end)
        return false;
    // A database inside a program file keeps the trailer that locates it.
    if (BaseOffset_ > 0) {
        std::string trailer;
        PutInt32(trailer, BaseOffset_);
        return dest.WriteText(trailer);
    }
    return true;
}
