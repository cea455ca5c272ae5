// The current slide of table "setting" (a MEDIA_SETTING_DATA block and twelve texts), the order in which
// slides follow each other, each slide's walk through its transition effects, and its accessory files.
#pragma once

#include "data/MediaSettingData.h"
#include "data/MyXMLTable.h"
#include "data/ShuffleBag.h"

#include <string>
#include <vector>

class CMyXMLDb;
class CSaverPreferences;

class CMediaSetting {
public:
    CMediaSetting();
    virtual ~CMediaSetting() = default;
    CMediaSetting(const CMediaSetting&) = delete;
    CMediaSetting& operator=(const CMediaSetting&) = delete;

    void SetDatabase(CMyXMLDb* database) { Database = database; }
    void SetSaverSettings(const CSaverPreferences* settings) { Settings = settings; }
    // Opens table "setting" (a missing table gives no slides) and stands on the first record.
    void Open();
    // Closes the table and forgets the slides' effect positions; the shuffle bag stays.
    void Close();
    // Reads the current record's block and texts; the user's selected-effects switch overrides the
    // music, random-effect and step values and the effect list.
    void ReadRecord();
    // To the next slide (wrapping) or, with random on, the next one from the shuffle bag; then ReadRecord.
    void MoveNext(int random);
    // Undoes the last MoveNext after a look ahead: back on the slide before it, and the slide that move drew
    // from the shuffle bag is the bag's next again. Nothing when there is no move to undo.
    void TakeBackMove();
    // The current slide's next transition effect; -1 when its list holds no number or there is no slide.
    int NextEffect();
    int Count() const { return Table.RecordCount(); }
    // The next record number of the shuffle bag: every record once per pass, each pass a new permutation.
    int NextShuffled(int count);

    // Writes the current slide's accessory files ("name#name#") from table "accfile" into folder, which
    // ends with a separator. Existing files are kept unless overwrite is set. Names that would leave the
    // folder (absolute, with a drive colon or a ".." part) are refused. Gives the files it wrote.
    std::vector<std::string> ExtractAccFiles(const std::string& folder, int overwrite);
    void OpenAccFiles();
    void CloseAccFiles();

    MEDIA_SETTING_DATA Data;
    std::string FileName;
    std::string Title;
    std::string TitleFontName;
    std::string TitleFontStyle;
    std::string Desc;
    std::string DescFontName;
    std::string DescFontStyle;
    std::string GradientString;
    std::string Effect;
    std::string SelectedImageBackgroundString;
    std::string BindSound;
    std::string AccFile;

private:
    // The path written, or "" when nothing was.
    std::string ExtractAccFile(const std::string& folder, const std::string& name, int overwrite);

    const CSaverPreferences* Settings = nullptr;
    std::vector<int> EffectPositions;  // per record: its position in its effect list, -1 before the first
    CShuffleBag ShuffleBag;
    int MovedFrom = -1;      // the record before the last MoveNext; -1 when there is none to undo
    int DrawnShuffled = -1;  // what that move drew from the shuffle bag; -1 when it went in order
    CMyXMLDb* Database = nullptr;
    CMyXMLTable Table;
    CMyXMLTable AccFiles;
};

// True when an accessory-file name stays inside the folder it is written to.
bool IsSafeAccFileName(const std::string& name);
