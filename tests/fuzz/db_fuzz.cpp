// libFuzzer target over the table database reader: any file must open or fail, and every table, record
// and field must read without a crash, a read outside its buffers or an allocation beyond the file's size.
#include <cstddef>
#include <cstdint>
#include <string>

#include <unistd.h>

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"
#include "data/TableFormat.h"

namespace {

void WalkTable(CMyXMLDb& db, const std::string& name, int loadBinary)
{
    CMyXMLTable t;
    t.SetLoadBinary(loadBinary);
    if (!t.Open(&db, name))
        return;
    char block[164];
    for (int pass = 0; pass < 2; ++pass) {
        for (t.First(); !t.Eof; t.Next()) {
            for (int i = 0; i < t.FieldCount(); ++i) {
                const std::string field = t.Field(i)->Name;
                t.FieldAsString(field);
                t.FieldAsInteger(field);
                t.FieldByNameToBuffer(field, block, sizeof block);
                TMemoryStream blob;
                t.BlobToStream(field, blob);
            }
        }
        t.Prior();
        t.GoTo(t.RecordCount() / 2);
    }
    t.Close();
}

void WalkDatabase(const std::string& path, int32_t base)
{
    CMyXMLDb db;
    db.Open(path, base);
    for (size_t i = 0; i < db.Tables().size(); ++i) {
        const std::string name = db.Tables()[i]->Name;
        WalkTable(db, name, 0);
        WalkTable(db, name, 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/db_fuzz_" + std::to_string(getpid()) + ".db";
    {
        TFileStream f(path, fmCreate);
        if (!f.IsOpen() || !f.WriteExact(data, static_cast<int64_t>(size)) || !f.Close())
            return 0;
    }
    // As a database file of its own, and as a program file located through its trailer.
    WalkDatabase(path, 0);
    if (size >= 4)
        WalkDatabase(path, GetInt32(data + size - 4));
    DeleteFileIfExists(path);
    return 0;
}
