#include "runtime/SoundTable.h"

#include "classlib/FileUtils.h"
#include "classlib/Random.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/NameFolding.h"
#include "data/TempDir.h"

CSoundTable::CSoundTable()
{
    Randomize();
}

CSoundTable::~CSoundTable()
{
    Close();
}

void CSoundTable::Open()
{
    Playable.clear();
    Table.SetLoadBinary(0);
    if (!Table.Open(Database, "music"))
        return;
    for (Table.First(); !Table.Eof; Table.Next())
        if (Table.FieldAsInteger("type") == 1)
            Playable.push_back(Table.RecNo());
}

void CSoundTable::Close()
{
    if (!Table.IsClosed())
        Table.Close();
}

int CSoundTable::PickIndex(int count, bool loop)
{
    return loop ? ShuffleQueue.Next(count) : Random(count);
}

std::string CSoundTable::GetNext(const std::string& programPath, int random, int loop, int embedded, int relative)
{
    const int count = TrackCount();
    ListOver = true;
    if (count == 0)
        return std::string();
    if (random) {
        Index = PickIndex(count, loop != 0);
    } else if (++Index >= count) {
        if (!loop)
            return std::string();
        Index = 0;
    }
    ListOver = false;
    Row = Playable[static_cast<std::size_t>(Index)];
    Table.GoTo(Row);
    if (random && !loop)
        Playable.erase(Playable.begin() + Index);
    const std::string name = Table.FieldAsString("name");
    return embedded ? ExtractToTemp(name, TrackFile) : ExternalFile(name, programPath, relative);
}

std::string CSoundTable::GetByName(const std::string& name, const std::string& programPath, int embedded,
                                   int relative)
{
    const std::string key = LowerAZ(ExtractFileName(name));
    if (key.empty() || Table.IsClosed())
        return std::string();
    for (Table.First(); !Table.Eof; Table.Next()) {
        const std::string stored = Table.FieldAsString("name");
        if (LowerAZ(stored).find(key) == std::string::npos)
            continue;
        if (!embedded)
            return ExternalFile(LowerAZ(stored), programPath, relative);
        const std::string file = SafeFileName(stored);
        return ExtractToTemp(file.empty() ? stored : "zeltsnd_" + file, SoundFile);
    }
    return std::string();
}

std::string CSoundTable::ExternalFile(const std::string& name, const std::string& programPath, int relative)
{
    const std::string path = relative ? ExtractFilePath(programPath) + ExtractFileName(name) : name;
    if (FileExists(path))
        return path;
    // A missing file only silences this sound; the show goes on.
    ZELT_LOG("SoundTable", "Cann't find %s", path.c_str());
    return std::string();
}

std::string CSoundTable::ExtractToTemp(const std::string& name, std::string& lastFile)
{
    if (!lastFile.empty())
        DeleteFileIfExists(lastFile);
    lastFile = TempFilePath(name);
    if (lastFile.empty())
        return std::string();
    TMemoryStream bytes;
    if (!Table.BlobToStream("music", bytes) || !bytes.SaveToFile(lastFile)) {
        ZELT_LOG("SoundTable", "could not write %s", lastFile.c_str());
        return std::string();
    }
    return lastFile;
}
