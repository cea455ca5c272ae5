#include "tools/mkscr/Manifest.h"

#include "tools/mkscr/BlockFields.h"
#include "tools/mkscr/CodePage.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

using nlohmann::json;

namespace {

std::string ReadWholeFile(const std::string& baseDir, const std::string& path)
{
    // Rooted paths ("/x", "C:\x") stand as they are; the Windows build of the library sees both kinds.
    const bool rooted = std::filesystem::path(path).has_root_directory();
    const std::string full = rooted || baseDir.empty() ? path : baseDir + "/" + path;
    std::ifstream in(full, std::ios::binary);
    if (!in)
        throw ManifestError("cannot read file \"" + full + "\"");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string HexBytes(const std::string& hex, const std::string& where)
{
    if (hex.size() % 2 != 0)
        throw ManifestError(where + ": odd number of hex digits");
    std::string out;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const std::string pair = hex.substr(i, 2);
        if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            throw ManifestError(where + ": \"" + pair + "\" is not a hex byte");
        out.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
    }
    return out;
}

// A value as the runtime stores it: a text in Windows-1252, or the raw bytes after "hex:" (what --dump shows
// for values that are not text).
std::string StoredText(const json& v, const std::string& where)
{
    if (!v.is_string())
        throw ManifestError(where + " must be a string");
    const std::string s = v.get<std::string>();
    if (s.rfind("hex:", 0) == 0)
        return HexBytes(s.substr(4), where);
    if (s.find('\0') != std::string::npos)
        throw ManifestError(where + " holds a NUL byte, which the runtime would cut the text at");
    std::string bytes, bad;
    if (!Utf8ToCp1252(s, &bytes, &bad))
        throw ManifestError(where + " holds " + bad + ", which the Windows-1252 code page cannot hold");
    return bytes;
}

std::string Text(const json& object, const char* key, const std::string& where)
{
    return object.contains(key) ? StoredText(object.at(key), where + "." + key) : std::string();
}

// A file on this machine to read bytes from; never stored.
std::string HostPath(const json& object, const char* key, const std::string& where)
{
    if (!object.contains(key))
        return std::string();
    if (!object.at(key).is_string())
        throw ManifestError(where + "." + key + " must be a string");
    return object.at(key).get<std::string>();
}

// An embedded file's stored name: "name", else the file's own name.
std::string EntryName(const json& entry, const std::string& file, const std::string& where)
{
    const std::string name = Text(entry, "name", where);
    return name.empty() ? StoredText(file.substr(file.find_last_of("/\\") + 1), where + ".file") : name;
}

std::string Int32Bytes(int64_t value)
{
    std::string out;
    PutInt32(out, static_cast<int32_t>(value));
    return out;
}

int64_t Number(const json& v, const std::string& where)
{
    if (v.is_boolean())
        return v.get<bool>() ? 1 : 0;
    if (!v.is_number_integer())
        throw ManifestError(where + " must be an integer or a boolean");
    return v.get<int64_t>();
}

// A block is an object of named fields (the rest zero) or "hex:" followed by its raw bytes, which may be
// shorter than the block but never longer.
std::string Block(const json& object, const BlockLayout& layout, const std::string& where)
{
    if (!object.contains("data"))
        return std::string(layout.size, '\0');
    const json& data = object.at("data");
    if (data.is_string()) {
        const std::string s = data.get<std::string>();
        if (s.rfind("hex:", 0) != 0)
            throw ManifestError(where + ": \"data\" must be an object of named fields or \"hex:...\"");
        std::string bytes = HexBytes(s.substr(4), where + " data");
        if (bytes.size() > layout.size)
            throw ManifestError(where + ": \"data\" holds " + std::to_string(bytes.size()) + " bytes, more than the " +
                                std::to_string(layout.size) + "-byte block the runtime reads");
        return bytes;
    }
    if (!data.is_object())
        throw ManifestError(where + ": \"data\" must be an object");
    std::string block(layout.size, '\0');
    for (auto it = data.begin(); it != data.end(); ++it) {
        const BlockField* field = nullptr;
        for (const BlockField& f : layout.fields)
            if (it.key() == f.name)
                field = &f;
        if (!field)
            throw ManifestError(where + ": the " + layout.table + " block has no field \"" + it.key() + "\"");
        const int64_t value = Number(it.value(), where + " data." + it.key());
        const bool fits = field->width == 1 ? value >= 0 && value <= 255 : value >= INT32_MIN && value <= UINT32_MAX;
        if (!fits)
            throw ManifestError(where + ": data." + it.key() + " = " + std::to_string(value) + " does not fit its " +
                                std::to_string(field->width) + " byte(s)");
        for (size_t i = 0; i < field->width; ++i)
            block[field->offset + i] = static_cast<char>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF);
    }
    return block;
}

