#include "classlib/Streams.h"
#include "data/TableFormat.h"
#include "tools/mkscr/Dump.h"
#include "tools/mkscr/Manifest.h"
#include "tools/mkscr/SlideMedia.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using nlohmann::json;

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

json DumpOf(const std::vector<TableSpec>& tables, const std::string& path, const std::string& prefix = "")
{
    TFileStream out(path, fmCreate);
    out.WriteText(prefix);
    std::string error;
    EXPECT_TRUE(WriteTableDatabase(out, tables, &error)) << error;
    if (!prefix.empty()) {
        std::string trailer;
        PutInt32(trailer, static_cast<int32_t>(prefix.size()));
        out.WriteText(trailer);
    }
    out.Close();
    json dump;
    EXPECT_TRUE(DumpDatabase(path, &dump, &error)) << error;
    return dump;
}

const json& Table(const json& dump, const std::string& name)
{
    for (const json& t : dump["tables"])
        if (t["name"] == name)
            return t;
    static const json none;
    ADD_FAILURE() << "no table " << name;
    return none;
}

const json kManifest = json::parse(R"({
  "project": {"projectname": "Demo", "version": "1.0", "banner": "mkscr_banner.bin",
              "data": {"MediaDelay": 5, "ShuffleSlides": true, "EmbeddedMedia": 1}},
  "media": [{"name": "a.bmp", "file": "mkscr_media.bin"}],
  "slides": [{"filename": "a.bmp", "title": "First", "effect": "0;57;",
              "data": {"EffectOn": 1, "Step": 10, "TitleColor": -1}},
             {"filename": "b.bmp", "data": "hex:0102"},
             {"filename": "c.bmp"}],
  "music": [{"name": "m.wav", "type": 1, "file": "mkscr_media.bin"}],
  "accfiles": [{"name": "readme.txt", "file": "mkscr_banner.bin"}],
  "backimages": ["a.bmp"]
})");

} // namespace

TEST(Mkscr, ManifestRoundTripsThroughTheReader)
{
    WriteFile("mkscr_banner.bin", "banner");
    WriteFile("mkscr_media.bin", std::string(100000, 'x') + std::string(1, '\0'));
    for (const std::string& prefix : {std::string(), std::string("MZ runtime bytes")}) {
        const json dump = DumpOf(BuildProjectTables(kManifest, "."), "mkscr_roundtrip.scr", prefix);
        EXPECT_EQ(dump["base"], static_cast<int>(prefix.size()));
        const json& project = Table(dump, "project")["records"][0];
        EXPECT_EQ(project["projectname"], "Demo");
        EXPECT_EQ(project["banner"]["size"], 6);
        // MediaDelay at 24 (5), ShuffleSlides at 21, EmbeddedMedia at 58; the rest of the 80 bytes zero.
        std::string block(80, '\0');
        block[21] = 1;
        block[24] = 5;
        block[58] = 1;
        std::string hex = "hex:";
        for (unsigned char c : block) {
            char two[3];
            std::snprintf(two, sizeof two, "%02x", c);
            hex += two;
        }
        EXPECT_EQ(project["data"], hex);
        const json& slides = Table(dump, "setting")["records"];
        ASSERT_EQ(slides.size(), 3u);
        EXPECT_EQ(slides[0]["effect"], "0;57;");
        EXPECT_EQ(slides[1]["data"], "hex:0102");
        // A slide without a block gets the whole 164 bytes, zero; a named field leaves its neighbours zero.
        EXPECT_EQ(slides[2]["data"], "hex:" + std::string(2 * 164, '0'));
        const std::string first = slides[0]["data"];
        EXPECT_EQ(first.size(), 4u + 2 * 164);
        EXPECT_EQ(first.substr(4, 2 * 76), std::string(2 * 12, '0') + "ffffffff" + std::string(2 * 60, '0'));
        EXPECT_EQ(Table(dump, "media")["records"][0]["media"]["size"], 100001);
        EXPECT_EQ(Table(dump, "music")["records"][0]["type"], "hex:01000000");
        EXPECT_EQ(Table(dump, "backimage")["records"][0]["name"], "a.bmp");
        EXPECT_EQ(Table(dump, "runtimelib")["records"].size(), 0u);
    }
    std::remove("mkscr_roundtrip.scr");
}

TEST(Mkscr, RefusesWhatTheRuntimeCouldNotReadBack)
{
    const std::string bad[] = {
        R"({"project": {"projectname": "a\u0000b"}})",                     // text cut at NUL
        R"({"slides": [{"data": {"NoSuchField": 1}}]})",                   // unknown block field
        R"({"slides": [{"data": {"EffectOn": 256}}]})",                    // flag byte overflow
        R"({"project": {"data": "hex:)" + std::string(162, '0') + R"("}})",  // 81 bytes for an 80-byte block
        R"({"media": [{"name": "x", "file": "no-such-file.bin"}]})",       // missing file
        R"({"slides": {"filename": "a"}})",                                // not a list
    };
    for (const std::string& text : bad)
        EXPECT_THROW(BuildProjectTables(json::parse(text), "."), ManifestError) << text;
}

