// Program entry of the screen saver. Until the players exist it opens the project appended to its own file,
// the way start-up does, and prints what it reads: the tables and the project information.
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"
#include "data/TableFormat.h"
#include "data/ZELTGlobeSettings.h"

#include <windows.h>

#include <cstdio>

namespace {

// The database offset trailer: the file's last 4 bytes; 0 when they cannot be read.
int32_t ReadProjectOffset(const std::string& path)
{
    TFileStream file(path, fmOpenRead);
    unsigned char trailer[4];
    const int64_t size = file.Size();
    if (size < 4 || file.Seek(size - 4, soFromBeginning) < 0 || !file.ReadExact(trailer, 4))
        return 0;
    return GetInt32(trailer);
}

void PrintTables(CMyXMLDb& db)
{
    std::vector<std::string> names;
    for (const auto& entry : db.Tables())
        names.push_back(entry->Name);
    for (const std::string& name : names) {
        CMyXMLTable table;
        table.SetLoadBinary(0);
        if (table.Open(&db, name))
            std::printf("table \"%s\": %d records, %d fields\n", name.c_str(), table.RecordCount(), table.FieldCount());
        else
            std::printf("table \"%s\": cannot be opened\n", name.c_str());
        table.Close();
    }
}

} // namespace

int main()
{
    CFileLog log;
    g_FileLog = &log;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);

    CMyXMLDb db;
    const int32_t offset = ReadProjectOffset(path);
    db.Open(path, offset);
    std::printf("program \"%s\", database at offset %d\n", path, static_cast<int>(offset));
    PrintTables(db);

    CZELTGlobeSettings project;
    project.SetDatabase(&db);
    project.Open();
    project.ReadProject();
    project.SetFilePath(path);
    std::printf("project \"%s\" version \"%s\" by \"%s\"\n", project.ProjectName.c_str(), project.Version.c_str(),
                project.AuthorName.c_str());
    std::printf("delay %d s, shuffle %d, media embedded %d, fit mode %d\n",
                static_cast<int>(project.ProjectData.MediaDelay), project.ProjectData.ShuffleSlides,
                project.ProjectData.EmbeddedMedia, static_cast<int>(project.ProjectData.FitMode));
    project.Close();
    db.Clear();
    g_FileLog = nullptr;
    return 0;
}
