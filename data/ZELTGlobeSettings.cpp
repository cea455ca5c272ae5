#include "data/ZELTGlobeSettings.h"

#include "data/FileLog.h"

#include <cstring>

CZELTGlobeSettings::CZELTGlobeSettings()
{
    std::memset(&ProjectData, 0, sizeof ProjectData);
}

CZELTGlobeSettings::~CZELTGlobeSettings()
{
    Close();
}

void CZELTGlobeSettings::Open()
{
    ProjectTable.SetLoadBinary(0);
    if (!ProjectTable.Open(Database, "project"))
        ZELT_LOG("ZELTGlobeSettings", "the project has no readable table \"project\"");
}

void CZELTGlobeSettings::ReadProject()
{
    // A missing table or record leaves the block as it is and gives empty texts.
    ProjectTable.FieldByNameToBuffer("data", &ProjectData, sizeof ProjectData);
    AppName = ProjectTable.FieldAsString("appname");
    HomeSite = ProjectTable.FieldAsString("homesite");
    ProjectName = ProjectTable.FieldAsString("projectname");
    AuthorName = ProjectTable.FieldAsString("authorname");
    AuthorWebsite = ProjectTable.FieldAsString("authorwebsite");
    Version = ProjectTable.FieldAsString("version");
    AuthorEmail = ProjectTable.FieldAsString("authoremail");
    Description = ProjectTable.FieldAsString("description");
}

void CZELTGlobeSettings::Close()
{
    ProjectTable.Close();
}