// Stored, but skipped by the saver: a slide of an embedded project whose file is not among the media.
TEST(Mkscr, NamesTheSlidesWhoseFileAnEmbeddedProjectLacks)
{
    WriteFile("mkscr_banner.bin", "banner");
    WriteFile("mkscr_media.bin", "media bytes");
    json manifest = kManifest;
    manifest["slides"][1]["filename"] = "C:\\Pictures\\A.BMP";  // found as the saver finds it: name, any case
    const std::vector<std::string> lines = SlidesWithoutMedia(BuildProjectTables(manifest, "."));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("slides[2]: \"filename\" \"c.bmp\" names no entry of \"media\"", 0), 0u) << lines[0];
    manifest["project"]["data"]["EmbeddedMedia"] = 0;  // files beside the program: not known here
    EXPECT_TRUE(SlidesWithoutMedia(BuildProjectTables(manifest, ".")).empty());
}

TEST(Mkscr, WriterRefusesNamesAndHeadsTheReaderCannotParse)
{
    std::string error;
    TMemoryStream out;
    EXPECT_FALSE(WriteTableDatabase(out, {TableSpec{"a,b", {"f"}, {false}, {}}}, &error));
    EXPECT_FALSE(WriteTableDatabase(out, {TableSpec{"t", {"<data>"}, {false}, {}}}, &error));
    std::vector<std::string> manyFields;
    for (int i = 0; i < 200; ++i)
        manyFields.push_back("field" + std::to_string(i));
    EXPECT_FALSE(WriteTableDatabase(out, {TableSpec{"t", manyFields, std::vector<bool>(200, false), {}}}, &error));
    EXPECT_FALSE(error.empty());
}

namespace {

std::string ProgramBytes(const json& manifest, const std::string& path)
{
    TFileStream out(path, fmCreate);
    out.WriteText("MZ runtime");
    std::string error;
    EXPECT_TRUE(WriteTableDatabase(out, BuildProjectTables(manifest, "."), &error)) << error;
    std::string trailer;
    PutInt32(trailer, 10);
    out.WriteText(trailer);
    out.Close();
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A manifest written back from a dump: texts and blocks as the dump shows them, blobs from their files.
json ManifestFromDump(const json& dump)
{
    json project = Table(dump, "project")["records"][0];
    project["banner"] = "mkscr_banner.bin";
    json manifest = {{"project", project}, {"slides", Table(dump, "setting")["records"]}};
    for (const json& r : Table(dump, "media")["records"])
        manifest["media"].push_back({{"name", r["name"]}, {"file", "mkscr_media.bin"}});
    for (const json& r : Table(dump, "music")["records"])
        manifest["music"].push_back({{"name", r["name"]}, {"type", r["type"]}, {"file", "mkscr_media.bin"}});
    for (const json& r : Table(dump, "backimage")["records"])
        manifest["backimages"].push_back(r["name"]);
    return manifest;
}

} // namespace

TEST(Mkscr, TextsAreStoredInWindows1252AndADumpBuildsTheSameBytes)
{
    WriteFile("mkscr_banner.bin", "banner");
    WriteFile("mkscr_media.bin", "media bytes");
    const json manifest = json::parse(R"({
      "project": {"projectname": "Caf\u00e9 \u20ac", "banner": "mkscr_banner.bin", "data": {"MediaDelay": 3}},
      "media": [{"name": "na\u00efve.bmp", "file": "mkscr_media.bin"}],
      "slides": [{"filename": "na\u00efve.bmp", "title": "\u201cquoted\u201d", "desc": "line\u0001two",
                  "effect": "hex:817f"}],
      "music": [{"name": "m.wav", "type": 2, "file": "mkscr_media.bin"}],
      "backimages": ["na\u00efve.bmp"]
    })");
    const std::string first = ProgramBytes(manifest, "mkscr_cp.scr");
    EXPECT_NE(first.find("Caf\xe9 \x80"), std::string::npos);
    EXPECT_NE(first.find("\x93quoted\x94"), std::string::npos);

    json dump;
    std::string error;
    ASSERT_TRUE(DumpDatabase("mkscr_cp.scr", &dump, &error)) << error;
    const json& slide = Table(dump, "setting")["records"][0];
    EXPECT_EQ(Table(dump, "project")["records"][0]["projectname"], "Caf\u00e9 \u20ac");
    EXPECT_EQ(slide["title"], "\u201cquoted\u201d");
    EXPECT_EQ(slide["desc"], "hex:6c696e650174776f");  // a control byte is not text
    EXPECT_EQ(slide["effect"], "hex:817f");             // 0x81 has no character in the code page
    EXPECT_EQ(ProgramBytes(ManifestFromDump(dump), "mkscr_cp.scr"), first);
    std::remove("mkscr_cp.scr");

    try {
        BuildProjectTables(json::parse(R"({"slides": [{}, {"title": "\u65e5"}]})"), ".");
        ADD_FAILURE() << "a character outside the code page was stored";
    } catch (const ManifestError& e) {
        EXPECT_NE(std::string(e.what()).find("slides[1].title"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("U+65E5"), std::string::npos) << e.what();
    }
}
