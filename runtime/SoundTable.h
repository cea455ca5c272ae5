// The play list over table "music": the next background track, in order or shuffled, once or looping, and
// a slide's own sound found by name; either comes back as a file path, embedded sounds written to the
// temporary folder first.
#pragma once

#include "data/MyXMLTable.h"
#include "data/ShuffleBag.h"

#include <string>
#include <vector>

class CMyXMLDb;

class CSoundTable {
public:
    CSoundTable();
    virtual ~CSoundTable();
    CSoundTable(const CSoundTable&) = delete;
    CSoundTable& operator=(const CSoundTable&) = delete;

    void SetDatabase(CMyXMLDb* database) { Database = database; }
    // Lists the rows of "type" 1; a missing table gives an empty list.
    void Open();
    void Close();

    // The next track's path; "" when the list is empty or played out (PlayedOut then tells), or the track
    // cannot be had.
    std::string GetNext(const std::string& programPath, int random, int loop, int embedded, int relative);
    bool PlayedOut() const { return ListOver; }
    int TrackCount() const { return static_cast<int>(Playable.size()); }
    // The row of the track GetNext chose last.
    int TrackRow() const { return Row; }
    // The first row whose name contains the file-name part of name (A-Z folded), whatever its type; "" when
    // none does or its file cannot be had. An embedded sound is written under a name of its own (the stored
    // file name behind "zeltsnd_"): it may share its name with the track the music device holds open.
    std::string GetByName(const std::string& name, const std::string& programPath, int embedded, int relative);
    // A position in the playable list: at random, or with loop the next of a shuffled pass.
    int PickIndex(int count, bool loop);

private:
    // A track that is not embedded: its path, made relative to the program's folder when asked; "" when missing.
    std::string ExternalFile(const std::string& name, const std::string& programPath, int relative);
    // Writes the current row's bytes to the temporary file for name, replacing lastFile; "" on failure.
    std::string ExtractToTemp(const std::string& name, std::string& lastFile);

    CMyXMLDb* Database = nullptr;
    CMyXMLTable Table;
    int Index = -1;
    int Row = -1;
    bool ListOver = false;
    std::vector<int> Playable;  // row numbers of the background tracks, in table order
    std::string TrackFile;
    std::string SoundFile;
    CShuffleBag ShuffleQueue;
};
