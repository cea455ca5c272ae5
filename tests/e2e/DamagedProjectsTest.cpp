// Damaged projects through the whole saver: copies of one rich project with their database damaged, each
// started "/s", none may crash, hang, show a box or leave files behind. A bounded slice runs here; scripts/
// campaign runs more cases by setting ZELT_CAMPAIGN_SEED, ZELT_CAMPAIGN_CASES and ZELT_CAMPAIGN_FIRST.
#include "imagelib/RgbaImage.h"
#include "tests/e2e/DamagedProject.h"
#include "tests/e2e/MediaFiles.h"
#include "tests/imagelib/TestPictures.h"
#include "tests/picture/PictureEncoders.h"
#include "tools/mkscr/Manifest.h"

#include <cstdio>
#include <cstdlib>

using namespace e2e;

namespace {

uint32_t Setting(const char* name, uint32_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

// Pictures of four formats, titles and text, every background kind, effects, music, a bound sound, a video,
// a Flash slide with an accessory file, and the picture library.
const char kRichProject[] = R"({
  "project": {"projectname": "Damaged", "data": {"EmbeddedMedia": 1, "EmbeddedMusic": 1, "MediaDelay": 0,
              "MusicGap": 1, "LoopMusic": 1, "FitMode": 1, "HasPictures": 1}},
  "media": [{"file": "red.bmp"}, {"file": "photo.jpg"}, {"file": "anim.gif"}, {"file": "pattern.png"},
            {"file": "back.bmp"}, {"file": "intro.swf"}, {"file": "clip.avi"}],
  "backimages": ["back.bmp"],
  "accfiles": [{"file": "intro.xml"}],
  "music": [{"file": "tune.wav"}, {"file": "ding.wav", "type": 2}],
  "slides": [
    {"filename": "red.bmp", "title": "Title", "titlefontname": "Arial", "desc": "Two\r\nlines", "effect": "0;17;",
     "data": {"TitleShown": 1, "TitleFontSize": 20, "TitlePosition": 1, "DescShown": 1, "DescFontSize": 12,
              "DescPosition": 9, "DescX": 10, "DescY": 40, "BackSolidAllowed": 1, "SolidColor": 255,
              "EffectOn": 1, "Step": 200, "MusicOn": 1}},
    {"filename": "photo.jpg", "gradientstring": "0;1;2;3;", "effect": "5;",
     "data": {"BackGradientAllowed": 1, "GradientFromColor": 65280, "GradientToColor": 16711680, "EffectOn": 1,
              "Step": 200}},
    {"filename": "anim.gif", "data": {"BackPictureAllowed": 1, "BackFromDesktop": 1, "BackLayout": 1}},
    {"filename": "pattern.png", "data": {"BackPictureAllowed": 1, "BackFromProjectImage": 1, "BackLayout": 2,
                                         "TileCount": 3, "RandomTiles": 1, "DrawTransparent": 1}},
    {"filename": "red.bmp", "bindsound": "ding.wav", "selectedimagebackgroundstring": "0;",
     "data": {"BackPictureAllowed": 1, "BackFromTable": 1, "BackLayout": 3, "SolidFromPresets": 1}},
    {"filename": "intro.swf", "accfile": "intro.xml#", "data": {"MediaType": 1, "FlashEndMode": 1, "FlashSeconds": 1}},
    {"filename": "clip.avi", "data": {"MediaType": 2, "VideoSizeMode": 3}}]})";

std::vector<TableSpec> RichProject(const TTestFolder& folder)
{
    const TRgbaImage pattern = MakePattern(120, 90, true);
    WriteSolidBmp(folder.File("red.bmp"), 160, 120, 0xFF0000);
    WriteSolidBmp(folder.File("back.bmp"), 40, 30, 0x0000FF);
    WriteBytes(folder.File("photo.jpg"), EncodeJpeg(200, 150, [](int x, int y) { return uint32_t(x * 997 + y * 131); }));
    TGifLayout gif;
    gif.ScreenWidth = gif.FrameWidth = 64;
    gif.ScreenHeight = gif.FrameHeight = 48;
    gif.Palette.assign(16, 0x00FF00);
    gif.Indices.assign(64 * 48, 0);
    WriteBytes(folder.File("anim.gif"), EncodeGif(gif));
    WriteBytes(folder.File("pattern.png"), EncodePng(pattern));
    WriteWholeFile(folder.File("intro.swf"), "FWS\x06 not a real movie");
    WriteWholeFile(folder.File("intro.xml"), "<settings/>");
    WriteWholeFile(folder.File("clip.avi"), SolidAvi(64, 48, 5, 10, 0x00FFFF));
    WriteWholeFile(folder.File("tune.wav"), PcmWav(500));
    WriteWholeFile(folder.File("ding.wav"), PcmWav(300));
    nlohmann::json manifest = nlohmann::json::parse(kRichProject);
    const std::string runtime = RuntimePath();
    manifest["runtimelibs"] = {{{"name", "Ombix.dll"}, {"file", runtime.substr(0, runtime.find_last_of('\\')) + "\\Ombix.dll"}}};
    return BuildProjectTables(manifest, folder.Path());
}

} // namespace

TEST(DamagedProjects, NoDamageCrashesHangsBoxesOrLeavesAnythingBehind)
{
    TTestFolder folder("damaged_projects");
    const std::string runtime = ReadWholeFile(RuntimePath());
    const TDamageGenerator generator(RichProject(folder), static_cast<int32_t>(runtime.size()));
    TDamageRunner runner(folder);
    const uint32_t seed = Setting("ZELT_CAMPAIGN_SEED", 1);
    const int first = static_cast<int>(Setting("ZELT_CAMPAIGN_FIRST", 0));
    const int cases = static_cast<int>(Setting("ZELT_CAMPAIGN_CASES", 8));

    // The runner must see the intact project close cleanly, or it could not tell a damaged one from it.
    const TRunOutcome intact = runner.Run({"intact", generator.Intact()}, -1);
    ASSERT_FALSE(intact.Failed()) << intact.Details;

    int crashes = 0, hangs = 0, boxes = 0, leftovers = 0, slowest = intact.CloseMs;
    for (int n = first; n < first + cases; ++n) {
        const TDamagedCase c = generator.Make(seed, n);
        const TRunOutcome out = runner.Run(c, n);
        crashes += out.Crash;
        hangs += out.Hang;
        boxes += out.Box;
        leftovers += out.Leftover;
        slowest = std::max(slowest, out.CloseMs);
        EXPECT_FALSE(out.Failed()) << c.Description << "\n" << out.Details;
        std::printf("case %d (close %d ms): %s%s\n", n, out.CloseMs, out.Failed() ? "FAILED " : "", c.Description.c_str());
        std::fflush(stdout);
    }
    std::printf("seed %u, cases %d from %d (%zu boundaries): crashes %d, hangs %d, boxes %d, leftovers %d; "
                "slowest close %d ms\n",
                seed, cases, first, generator.BoundaryCount(), crashes, hangs, boxes, leftovers, slowest);
}
