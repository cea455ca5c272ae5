#include "tools/mkscr/SlideMedia.h"

#include "classlib/FileUtils.h"
#include "data/NameFolding.h"
#include "data/ProjectData.h"

#include <cstddef>

namespace {

const TableSpec* Find(const std::vector<TableSpec>& tables, const char* name)
{
    for (const TableSpec& t : tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

// The value of one field of a record, "" when the table has no such field.
std::string Field(const TableSpec& table, const std::vector<std::string>& record, const char* name)
{
    for (size_t i = 0; i < table.fields.size() && i < record.size(); ++i)
        if (table.fields[i] == name)
            return record[i];
    return std::string();
}

bool Embedded(const TableSpec* project)
{
    if (!project || project->records.empty())
        return false;
    const std::string data = Field(*project, project->records.front(), "data");
    const size_t at = offsetof(PROJECT_DATA, EmbeddedMedia);
    return data.size() > at && data[at] != 0;
}

// The runtime's rule: a media record whose lower-case name contains the slide's lower-case file name.
bool Found(const TableSpec* media, const std::string& filename)
{
    const std::string key = LowerAZ(ExtractFileName(filename));
    if (!media || key.empty())
        return false;
    for (const std::vector<std::string>& record : media->records)
        if (LowerAZ(Field(*media, record, "name")).find(key) != std::string::npos)
            return true;
    return false;
}

} // namespace

std::vector<std::string> SlidesWithoutMedia(const std::vector<TableSpec>& tables)
{
    std::vector<std::string> lines;
    const TableSpec* slides = Find(tables, "setting");
    if (!slides || !Embedded(Find(tables, "project")))
        return lines;
    const TableSpec* media = Find(tables, "media");
    for (size_t n = 0; n < slides->records.size(); ++n) {
        const std::string filename = Field(*slides, slides->records[n], "filename");
        if (!Found(media, filename))
            lines.push_back("slides[" + std::to_string(n) + "]: \"filename\" \"" + filename +
                            "\" names no entry of \"media\"; the saver skips this slide");
    }
    return lines;
}
