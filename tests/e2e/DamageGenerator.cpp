#include "classlib/Streams.h"
#include "tests/e2e/DamagedProject.h"
#include "tools/mkscr/BlockFields.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace e2e {

namespace {

using TRandom = std::mt19937;

size_t Below(TRandom& random, size_t n)
{
    return n ? random() % n : 0;
}

// One place in the database: where, how wide, what it is.
struct TSpot {
    size_t Pos, Width;
    std::string Name;
};

// Where the structure of a written database lies. Positions count from the directory's first byte; the
// trailer follows the database.
struct TLayout {
    std::vector<TSpot> Ints;         // record index entries, byte counts, the trailer
    std::vector<TSpot> BlockInts;    // integers in the project and slide blocks: what the players act on
    std::vector<TSpot> TextNumbers;  // the directory's fixed-width start positions and sizes
    std::vector<TSpot> Counts;       // record counts, with the "</head>" after them that the reader skips
    std::vector<TSpot> Texts;        // directory, heads, blocks and text values
    std::vector<TSpot> Libraries;    // runtime library bytes: never damaged
    std::vector<size_t> Boundaries;  // where a part of the structure starts or ends
};

const BlockLayout* BlockOf(const std::string& table)
{
    if (table == "project")
        return &ProjectBlockLayout();
    if (table == "setting")
        return &SlideBlockLayout();
    return nullptr;
}

TLayout Walk(const std::string& db, const std::vector<TableSpec>& tables)
{
    TLayout l;
    const size_t dirEnd = db.find("</database>") + std::strlen("</database>");
    l.Texts.push_back({0, dirEnd, "directory"});
    l.Boundaries = {0, dirEnd};
    const size_t starts = db.find("<tablestartpos>") + std::strlen("<tablestartpos>");
    const size_t sizes = db.find("<tablesize>") + std::strlen("<tablesize>");
    for (size_t t = 0; t < tables.size(); ++t) {
        const TableSpec& spec = tables[t];
        const size_t item = 11 * t;  // "%10d" and ","
        l.TextNumbers.push_back({starts + item, 10, "start of " + spec.name});
        l.TextNumbers.push_back({sizes + item, 10, "size of " + spec.name});
        int32_t start = 0, size = 0;
        ParseNumber(db.substr(starts + item, 10), &start);
        ParseNumber(db.substr(sizes + item, 10), &size);
        const size_t p = static_cast<size_t>(start);
        const size_t index = db.find("<recordinfo>", p) + kRecordInfoTagLength;
        l.Texts.push_back({p, index - p, spec.name + " head"});
        const size_t count = db.find("<recordcount>", p) + std::strlen("<recordcount>");
        l.Counts.push_back({count, index - kRecordInfoTagLength - count, spec.name + " record count"});
        const size_t indexEnd = index + kIndexEntrySize * spec.records.size();
        const size_t end = p + static_cast<size_t>(size);
        l.Boundaries.insert(l.Boundaries.end(), {p, index, indexEnd, indexEnd + IndexEndText().size(),
                                                 end - TailText(spec.name).size(), end});
        const BlockLayout* block = BlockOf(spec.name);
        for (size_t r = 0; r < spec.records.size(); ++r) {
            const std::string where = spec.name + "[" + std::to_string(r) + "]";
            const size_t entry = index + kIndexEntrySize * r;
            l.Ints.push_back({entry, 4, where + " offset"});
            l.Ints.push_back({entry + 4, 4, where + " size"});
            const size_t record = p + static_cast<size_t>(GetInt32(reinterpret_cast<const unsigned char*>(&db[entry])));
            l.Boundaries.push_back(record);
            size_t value = record + 4 * spec.fields.size();
            for (size_t f = 0; f < spec.fields.size(); ++f) {
                const std::string field = where + "." + spec.fields[f];
                const size_t length = spec.records[r][f].size();
                l.Ints.push_back({record + 4 * f, 4, field + " length"});
                if (spec.name == "runtimelib" && spec.binary[f])
                    l.Libraries.push_back({value, length, field});
                else if (!spec.binary[f])
                    l.Texts.push_back({value, length, field});
                if (block && spec.fields[f] == "data")
                    for (const BlockField& bf : block->fields)
                        if (bf.width == 4 && bf.offset + 4 <= length)
                            l.BlockInts.push_back({value + bf.offset, 4, field + "." + bf.name});
                value += length;
            }
        }
    }
    l.Ints.push_back({db.size(), 4, "trailer"});
    std::sort(l.Boundaries.begin(), l.Boundaries.end());
    l.Boundaries.erase(std::unique(l.Boundaries.begin(), l.Boundaries.end()), l.Boundaries.end());
    return l;
}

void Note(std::string& description, const std::string& what)
{
    description += "; " + what;
}

std::string Hex(size_t pos)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%zx", pos);
    return text;
}

