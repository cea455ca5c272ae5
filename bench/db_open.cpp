// Not a test: opening a large project database and fetching one blob, against a plain fread.
// A project of 200 slides and 200 MB of blobs is written by a child process (so its memory does not count),
// then this process opens it, reads every slide record, fetches one 4 MB blob and reports its peak memory.
// Then copies of it whose slide table's record count is damaged open in children of their own: to the largest
// count that leaves the record index inside the file, and to the largest that leaves room for every record's
// index entry and field byte counts; each child opens the table, walks every record once and reports its time
// and peak memory.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"
#include "data/TableFormat.h"

namespace {

constexpr int kSlides = 200;
constexpr size_t kBlobSize = 1000 * 1000;      // 200 media of 1 MB ...
constexpr size_t kBigBlobSize = 4 * 1024 * 1024;  // ... one of them 4 MB
constexpr int kBigBlob = 100;

bool WriteProject(const std::string& path)
{
    TableSpec setting{"setting", {"data", "filename", "title", "desc", "effect"}, {false, false, false, false, false}, {}};
    TableSpec media{"media", {"name", "media"}, {false, true}, {}};
    for (int i = 0; i < kSlides; ++i) {
        const std::string name = "picture" + std::to_string(i) + ".jpg";
        setting.records.push_back({std::string(164, static_cast<char>(i)), name, "Slide " + std::to_string(i),
                                   "A description of slide " + std::to_string(i), "1;5;17;42"});
        media.records.push_back({name, std::string(i == kBigBlob ? kBigBlobSize : kBlobSize, static_cast<char>('a' + i % 26))});
    }
    const std::vector<TableSpec> tables = {
        {"project", {"data", "projectname"}, {false, false}, {{std::string(80, '\0'), "Benchmark"}}},
        setting, media};
    TFileStream f(path, fmCreate);
    std::string error;
    if (!f.IsOpen() || !WriteTableDatabase(f, tables, &error) || !f.Close()) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

double Ms(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// A copy whose slide table's record count is the file's bytes from the record index on divided by
// bytesPerRecord; the count may spread over "</head>", which no reader reads.
bool WriteDamagedCopy(const std::string& path, const std::string& copy, int64_t bytesPerRecord, int32_t* count)
{
    TMemoryStream m;
    if (!m.LoadFromFile(path))
        return false;
    std::string bytes(m.Memory(), static_cast<size_t>(m.Size()));
    const size_t table = bytes.find("<setting><head>");
    const size_t at = bytes.find("<recordcount>", table) + std::strlen("<recordcount>");
    const size_t index = bytes.find("<recordinfo>", table) + kRecordInfoTagLength;
    const int64_t records = static_cast<int64_t>(bytes.size() - index) / bytesPerRecord;
    *count = static_cast<int32_t>(std::min<int64_t>(INT32_MAX, records));
    std::string text = std::to_string(*count) + "</recordcount>";
    text.resize(index - kRecordInfoTagLength - at, ' ');
    bytes.replace(at, text.size(), text);
    TFileStream f(copy, fmCreate);
    return f.IsOpen() && f.WriteText(bytes) && f.Close();
}

// In a child of its own, so that its peak memory is its own: open the slide table, walk every record.
void OpenDamaged(const std::string& path, const char* what)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        CMyXMLDb db;
        db.Open(path, 0);
        CMyXMLTable slides;
        slides.SetLoadBinary(0);
        const int opened = slides.Open(&db, "setting");
        const double openMs = Ms(start);
        const auto walk = std::chrono::steady_clock::now();
        size_t textBytes = 0;
        for (slides.First(); !slides.Eof; slides.Next())
            textBytes += slides.FieldAsString("filename").size();
        const double walkMs = Ms(walk);
        struct rusage usage = {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%s: %s, %d records, open %.0f ms, one walk %.0f ms, peak memory %.1f MB\n", what,
                    opened ? "opened" : "refused", slides.RecordCount(), openMs, walkMs, usage.ru_maxrss / 1024.0);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        std::printf("%s: the child died (status %d)\n", what, status);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "/tmp/db_open_bench.db";
    const pid_t child = fork();
    if (child == 0)
        _exit(WriteProject(path) ? 0 : 1);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;

    auto start = std::chrono::steady_clock::now();
    CMyXMLDb db;
    db.Open(path, 0);
    CMyXMLTable slides;
    slides.SetLoadBinary(0);
    slides.Open(&db, "setting");
    size_t textBytes = 0;
    unsigned char block[164];
    for (slides.First(); !slides.Eof; slides.Next()) {
        slides.FieldByNameToBuffer("data", block, sizeof block);
        textBytes += slides.FieldAsString("filename").size() + slides.FieldAsString("title").size() +
                     slides.FieldAsString("desc").size() + slides.FieldAsString("effect").size();
    }
    CMyXMLTable media;
    media.SetLoadBinary(0);
    media.Open(&db, "media");
    for (media.First(); !media.Eof; media.Next())
        textBytes += media.FieldAsString("name").size();
    const double openMs = Ms(start);

    media.GoTo(kBigBlob);
    const FIELD_DATA* blobField = media.Field(media.FieldIndex("media"));
    const int64_t blobPos = blobField->BlobPos;
    start = std::chrono::steady_clock::now();
    TMemoryStream blob;
    const int fetched = media.BlobToStream("media", blob);
    const double blobMs = Ms(start);

    start = std::chrono::steady_clock::now();
    std::vector<char> plain(kBigBlobSize);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    size_t got = 0;
    if (f) {
        fseeko(f, static_cast<off_t>(blobPos), SEEK_SET);
        got = std::fread(plain.data(), 1, plain.size(), f);
        std::fclose(f);
    }
    const double freadMs = Ms(start);

    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("database: %s, %lld bytes, %d slides\n", path.c_str(), static_cast<long long>(TFileStream(path, fmOpenRead).Size()),
                slides.RecordCount());
    std::printf("open and read every slide and media record: %.2f ms (%zu text bytes)\n", openMs, textBytes);
    std::printf("fetch one 4 MB blob through the cursor:     %.2f ms (%s, %lld bytes)\n", blobMs,
                fetched ? "ok" : "FAILED", static_cast<long long>(blob.Size()));
    std::printf("plain fread of the same 4 MB:               %.2f ms (%zu bytes)\n", freadMs, got);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    slides.Close();
    media.Close();
    db.Clear();

    // The slide table has 5 fields: at least 8 bytes of index entry and 20 of byte counts per record.
    const std::string damaged = path + ".damaged";
    for (const int64_t perRecord : {static_cast<int64_t>(kIndexEntrySize), int64_t{8 + 4 * 5}}) {
        int32_t count = 0;
        if (!WriteDamagedCopy(path, damaged, perRecord, &count))
            return 1;
        const std::string what = "slide count damaged to " + std::to_string(count) + " (file bytes / " +
                                 std::to_string(perRecord) + ")";
        OpenDamaged(damaged, what.c_str());
    }
    DeleteFileIfExists(damaged);
    DeleteFileIfExists(path);
    return fetched && got == kBigBlobSize ? 0 : 1;
}
