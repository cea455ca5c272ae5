#include "data/TableFormat.h"

#include "classlib/Streams.h"
#include "data/LittleEndian.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// Every tag the reader searches for by its first occurrence; a name containing one would misplace a search.
const char* const kSearchedTags[] = {
    "<tables>", "</tables>", "<tablestartpos>", "</tablestartpos>", "<tablesize>", "</tablesize>",
    "<fields>", "</fields>", "<binfields>", "</binfields>", "<recordcount>", "</recordcount>", "<recordinfo>",
};
// Every tag text of the format.
const char* const kOtherTags[] = {"<database>", "</database>", "<head>", "</head>", "</recordinfo>", "<data>",
                                  "</data>"};

bool Fail(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

const char* SearchedTagIn(const std::string& text)
{
    for (const char* tag : kSearchedTags)
        if (text.find(tag) != std::string::npos)
            return tag;
    return nullptr;
}

std::string JoinList(const std::vector<std::string>& items)
{
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += ',';
        out += items[i];
    }
    return out;
}

bool CheckTableSpec(const TableSpec& t, std::string* error)
{
    if (t.binary.size() != t.fields.size())
        return Fail(error, "table \"" + t.name + "\": " + std::to_string(t.fields.size()) + " fields but " +
                               std::to_string(t.binary.size()) + " binary marks");
    if (!CheckTableHead(t.name, t.fields, BinaryMarks(t.binary), error))
        return false;
    for (size_t r = 0; r < t.records.size(); ++r)
        if (t.records[r].size() != t.fields.size())
            return Fail(error, "table \"" + t.name + "\": record " + std::to_string(r) + " has " +
                                   std::to_string(t.records[r].size()) + " values for " +
                                   std::to_string(t.fields.size()) + " fields");
    return true;
}

int64_t RecordSize(const std::vector<std::string>& values)
{
    int64_t size = 4 * static_cast<int64_t>(values.size());
    for (const std::string& v : values)
        size += static_cast<int64_t>(v.size());
    return size;
}

} // namespace

std::string OpenTagText(const std::string& name)
{
    return "<" + name + ">";
}

std::string CloseTagText(const std::string& name)
{
    return "</" + name + ">";
}

std::string FixedNumberText(int32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%10d", static_cast<int>(value));
    return buf;
}

std::string DirectoryText(const std::vector<std::string>& names, const std::vector<int32_t>& positions,
                          const std::vector<int32_t>& sizes)
{
    std::vector<std::string> posText, sizeText;
    for (int32_t p : positions)
        posText.push_back(FixedNumberText(p));
    for (int32_t s : sizes)
        sizeText.push_back(FixedNumberText(s));
    return "<database><tables>" + JoinList(names) + "</tables><tablestartpos>" + JoinList(posText) +
           "</tablestartpos><tablesize>" + JoinList(sizeText) + "</tablesize></database>";
}

std::string HeadText(const std::string& table, const std::vector<std::string>& fields, const std::string& marks,
                     int32_t recordCount)
{
    return OpenTagText(table) + "<head><fields>" + JoinList(fields) + "</fields><binfields>" + marks +
           "</binfields><recordcount>" + std::to_string(recordCount) + "</recordcount></head><recordinfo>";
}

std::string IndexEndText()
{
    return "</recordinfo><data>";
}

std::string TailText(const std::string& table)
{
    return "</data>" + CloseTagText(table);
}

std::string EmptyTableText(const std::string& table, const std::vector<std::string>& fields,
                           const std::string& marks)
{
    return HeadText(table, fields, marks, 0) + IndexEndText() + TailText(table);
}

std::string BinaryMarks(const std::vector<bool>& binary)
{
    std::string marks;
    for (bool b : binary)
        marks += b ? '1' : '0';
    return marks;
}