// An edge value for a stored number: 0, -1, the extremes, just past the database, or one off.
int32_t EdgeValue(TRandom& random, int32_t original, size_t dbSize)
{
    const uint32_t size = static_cast<uint32_t>(dbSize), old = static_cast<uint32_t>(original);
    const uint32_t values[] = {0, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0x7FFFFFF0u, 1u << 24, size, size + 1,
                               old + 1, old - 1, old * 16};
    return static_cast<int32_t>(values[Below(random, sizeof values / sizeof values[0])]);
}

void PutInt32At(std::string& bytes, size_t pos, int32_t value)
{
    std::string word;
    PutInt32(word, value);
    bytes.replace(pos, 4, word);
}

int32_t Int32At(const std::string& bytes, size_t pos)
{
    return GetInt32(reinterpret_cast<const unsigned char*>(&bytes[pos]));
}

// A text in place of a spot, cut or padded with blanks to its width.
void PutTextAt(std::string& bytes, const TSpot& spot, std::string text)
{
    text.resize(spot.Width, ' ');
    bytes.replace(spot.Pos, spot.Width, text);
}

void FlipBit(TRandom& random, std::string& bytes, size_t pos, std::string& description)
{
    const int bit = static_cast<int>(Below(random, 8));
    bytes[pos] = static_cast<char>(bytes[pos] ^ (1 << bit));
    Note(description, "bit " + std::to_string(bit) + " flipped at " + Hex(pos));
}

const TSpot& Pick(TRandom& random, const std::vector<TSpot>& spots)
{
    return spots[Below(random, spots.size())];
}

// Damage to one part of the structure, in place: lengths and offsets keep their positions.
void DamageStructure(TRandom& random, const TLayout& l, std::string& bytes, std::string& description)
{
    switch (Below(random, 6)) {
    case 0:
    case 5: {
        const TSpot& s = Pick(random, Below(random, 2) ? l.Ints : l.BlockInts);
        const int32_t v = EdgeValue(random, Int32At(bytes, s.Pos), bytes.size() - 4);
        PutInt32At(bytes, s.Pos, v);
        Note(description, s.Name + " = " + std::to_string(v));
        break;
    }
    case 1: {
        const TSpot& s = Pick(random, l.TextNumbers);
        int32_t old = 0;
        ParseNumber(bytes.substr(s.Pos, s.Width), &old);
        const bool garbage = Below(random, 6) == 0;
        const int32_t v = EdgeValue(random, old, bytes.size() - 4);
        const std::string text = garbage ? "    12x456" : v == INT32_MIN ? "-999999999" : FixedNumberText(v);
        PutTextAt(bytes, s, text);
        Note(description, s.Name + " = \"" + text + "\"");
        break;
    }
    case 2: {
        // The count may spread over "</head>", which no reader looks for.
        const TSpot& s = Pick(random, l.Counts);
        // The last one: as many records as index entries fit between the index and the trailer.
        const size_t index = s.Pos + s.Width + kRecordInfoTagLength;
        const std::string counts[] = {"0", "-1", "99999999", "", " x", "2147483647",
                                      std::to_string((bytes.size() - 4 - index) / kIndexEntrySize)};
        const std::string count = counts[Below(random, sizeof counts / sizeof counts[0])];
        const std::string text = count + "</recordcount>";
        if (text.size() > s.Width)
            return DamageStructure(random, l, bytes, description);
        PutTextAt(bytes, s, text);
        Note(description, s.Name + " = \"" + count + "\"");
        break;
    }
    case 3: {
        const TSpot& s = Pick(random, l.Texts);
        if (s.Width == 0)
            return DamageStructure(random, l, bytes, description);
        Note(description, "in " + s.Name);
        FlipBit(random, bytes, s.Pos + Below(random, s.Width), description);
        break;
    }
    default: {
        const TSpot& s = Pick(random, l.Texts);
        if (s.Width == 0)
            return DamageStructure(random, l, bytes, description);
        const size_t pos = s.Pos + Below(random, s.Width);
        const char byte = static_cast<char>(random());
        bytes[pos] = byte;
        Note(description, "in " + s.Name + " byte at " + Hex(pos) + " = " + std::to_string(static_cast<unsigned char>(byte)));
        break;
    }
    }
}

