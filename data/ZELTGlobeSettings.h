// What the project says about itself: the project block and the texts of the single "project" record.
// The cursor on table "project" stays open so that the dialogs can read further fields of that record.
#pragma once

#include "data/MyXMLTable.h"
#include "data/ProjectData.h"

#include <string>

class CMyXMLDb;

class CZELTGlobeSettings {
public:
    CZELTGlobeSettings();
    virtual ~CZELTGlobeSettings();
    CZELTGlobeSettings(const CZELTGlobeSettings&) = delete;
    CZELTGlobeSettings& operator=(const CZELTGlobeSettings&) = delete;

    void SetDatabase(CMyXMLDb* database) { Database = database; }
    // Opens table "project" (blobs not loaded); a project without it keeps the block zero and texts "".
    void Open();
    void ReadProject();
    void Close();
    void SetFilePath(const std::string& path) { FilePath = path; }

    CMyXMLDb* Database = nullptr;
    PROJECT_DATA ProjectData;
    std::string ProjectName;
    std::string AuthorName;
    std::string AuthorEmail;
    std::string AuthorWebsite;
    std::string Version;
    std::string FilePath;
    std::string Description;
    std::string AppName;
    std::string HomeSite;
    CMyXMLTable ProjectTable;
};
