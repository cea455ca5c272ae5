// The media store: table "media" holds one record per embedded file, its "name" and its bytes ("media").
#pragma once

#include "data/MyXMLTable.h"

#include <string>

class CMyXMLDb;
class TStream;

class CMedia {
public:
    CMedia() = default;
    virtual ~CMedia() = default;
    CMedia(const CMedia&) = delete;
    CMedia& operator=(const CMedia&) = delete;

    void SetDatabase(CMyXMLDb* database) { Database = database; }
    // Opens table "media" with lazy blobs; a missing table leaves every lookup empty.
    void Open();
    void Close();

    // The file whose stored name equals name (A-Z folded): its bytes go to stream. 1 when bytes were written.
    int LoadByName(const std::string& name, TStream& stream);
    // The first file whose stored name contains the file-name part of path (A-Z folded). 1 when written.
    int LoadByFileName(const std::string& path, TStream& stream);
    // The lower-cased stored name LoadByFileName would use; "" when there is none.
    std::string FindStoredName(const std::string& path);

private:
    // Moves to the first record whose folded name equals (or contains) key; false when none does.
    bool FindRecord(const std::string& key, bool containing, std::string* storedName);

    CMyXMLDb* Database = nullptr;
    CMyXMLTable Table;
};
