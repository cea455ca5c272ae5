#include "data/MediaSetting.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/NameFolding.h"
#include "data/PickFromList.h"
#include "data/SaverPreferences.h"

#include <cstring>
#include <utility>

CMediaSetting::CMediaSetting()
{
    std::memset(&Data, 0, sizeof Data);
}

void CMediaSetting::Open()
{
    if (!Database)
        return;
    Table.SetLoadBinary(0);
    Table.Open(Database, "setting");
    EffectPositions.assign(static_cast<std::size_t>(Table.RecordCount()), -1);
    Table.First();
}

void CMediaSetting::Close()
{
    if (Table.IsClosed())
        return;
    Table.Close();
    EffectPositions.clear();
}

void CMediaSetting::ReadRecord()
{
    // A shorter stored block must not keep the previous slide's tail.
    std::memset(&Data, 0, sizeof Data);
    Table.FieldByNameToBuffer("data", &Data, sizeof Data);

    const bool userEffects = Settings && Settings->Data.OnlySelectedEffects != 0;
    if (userEffects) {
        Data.MusicOn = Settings->Data.BackgroundSound == 1 ? 1 : 0;
        Data.Step = Settings->Data.TransitionStep;
        Data.EffectRandom = Settings->Data.RandomEffects == 1 ? 1 : 0;
    }
    FileName = Table.FieldAsString("filename");
    Title = Table.FieldAsString("title");
    TitleFontName = Table.FieldAsString("titlefontname");
    TitleFontStyle = Table.FieldAsString("titlefontstyle");
    Desc = Table.FieldAsString("desc");
    DescFontName = Table.FieldAsString("descfontname");
    DescFontStyle = Table.FieldAsString("descfontstyle");
    GradientString = Table.FieldAsString("gradientstring");
    Effect = userEffects ? Settings->SelectedEffects : Table.FieldAsString("effect");
    SelectedImageBackgroundString = Table.FieldAsString("selectedimagebackgroundstring");
    BindSound = Table.FieldAsString("bindsound");
    AccFile = Table.FieldAsString("accfile");
}

void CMediaSetting::MoveNext(int random)
{
    const int count = Table.RecordCount();
    MovedFrom = Table.RecNo();
    DrawnShuffled = -1;
    if (random) {
        DrawnShuffled = NextShuffled(count);
        Table.GoTo(DrawnShuffled);
    } else if (Table.RecNo() < count - 1) {
        Table.Next();
    } else {
        Table.First();
    }
    ReadRecord();
}

void CMediaSetting::TakeBackMove()
{
    if (MovedFrom < 0)
        return;
    Table.GoTo(MovedFrom);
    if (DrawnShuffled >= 0)
        ShuffleBag.PutBack(DrawnShuffled);
    MovedFrom = DrawnShuffled = -1;
    ReadRecord();
}

int CMediaSetting::NextShuffled(int count)
{
    return ShuffleBag.Next(count);
}

int CMediaSetting::NextEffect()
{
    const int r = Table.RecNo();
    if (r < 0 || r >= static_cast<int>(EffectPositions.size()))
        return -1;
    int& position = EffectPositions[static_cast<std::size_t>(r)];
    return PickFromList(Effect, Data.EffectRandom, position);
}

bool IsSafeAccFileName(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find_first_of("\\/", start);
        const std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

void CMediaSetting::OpenAccFiles()
{
    if (!Database || !AccFiles.IsClosed())
        return;
    AccFiles.SetLoadBinary(0);
    AccFiles.Open(Database, "accfile");
}

void CMediaSetting::CloseAccFiles()
{
    if (!AccFiles.IsClosed())
        AccFiles.Close();
}

std::vector<std::string> CMediaSetting::ExtractAccFiles(const std::string& folder, int overwrite)
{
    std::vector<std::string> written;
    if (AccFile.empty())
        return written;
    OpenAccFiles();
    std::size_t start = 0;
    for (std::size_t hash = AccFile.find('#'); hash != std::string::npos; hash = AccFile.find('#', start)) {
        std::string path = ExtractAccFile(folder, LowerAZ(AccFile.substr(start, hash - start)), overwrite);
        if (!path.empty())
            written.push_back(std::move(path));
        start = hash + 1;
    }
    CloseAccFiles();
    return written;
}

std::string CMediaSetting::ExtractAccFile(const std::string& folder, const std::string& name, int overwrite)
{
    if (AccFiles.IsClosed() || name.empty())
        return std::string();
    if (!IsSafeAccFileName(name)) {
        ZELT_LOG("MediaSetting", "refused accessory file name \"%.200s\"", name.c_str());
        return std::string();
    }
    for (AccFiles.First(); !AccFiles.Eof; AccFiles.Next()) {
        if (LowerAZ(AccFiles.FieldAsString("name")) != name)
            continue;
        const std::string target = folder + name;
        if (!overwrite && FileExists(target))
            return std::string();
        // Fetched whole first, so an unreadable blob never replaces a file with a stub.
        TMemoryStream bytes;
        if (AccFiles.BlobToStream("accfile", bytes) && bytes.SaveToFile(target))
            return target;
        ZELT_LOG("MediaSetting", "could not write accessory file \"%.200s\"", target.c_str());
        return std::string();
    }
    return std::string();
}