const json& List(const json& manifest, const char* key)
{
    static const json empty = json::array();
    if (!manifest.contains(key))
        return empty;
    if (!manifest.at(key).is_array())
        throw ManifestError(std::string("\"") + key + "\" must be a list");
    return manifest.at(key);
}

// Tables of embedded files: one text field "name" and the file's bytes as a blob.
TableSpec FileTable(const json& manifest, const char* key, const char* table, const char* blobField,
                    const std::string& baseDir)
{
    TableSpec spec{table, {"name", blobField}, {false, true}, {}};
    int n = 0;
    for (const json& entry : List(manifest, key)) {
        const std::string where = std::string(key) + "[" + std::to_string(n++) + "]";
        const std::string file = HostPath(entry, "file", where);
        const std::string name = EntryName(entry, file, where);
        spec.records.push_back({name, file.empty() ? std::string() : ReadWholeFile(baseDir, file)});
    }
    return spec;
}

TableSpec ProjectTable(const json& manifest, const std::string& baseDir)
{
    static const char* const texts[] = {"appname",     "homesite",    "projectname", "authorname", "authorwebsite",
                                        "version",     "authoremail", "description", "copyright",  "dialogpicture"};
    const json project = manifest.contains("project") ? manifest.at("project") : json::object();
    if (!project.is_object())
        throw ManifestError("\"project\" must be an object");
    TableSpec spec{"project", {"data"}, {false}, {}};
    std::vector<std::string> record{Block(project, ProjectBlockLayout(), "project")};
    for (const char* t : texts) {
        spec.fields.push_back(t);
        spec.binary.push_back(false);
        record.push_back(Text(project, t, "project"));
    }
    spec.fields.push_back("banner");
    spec.binary.push_back(true);
    const std::string banner = HostPath(project, "banner", "project");
    record.push_back(banner.empty() ? std::string() : ReadWholeFile(baseDir, banner));
    spec.records.push_back(record);
    return spec;
}

TableSpec SlideTable(const json& manifest)
{
    static const char* const texts[] = {"filename",       "title",       "titlefontname", "titlefontstyle",
                                        "desc",           "descfontname", "descfontstyle", "gradientstring",
                                        "effect",         "selectedimagebackgroundstring", "bindsound", "accfile"};
    TableSpec spec{"setting", {"data"}, {false}, {}};
    for (const char* t : texts) {
        spec.fields.push_back(t);
        spec.binary.push_back(false);
    }
    int n = 0;
    for (const json& slide : List(manifest, "slides")) {
        const std::string where = "slides[" + std::to_string(n++) + "]";
        if (!slide.is_object())
            throw ManifestError(where + " must be an object");
        std::vector<std::string> record{Block(slide, SlideBlockLayout(), where)};
        for (const char* t : texts)
            record.push_back(Text(slide, t, where));
        spec.records.push_back(record);
    }
    return spec;
}

TableSpec MusicTable(const json& manifest, const std::string& baseDir)
{
    TableSpec spec{"music", {"type", "name", "music"}, {false, false, true}, {}};
    int n = 0;
    for (const json& entry : List(manifest, "music")) {
        const std::string where = "music[" + std::to_string(n++) + "]";
        std::string type = Int32Bytes(1);
        if (entry.contains("type"))
            type = entry.at("type").is_string() ? StoredText(entry.at("type"), where + ".type")
                                                : Int32Bytes(Number(entry.at("type"), where + ".type"));
        const std::string file = HostPath(entry, "file", where);
        const std::string name = EntryName(entry, file, where);
        spec.records.push_back({type, name, file.empty() ? std::string() : ReadWholeFile(baseDir, file)});
    }
    return spec;
}

// Background pictures are named here; their bytes are media like any other.
TableSpec BackImageTable(const json& manifest)
{
    TableSpec spec{"backimage", {"name"}, {false}, {}};
    int n = 0;
    for (const json& name : List(manifest, "backimages")) {
        const std::string where = "backimages[" + std::to_string(n++) + "]";
        spec.records.push_back({StoredText(name, where)});
    }
    return spec;
}

} // namespace

std::vector<TableSpec> BuildProjectTables(const json& manifest, const std::string& baseDir)
{
    if (!manifest.is_object())
        throw ManifestError("the manifest must be a JSON object");
    return {
        ProjectTable(manifest, baseDir),
        FileTable(manifest, "media", "media", "media", baseDir),
        SlideTable(manifest),
        FileTable(manifest, "accfiles", "accfile", "accfile", baseDir),
        MusicTable(manifest, baseDir),
        BackImageTable(manifest),
        FileTable(manifest, "runtimelibs", "runtimelib", "libs", baseDir),
    };
}
