#include "data/Media.h"

#include "classlib/FileUtils.h"
#include "data/NameFolding.h"

void CMedia::Open()
{
    if (!Database)
        return;
    Table.SetLoadBinary(0);
    Table.Open(Database, "media");
}

void CMedia::Close()
{
    if (!Table.IsClosed())
        Table.Close();
}

bool CMedia::FindRecord(const std::string& key, bool containing, std::string* storedName)
{
    if (Table.IsClosed() || (containing && key.empty()))
        return false;
    for (Table.First(); !Table.Eof; Table.Next()) {
        const std::string name = LowerAZ(Table.FieldAsString("name"));
        if (containing ? name.find(key) != std::string::npos : name == key) {
            if (storedName)
                *storedName = name;
            return true;
        }
    }
    return false;
}

int CMedia::LoadByName(const std::string& name, TStream& stream)
{
    if (!FindRecord(LowerAZ(name), false, nullptr))
        return 0;
    return Table.CopyBlobToStream("media", stream);
}

int CMedia::LoadByFileName(const std::string& path, TStream& stream)
{
    if (!FindRecord(LowerAZ(ExtractFileName(path)), true, nullptr))
        return 0;
    return Table.BlobToStream("media", stream);
}

std::string CMedia::FindStoredName(const std::string& path)
{
    std::string name;
    FindRecord(LowerAZ(ExtractFileName(path)), true, &name);
    return name;
}
