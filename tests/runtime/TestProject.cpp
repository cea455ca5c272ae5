#include "tests/runtime/TestProject.h"

#include <gtest/gtest.h>

#include <cstring>

#include "classlib/Bitmap.h"
#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/TableFormat.h"
#include "picture/ComPicture.h"

namespace {

const char* const kSlideTexts[] = {"filename", "title", "titlefontname", "titlefontstyle", "desc",
                                   "descfontname", "descfontstyle", "gradientstring", "effect",
                                   "selectedimagebackgroundstring", "bindsound", "accfile"};

std::vector<TableSpec> Tables(const std::vector<TSlideSpec>& slides,
                              const std::vector<std::pair<std::string, std::string>>& media,
                              const std::vector<std::string>& backImages)
{
    TableSpec setting{"setting", {"data"}, {false}, {}};
    for (const char* t : kSlideTexts) {
        setting.fields.push_back(t);
        setting.binary.push_back(false);
    }
    for (const TSlideSpec& slide : slides) {
        std::vector<std::string> record{std::string(reinterpret_cast<const char*>(&slide.Data), sizeof slide.Data)};
        for (const char* t : kSlideTexts) {
            const auto it = slide.Texts.find(t);
            record.push_back(it == slide.Texts.end() ? std::string() : it->second);
        }
        setting.records.push_back(record);
    }
    TableSpec mediaTable{"media", {"name", "media"}, {false, true}, {}};
    for (const auto& m : media)
        mediaTable.records.push_back({m.first, m.second});
    TableSpec backImage{"backimage", {"name"}, {false}, {}};
    for (const std::string& name : backImages)
        backImage.records.push_back({name});
    return {setting, mediaTable, backImage};
}

} // namespace

TSlideSpec PictureSlide(const std::string& fileName)
{
    TSlideSpec slide;
    slide.Texts["filename"] = fileName;
    return slide;
}

TTestProject::TTestProject(const std::string& path, const std::vector<TSlideSpec>& slides,
                           const std::vector<std::pair<std::string, std::string>>& media,
                           const std::vector<std::string>& backImages)
    : Path(path)
{
    {
        TFileStream out(path, fmCreate);
        std::string error;
        EXPECT_TRUE(WriteTableDatabase(out, Tables(slides, media, backImages), &error)) << error;
        out.Close();
    }
    EXPECT_TRUE(Db.Open(path, 0));
    Project.Database = &Db;
    std::memset(&Project.ProjectData, 0, sizeof Project.ProjectData);
    Project.ProjectData.EmbeddedMedia = 1;
    Media.SetDatabase(&Db);
    Media.Open();
    Slides.SetDatabase(&Db);
    Slides.Open();
    Slides.ReadRecord();
}

TTestProject::~TTestProject()
{
    Slides.Close();
    Media.Close();
    Db.Clear();
    DeleteFileIfExists(Path);
}

std::string SolidBmp(int width, int height, TColor colour)
{
    CComPicture picture;
    EXPECT_TRUE(picture.Create(width, height, colour));
    return BmpBytes(picture);
}

std::string BmpBytes(CComPicture& picture)
{
    TMemoryStream bytes;
    EXPECT_TRUE(picture.Bitmap() && picture.Bitmap()->SaveToStream(bytes));
    return std::string(bytes.Memory(), static_cast<size_t>(bytes.Size()));
}

TColor PixelAt(CComPicture& picture, int x, int y)
{
    const uint32_t rgb = picture.Bitmap()->ScanLine(y)[x];  // 0x00RRGGBB
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