void PutInt32(std::string& out, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

int32_t GetInt32(const unsigned char* bytes)
{
    return static_cast<int32_t>(ReadLe32(bytes));
}

bool ReadOffsetTrailer(TStream& file, int32_t& offset)
{
    unsigned char trailer[4];
    const int64_t size = file.Size();
    if (size < 4 || file.Seek(size - 4, soFromBeginning) < 0 || !file.ReadExact(trailer, 4))
        return false;
    offset = GetInt32(trailer);
    return true;
}

std::string RecordBytes(const std::vector<std::string>& values)
{
    std::string out;
    for (const std::string& v : values)
        PutInt32(out, static_cast<int32_t>(v.size()));
    for (const std::string& v : values)
        out += v;
    return out;
}

bool CheckName(const std::string& kind, const std::string& name, std::string* error)
{
    if (name.find(',') != std::string::npos)
        return Fail(error, kind + " name \"" + name + "\" contains \",\"");
    if (name.find('\0') != std::string::npos)
        return Fail(error, kind + " name contains a NUL byte");
    if (const char* tag = SearchedTagIn(name))
        return Fail(error, kind + " name \"" + name + "\" contains the tag " + tag);
    for (const char* tag : kOtherTags)
        if (name.find(tag) != std::string::npos)
            return Fail(error, kind + " name \"" + name + "\" contains the tag " + tag);
    return true;
}

bool CheckDirectoryFits(const std::string& directory, std::string* error)
{
    if (directory.size() > static_cast<size_t>(kFormatBlockSize))
        return Fail(error, "directory of " + std::to_string(directory.size()) + " bytes exceeds " +
                               std::to_string(kFormatBlockSize) + " bytes");
    return true;
}

bool CheckHeadFits(const std::string& table, const std::string& head, std::string* error)
{
    if (head.size() > static_cast<size_t>(kFormatBlockSize))
        return Fail(error, "head of table \"" + table + "\" is " + std::to_string(head.size()) +
                               " bytes, more than " + std::to_string(kFormatBlockSize));
    return true;
}

bool CheckTableHead(const std::string& table, const std::vector<std::string>& fields, const std::string& marks,
                    std::string* error)
{
    if (!CheckName("table", table, error))
        return false;
    // The table's own tags stand in the head before the searched tags.
    const std::string tags = OpenTagText(table) + CloseTagText(table);
    if (const char* tag = SearchedTagIn(tags))
        return Fail(error, "table name \"" + table + "\" makes the tag " + tag);
    if (fields.empty())
        return Fail(error, "table \"" + table + "\" has no fields");
    if (marks.size() != fields.size())
        return Fail(error, "table \"" + table + "\": binary marks do not match its fields");
    for (const std::string& f : fields)
        if (!CheckName("field", f, error))
            return false;
    return true;
}

bool TaggedText(const std::string& text, const char* open, const char* close, bool closeAfterOpen,
                std::string* out)
{
    const size_t start = text.find(open);
    if (start == std::string::npos)
        return false;
    const size_t from = start + std::char_traits<char>::length(open);
    const size_t end = text.find(close, closeAfterOpen ? from : 0);
    if (end == std::string::npos || end < from)
        return false;
    *out = text.substr(from, end - from);
    return true;
}

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> items;
    size_t from = 0;
    for (;;) {
        const size_t comma = list.find(',', from);
        if (comma == std::string::npos) {
            items.push_back(list.substr(from));
            return items;
        }
        items.push_back(list.substr(from, comma - from));
        from = comma + 1;
    }
}

bool ParseNumber(const std::string& text, int32_t* value)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    bool negative = false;
    if (b < e && (text[b] == '-' || text[b] == '+'))
        negative = text[b++] == '-';
    if (b == e)
        return false;
    int64_t v = 0;
    for (; b < e; ++b) {
        if (text[b] < '0' || text[b] > '9')
            return false;
        v = v * 10 + (text[b] - '0');
        if (v > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max())
        return false;
    *value = static_cast<int32_t>(v);
    return true;
}

std::string TextUpToNul(const char* bytes, size_t count)
{
    size_t n = 0;
    while (n < count && bytes[n] != '\0')
        ++n;
    return std::string(bytes, n);
}

bool WriteTableDatabase(TStream& out, const std::vector<TableSpec>& tables, std::string* error)
{
    if (tables.empty())
        return Fail(error, "a database needs at least one table");
    std::vector<std::string> names;
    std::vector<std::string> heads;
    std::vector<int64_t> sizes;
    for (const TableSpec& t : tables) {
        if (!CheckTableSpec(t, error))
            return false;
        if (t.records.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() / kIndexEntrySize))
            return Fail(error, "table \"" + t.name + "\" has too many records");
        const int32_t count = static_cast<int32_t>(t.records.size());
        heads.push_back(HeadText(t.name, t.fields, BinaryMarks(t.binary), count));
        if (!CheckHeadFits(t.name, heads.back(), error))
            return false;
        int64_t size = static_cast<int64_t>(heads.back().size()) + kIndexEntrySize * static_cast<int64_t>(count) +
                       static_cast<int64_t>(IndexEndText().size() + TailText(t.name).size());
        for (const auto& r : t.records)
            size += RecordSize(r);
        names.push_back(t.name);
        sizes.push_back(size);
    }

    // Positions count from the directory's first byte; the first table follows the directory directly.
    const std::vector<int32_t> placeholder(tables.size(), 0);
    int64_t pos = static_cast<int64_t>(DirectoryText(names, placeholder, placeholder).size());
    std::vector<int32_t> positions, sizes32;
    for (int64_t s : sizes) {
        if (pos + s > std::numeric_limits<int32_t>::max())
            return Fail(error, "database exceeds 2147483647 bytes");
        positions.push_back(static_cast<int32_t>(pos));
        sizes32.push_back(static_cast<int32_t>(s));
        pos += s;
    }
    const std::string directory = DirectoryText(names, positions, sizes32);
    if (!CheckDirectoryFits(directory, error))
        return false;
    if (!out.WriteText(directory))
        return Fail(error, "cannot write the directory");

    for (size_t i = 0; i < tables.size(); ++i) {
        const TableSpec& t = tables[i];
        std::string index;
        int64_t offset = static_cast<int64_t>(heads[i].size()) + kIndexEntrySize * static_cast<int64_t>(t.records.size()) +
                         static_cast<int64_t>(IndexEndText().size());
        for (const auto& r : t.records) {
            const int64_t size = RecordSize(r);
            PutInt32(index, static_cast<int32_t>(offset));
            PutInt32(index, static_cast<int32_t>(size));
            offset += size;
        }
        bool ok = out.WriteText(heads[i]) && out.WriteText(index) && out.WriteText(IndexEndText());
        for (size_t r = 0; ok && r < t.records.size(); ++r)
            ok = out.WriteText(RecordBytes(t.records[r]));
        if (!ok || !out.WriteText(TailText(t.name)))
            return Fail(error, "cannot write table \"" + t.name + "\"");
    }
    return true;
}
