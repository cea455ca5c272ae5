#include "runtime/Background.h"

#include <exception>
#include <vector>

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/CharCodes.h"
#include "data/FileLog.h"
#include "data/Media.h"
#include "data/MediaSetting.h"
#include "data/MyXMLTable.h"
#include "data/NameFolding.h"
#include "data/PickFromList.h"
#include "data/Random.h"
#include "data/TempDir.h"
#include "data/ZELTGlobeSettings.h"
#include "picture/ComPicture.h"
#include "runtime/DesktopCapture.h"

namespace {

// "0;", "1;" and "2;" for the flags that are set; the fallback when none is.
std::string EnabledList(uint8_t first, uint8_t second, uint8_t third, const char* fallback)
{
    std::string list;
    if (first)
        list += "0;";
    if (second)
        list += "1;";
    if (third)
        list += "2;";
    return list.empty() ? fallback : list;
}

int PickRandom(const std::string& list)
{
    int index = -1;
    return PickFromList(list, 1, index);
}

int PictureWidth(const CComPicture* picture)
{
    return picture && !picture->IsEmpty() ? picture->Bitmap()->Width() : 0;
}

int PictureHeight(const CComPicture* picture)
{
    return picture && !picture->IsEmpty() ? picture->Bitmap()->Height() : 0;
}

} // namespace

CBackground::CBackground()
    : SolidPresets{0x000000, 0x008000, 0x008080, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF,
                   0xFF00FF, 0xFFFF00, 0x8000FF, 0xC0DCC0, 0xF0CAA6, 0x000080},
      GradientFromPresets{0xFFFFFF, 0x00FFFF, 0x80FFFF, 0x0080FF, 0xFFFF00, 0x00FF00, 0x0080FF,
                          0xFF8000, 0x40FF00, 0xFF8000, 0x8000FF, 0x008000, 0x0080FF},
      GradientToPresets{0xFFFF00, 0x8000FF, 0xFFFF00, 0xFF80FF, 0xFF0080, 0x000000, 0x00FFFF,
                        0xFF00FF, 0x00FFFF, 0x80FF80, 0x40FF00, 0xFFFF00, 0x000000}
{
}

void CBackground::SetParams(CMediaSetting* slide, CZELTGlobeSettings* project)
{
    Slide = slide;
    Project = project;
}

void CBackground::Draw(TScrMode mode)
{
    DrawBackground();
    if (mode != smPreview) {
        DrawTitle();
        DrawTextBlock();
    }
}

void CBackground::DrawBackground()
{
    if (!Slide || PictureWidth(Target) <= 0)
        return;
    const MEDIA_SETTING_DATA& data = Slide->Data;
    switch (PickRandom(EnabledList(data.BackSolidAllowed, data.BackPictureAllowed, data.BackGradientAllowed, "0;"))) {
    case 0: {
        const TColor colour = data.SolidFromPresets ? SolidPresets[RandomInt(13)] : data.SolidColor;
        Target->FillRect(Target->GetRect(), MaskColor(colour));
        break;
    }
    case 1:
        DrawPictureKind();
        break;
    case 2: {
        const int kind = PickRandom(Slide->GradientString);
        TColor from = data.GradientFromColor;
        TColor to = data.GradientToColor;
        if (data.GradientFromPresets) {
            const int i = RandomInt(13);
            if (g_FileLog) {
                g_FileLog->Where("Background", 200);
                g_FileLog->Print("draw gradient backgroup %d", i);
            }
            from = GradientFromPresets[i];
            to = GradientToPresets[i];
        }
        DrawGradient(from, to, kind, Target);
        break;
    }
    default:
        break;
    }
}

void CBackground::DrawPictureKind()
{
    const MEDIA_SETTING_DATA& data = Slide->Data;
    CComPicture picture;
    const int source = PickRandom(EnabledList(data.BackFromDesktop, data.BackFromProjectImage, data.BackFromTable, "1;"));
    if (source == 0) {
        const std::string path = GetTempDir() + "zeltdsk.bmp";
        // The start-up's capture thread may still be writing it.
        g_DesktopCapture.Wait();
        if (!FileExists(path))
            FillBlack();
        else if (picture.LoadFromFile(path))
            picture.DrawToPicture(-DesktopOrigin.x, -DesktopOrigin.y, Target, SRCCOPY);
    } else if (source == 1 || source == 2) {
        if (source == 1 ? LoadProjectImage(&picture) : LoadBackImage(&picture))
            DrawImage(Target, data.BackLayout, data.TileCount, &picture, data.RandomTiles != 0);
        else
            FillBlack();
    }
}

void CBackground::FillBlack()
{
    Target->FillRect(Target->GetRect(), clBlack);
}

int CBackground::LoadProjectImage(CComPicture* out)
{
    if (!Project || !Project->Database)
        return 0;
    // A cursor of its own, so the slide records keep standing where they are.
    CMyXMLTable slides;
    slides.SetLoadBinary(0);
    if (!slides.Open(Project->Database, "setting"))
        return 0;
    std::vector<int> pictures;
    for (slides.First(); !slides.Eof; slides.Next()) {
        MEDIA_SETTING_DATA block = {};
        slides.FieldByNameToBuffer("data", &block, sizeof block);
        if (block.MediaType == 0)
            pictures.push_back(slides.RecNo());
    }
    if (pictures.empty())
        return 0;
    slides.GoTo(pictures[static_cast<size_t>(RandomInt(static_cast<int>(pictures.size())))]);
    const std::string name = slides.FieldAsString("filename");
    slides.Close();
    return LoadMediaPicture(out, name, Media, Project);
}

