#include "tools/mkscr/Dump.h"

#include "classlib/Streams.h"
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"
#include "data/TableFormat.h"
#include "tools/mkscr/CodePage.h"

#include <cstdio>
#include <cstring>

using nlohmann::json;

namespace {

std::string Fnv1a64(const char* bytes, size_t n)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(bytes[i]);
        h *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// A value reads as text when it holds no control byte but tab and line ends, every byte is a Windows-1252
// character and it does not look like the "hex:" form; *utf8 is then the text.
bool AsText(const std::string& v, std::string* utf8)
{
    for (unsigned char c : v)
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return false;
    return v.rfind("hex:", 0) != 0 && Cp1252ToUtf8(v, utf8);
}

std::string Hex(const std::string& v)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "hex:";
    for (unsigned char c : v) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

// A program file ends with the database's offset; a bare database starts with its directory.
bool BaseOffset(const std::string& path, int32_t* base, std::string* error)
{
    TFileStream f(path, fmOpenRead);
    if (!f.IsOpen()) {
        *error = "cannot open \"" + path + "\"";
        return false;
    }
    char head[10] = {};
    f.Read(head, sizeof head);
    if (std::memcmp(head, "<database>", sizeof head) == 0) {
        *base = 0;
        return true;
    }
    if (!ReadOffsetTrailer(f, *base)) {
        *error = "\"" + path + "\" has no database";
        return false;
    }
    return true;
}

json DumpTable(CMyXMLDb& db, const std::string& name)
{
    json table{{"name", name}};
    CMyXMLTable cursor;
    cursor.SetLoadBinary(0);
    if (!cursor.Open(&db, name)) {
        table["error"] = "cannot be opened";
        return table;
    }
    json fields = json::array();
    for (int i = 0; i < cursor.FieldCount(); ++i)
        fields.push_back({{"name", cursor.Field(i)->Name}, {"binary", cursor.Field(i)->Binary != 0}});
    table["fields"] = fields;
    json records = json::array();
    for (cursor.First(); !cursor.Eof; cursor.Next()) {
        json record = json::object();
        for (int i = 0; i < cursor.FieldCount(); ++i) {
            const FIELD_DATA& field = *cursor.Field(i);
            if (field.Binary) {
                TMemoryStream blob;
                cursor.BlobToStream(field.Name, blob);
                record[field.Name] = {{"size", blob.Size()},
                                      {"fnv1a64", Fnv1a64(blob.Memory(), static_cast<size_t>(blob.Size()))}};
            } else {
                std::string text;
                record[field.Name] = AsText(field.Value, &text) ? text : Hex(field.Value);
            }
        }
        records.push_back(record);
    }
    table["records"] = records;
    cursor.Close();
    return table;
}

} // namespace

bool DumpDatabase(const std::string& path, json* out, std::string* error)
{
    int32_t base = 0;
    if (!BaseOffset(path, &base, error))
        return false;
    CMyXMLDb db;
    if (!db.Open(path, base)) {
        *error = "\"" + path + "\": the database directory cannot be read";
        return false;
    }
    json tables = json::array();
    std::vector<std::string> names;
    for (const auto& entry : db.Tables())
        names.push_back(entry->Name);
    for (const std::string& name : names)
        tables.push_back(DumpTable(db, name));
    *out = {{"base", base}, {"tables", tables}};
    return true;
}