bool InLibrary(const TLayout& l, size_t pos)
{
    for (const TSpot& s : l.Libraries)
        if (pos >= s.Pos && pos < s.Pos + s.Width)
            return true;
    return false;
}

// Bits and bytes anywhere but in library bytes.
void DamageBlindly(TRandom& random, const TLayout& l, std::string& bytes, std::string& description)
{
    for (size_t n = 1 + Below(random, 8); n > 0; --n) {
        size_t pos;
        do
            pos = Below(random, bytes.size());
        while (InLibrary(l, pos));
        if (Below(random, 2))
            FlipBit(random, bytes, pos, description);
        else {
            bytes[pos] = static_cast<char>(random());
            Note(description, "byte at " + Hex(pos) + " = " + std::to_string(static_cast<unsigned char>(bytes[pos])));
        }
    }
}

// A picture header that promises far more pixels than follow.
std::string LyingPicture(TRandom& random)
{
    std::string bmp = "BM";
    for (int32_t v : {0x7FFFFFFF, 0, 54, 40, 30000, 30000})
        PutInt32(bmp, v);
    bmp += std::string("\x01\x00\x18\x00", 4) + std::string(24, '\0');
    const std::string headers[] = {
        bmp,
        std::string("GIF89a\xff\xff\xff\xff\xf7\x00\x00", 13) + std::string(64, '\xff'),
        std::string("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x7f\xff\xff\xff\x7f\xff\xff\xff\x08\x06\x00\x00\x00", 29),
        std::string("\xff\xd8\xff\xc0\x00\x11\x08\xff\xff\xff\xff\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xd9", 23),
    };
    return headers[Below(random, sizeof headers / sizeof headers[0])];
}

std::string AbsurdText(TRandom& random)
{
    const std::string texts[] = {
        "", " ", ".", "..\\..\\..\\zelt-escape.txt", "C:\\windows\\win.ini", "\\\\?\\C:\\x.bmp", "CON", "nul.bmp",
        "a*?<>|\".bmp", "%s%s%s%n%n%n", std::string("\x01\x02\x7f\xff\xfe", 5), "#####",
        ";;-1;2147483647;99999999999;x;", "sub\\dir\\deep.bmp", std::string(300, 'x') + ".bmp",
        std::string(5000, 'A')};
    return texts[Below(random, sizeof texts / sizeof texts[0])];
}