int CBackground::LoadBackImage(CComPicture* out)
{
    if (!Slide || !Project || !Project->Database || Slide->SelectedImageBackgroundString.empty())
        return 0;
    const int row = PickRandom(Slide->SelectedImageBackgroundString);
    CMyXMLTable rows;
    rows.SetLoadBinary(0);
    if (!rows.Open(Project->Database, "backimage"))
        return 0;
    if (row < 0 || row >= rows.RecordCount())
        return 0;
    rows.GoTo(row);
    const std::string name = LowerAZ(ExtractFileName(rows.FieldAsString("name")));
    rows.Close();
    return LoadMediaPicture(out, name, Media, Project);
}

void CBackground::DrawImage(CComPicture* target, int layout, int tileCount, CComPicture* source, bool randomTiles)
{
    const int tw = PictureWidth(target);
    const int th = PictureHeight(target);
    const int sw = PictureWidth(source);
    const int sh = PictureHeight(source);
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0)
        return;
    if (layout == 3)
        layout = RandomInt(3);
    if (layout == 0) {
        HalftoneStretch(target, 0, 0, tw, th, source, sw, sh, Helpers);
    } else if (layout == 1) {
        target->FillRect(target->GetRect(), clBlack);
        int w = sw;
        int h = sh;
        if (sw > tw || sh > th)
            FitSize(&w, &h, sw, sh, tw, th);
        HalftoneStretch(target, (tw - w) / 2, (th - h) / 2, w, h, source, sw, sh, Helpers);
    } else if (layout == 2) {
        // A stored count below 1 is taken as 1; a very wide source still gets tiles one pixel high.
        const int count = tileCount < 1 ? 1 : tileCount;
        int tileWidth = tw / (randomTiles ? RandomInt(count) + 1 : count);
        if (tileWidth < 16)
            tileWidth = 16;
        int tileHeight = static_cast<int>(static_cast<int64_t>(sh) * tileWidth / sw);
        if (tileHeight < 1)
            tileHeight = 1;
        CComPicture tile;
        if (!tile.Create(tileWidth, tileHeight, clBlack))
            return;
        HalftoneStretch(&tile, 0, 0, tileWidth, tileHeight, source, sw, sh, Helpers);
        TileImage(target, &tile);
    }
}

void FitSize(int* outW, int* outH, int w, int h, int boxW, int boxH)
{
    *outW = w;
    *outH = h;
    if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0)
        return;
    const float a = static_cast<float>(static_cast<double>(w) / h);
    const float b = static_cast<float>(static_cast<double>(boxW) / boxH);
    if (a > b) {
        *outW = boxW;
        *outH = static_cast<int>(static_cast<double>(h) / w * *outW);
        if (*outH > boxH) {
            *outH = boxH;
            *outW = static_cast<int>(static_cast<double>(w) / h * *outH);
        }
    } else {
        *outH = boxH;
        *outW = static_cast<int>(static_cast<double>(w) / h * *outH);
        if (*outW > boxW) {
            *outW = boxW;
            *outH = static_cast<int>(static_cast<double>(h) / w * *outW);
        }
    }
}

void ScaleSize(int* outW, int* outH, int w, int h, int boxW, int boxH)
{
    if (w <= h) {
        *outW = w;
        *outH = static_cast<int>((boxW > 0 ? static_cast<double>(boxH) / boxW : 1.0) * w);
    } else {
        *outH = h;
        *outW = static_cast<int>((boxH > 0 ? static_cast<double>(boxW) / boxH : 1.0) * h);
    }
}

int TileImage(CComPicture* target, CComPicture* tile)
{
    const int tw = PictureWidth(tile);
    const int th = PictureHeight(tile);
    const int width = PictureWidth(target);
    const int height = PictureHeight(target);
    if (tw <= 0 || th <= 0 || width <= 0)
        return 0;
    // One tile, then the filled strip doubled across and the filled band doubled down: a 16 x 1 tile on a 4K
    // target takes twenty copies instead of half a million. Each copy lands a whole number of tiles further on,
    // so every pixel is the one a copy of the tile at its own place would give.
    CDC* dc = target->DC();
    tile->Draw(0, 0, dc, SRCCOPY);
    int copies = 1;
    for (int filled = tw; filled < width; filled *= 2, ++copies)
        dc->BitBlt(filled, 0, filled, th, dc, 0, 0, SRCCOPY);
    for (int filled = th; filled < height; filled *= 2, ++copies)
        dc->BitBlt(0, filled, width, filled, dc, 0, 0, SRCCOPY);
    return copies;
}

int LoadMediaPicture(CComPicture* out, const std::string& name, CMedia* media, CZELTGlobeSettings* project)
{
    if (!out || !media || !project)
        return 0;
    // A picture that cannot be had, for whatever reason, is one that cannot be shown: the show goes on.
    try {
        if (project->ProjectData.EmbeddedMedia) {
            TMemoryStream stream;
            media->LoadByFileName(name, stream);
            return out->LoadFromStream(stream, name);
        }
        std::string path = media->FindStoredName(name);
        if (project->ProjectData.RelativePaths)
            path = ExtractFilePath(project->FilePath) + ExtractFileName(path);
        return out->LoadFromFile(path);
    } catch (const std::exception& e) {
        ZELT_LOG("Background", "cannot load the picture \"%.200s\": %s", name.c_str(), e.what());
        return 0;
    }
}
