// Writes the seed corpus of db_fuzz: databases of the shapes a project has, alone and inside a program file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "data/TableFormat.h"

namespace {

// The database, with its first table's record count made as large as the index entries that fit in the rest
// of the file when damagedCount (the count may spread over "</head>", which the reader does not look for).
bool Write(const std::string& path, const std::string& prefix, const std::vector<TableSpec>& tables, bool trailer,
           bool damagedCount = false)
{
    TMemoryStream db;
    std::string error;
    if (!WriteTableDatabase(db, tables, &error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    std::string bytes(db.Memory(), static_cast<size_t>(db.Size()));
    if (damagedCount) {
        const size_t count = bytes.find("<recordcount>") + std::strlen("<recordcount>");
        const size_t index = bytes.find("<recordinfo>", count) + kRecordInfoTagLength;
        std::string text = std::to_string((bytes.size() - index) / kIndexEntrySize) + "</recordcount>";
        text.resize(index - kRecordInfoTagLength - count, ' ');
        bytes.replace(count, text.size(), text);
    }
    TFileStream f(path, fmCreate);
    if (!f.IsOpen() || !f.WriteText(prefix) || !f.WriteText(bytes))
        return false;
    if (trailer) {
        std::string t;
        PutInt32(t, static_cast<int32_t>(prefix.size()));
        f.WriteText(t);
    }
    return f.Close();
}

std::string Int(int32_t v)
{
    std::string s;
    PutInt32(s, v);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string dir = std::string(argv[1]) + "/";
    const std::vector<TableSpec> project = {
        {"project", {"data", "projectname", "banner"}, {false, false, true},
         {{std::string(80, '\1'), "Demo", std::string(300, 'b')}}},
        {"media", {"name", "media"}, {false, true}, {{"a.jpg", std::string(200, 'j')}, {"b.gif", "GIF89a"}}},
        {"setting", {"data", "filename", "effect"}, {false, false, false},
         {{std::string(164, '\0'), "a.jpg", "1;2;3"}, {std::string(164, '\2'), "b.gif", ""}}},
        {"music", {"type", "name", "music"}, {false, false, true}, {{Int(1), "m.wav", "RIFF"}}},
        {"runtimelib", {"name", "libs"}, {false, true}, {}},
    };
    bool ok = Write(dir + "project.db", "", project, false);
    ok = Write(dir + "program.scr", std::string(64, 'M'), project, true) && ok;
    ok = Write(dir + "small.db", "", {{"t", {"a"}, {false}, {{"x"}}}}, false) && ok;
    ok = Write(dir + "phantom_records.db", "", project, false, true) && ok;
    ok = Write(dir + "empty.db", "", {{"e", {"a", "b"}, {false, true}, {}}}, false) && ok;
    return ok ? 0 : 1;
}