// Hostile contents in a well-formed database: absurd names and texts, wrong-sized blocks and blobs, tables
// and fields missing, renamed or doubled.
void DamageContents(TRandom& random, std::vector<TableSpec>& tables, std::string& description)
{
    TableSpec& t = tables[Below(random, tables.size())];
    const size_t f = Below(random, t.fields.size());
    const std::string where = t.name + "." + t.fields[f];
    std::vector<std::string>* record = t.records.empty() ? nullptr : &t.records[Below(random, t.records.size())];
    switch (Below(random, 5)) {
    case 0:
        if (record && !(t.name == "runtimelib" && t.binary[f])) {
            std::string& value = (*record)[f];
            if (t.binary[f] || t.fields[f] == "data") {
                const std::string blobs[] = {"", "x", std::string(value.size() + 1000, '\xff'),
                                             std::string(16 << 20, '\xab'), LyingPicture(random)};
                value = blobs[Below(random, sizeof blobs / sizeof blobs[0])];
                Note(description, where + " holds " + std::to_string(value.size()) + " bytes");
            } else {
                value = AbsurdText(random);
                Note(description, where + " = \"" + value.substr(0, 40) + "\" (" + std::to_string(value.size()) + " bytes)");
            }
            return;
        }
        break;
    case 1:
        if (tables.size() > 1) {
            Note(description, "table " + t.name + " left out");
            tables.erase(tables.begin() + (&t - tables.data()));
            return;
        }
        break;
    case 2:
        t.name[0] = static_cast<char>(t.name[0] - 'a' + 'A');
        Note(description, "table renamed " + t.name);
        return;
    case 3:
        if (t.fields.size() > 1) {
            Note(description, "field " + where + " left out");
            t.fields.erase(t.fields.begin() + f);
            t.binary.erase(t.binary.begin() + f);
            for (auto& r : t.records)
                r.erase(r.begin() + f);
            return;
        }
        break;
    default:
        Note(description, "table " + t.name + " written twice");
        tables.push_back(t);
        return;
    }
    Note(description, "table " + t.name + " without records");
    t.records.clear();
}

std::string Written(const std::vector<TableSpec>& tables)
{
    TMemoryStream out;
    std::string error;
    if (!WriteTableDatabase(out, tables, &error))
        return std::string();
    return std::string(out.Memory(), static_cast<size_t>(out.Size()));
}

std::string WithTrailer(std::string db, int32_t base)
{
    PutInt32(db, base);
    return db;
}

} // namespace

TDamageGenerator::TDamageGenerator(std::vector<TableSpec> tables, int32_t base) : Tables_(std::move(tables)), Base_(base)
{
}

std::string TDamageGenerator::Intact() const
{
    return WithTrailer(Written(Tables_), Base_);
}

size_t TDamageGenerator::BoundaryCount() const
{
    return Walk(Written(Tables_), Tables_).Boundaries.size();
}

TDamagedCase TDamageGenerator::Make(uint32_t seed, int n) const
{
    std::seed_seq seq{seed, static_cast<uint32_t>(n)};
    TRandom random(seq);
    TDamagedCase c;
    c.Description = "seed " + std::to_string(seed) + " case " + std::to_string(n);
    std::vector<TableSpec> tables = Tables_;
    if (n % 4 == 1)
        DamageContents(random, tables, c.Description);
    const std::string db = Written(tables);
    const TLayout layout = Walk(db, tables);
    c.Tail = WithTrailer(db, Base_);
    switch (n % 4) {
    case 0: {
        // Every boundary in turn: cut at it, a byte before it, then at it with no trailer.
        const size_t k = static_cast<size_t>(n / 4) + seed, count = layout.Boundaries.size();
        const size_t at = layout.Boundaries[k % count];
        const size_t variant = (k / count) % 3;
        const size_t cut = variant == 1 && at > 0 ? at - 1 : at;
        c.Tail = variant == 2 ? db.substr(0, cut) : WithTrailer(db.substr(0, cut), Base_);
        Note(c.Description, "cut at " + Hex(cut) + (variant == 2 ? " without trailer" : ""));
        break;
    }
    case 1:
        if (Below(random, 2))
            DamageStructure(random, layout, c.Tail, c.Description);
        break;
    case 2:
        for (size_t k = 1 + Below(random, 3); k > 0; --k)
            DamageStructure(random, layout, c.Tail, c.Description);
        break;
    default:
        DamageBlindly(random, layout, c.Tail, c.Description);
        break;
    }
    return c;
}

} // namespace e2e
