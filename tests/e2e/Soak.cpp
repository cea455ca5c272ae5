// Soak run: the saver "/s" on a project that goes quickly through every transition effect, every background
// kind, picture, video, sound and Flash slides, for a given time, with what the process holds sampled at a
// fixed interval. Prints the samples as a table, then each column's growth after the first full cycle of
// slides. Usage: e2e_soak [minutes (60)] [seconds between samples (30)]. Exit code 1 when the saver crashed,
// showed a box, ended by itself or did not close on a mouse move.
#include "imagelib/RgbaImage.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/MediaFiles.h"
#include "tests/imagelib/TestPictures.h"
#include "tests/picture/PictureEncoders.h"
#include "tests/support/ProcessResources.h"

#include <nlohmann/json.hpp>
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace e2e;
using testsupport::TResourceCounts;

namespace {

const int kEffects = 161;
const int kGradientKinds = 12;
// One video and one Flash slide after this many picture slides.
const int kMediaEvery = 40;
const char kSlideStarted[] = "Show Next media file";

const char* const kPictures[] = {"p.bmp", "p.jpg", "p.gif", "p.png", "p.tga", "p.ppm", "p.psd", "p.tif", "p.pcx"};

void WritePictures(const TTestFolder& folder)
{
    const int w = 320, h = 240;
    const TRgbaImage pattern = MakePattern(w, h, false);
    WriteSolidBmp(folder.File("p.bmp"), w, h, 0xC08040);
    WriteBytes(folder.File("p.jpg"), EncodeJpeg(w, h, [](int x, int y) { return uint32_t(x * 997 + y * 131); }));
    TGifLayout gif;
    gif.ScreenWidth = gif.FrameWidth = w;
    gif.ScreenHeight = gif.FrameHeight = h;
    gif.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
                   0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0x808080, 0x404040};
    for (int i = 0; i < w * h; ++i)
        gif.Indices.push_back(static_cast<uint8_t>((i / 16 + i / w / 16) % 16));
    WriteBytes(folder.File("p.gif"), EncodeGif(gif));
    WriteBytes(folder.File("p.png"), EncodePng(MakePattern(w, h, true)));
    WriteBytes(folder.File("p.tga"), EncodeTga(pattern, true));
    WriteBytes(folder.File("p.ppm"), EncodePnm(pattern, true));
    WriteBytes(folder.File("p.psd"), EncodePsd(pattern, false, true));
    WriteBytes(folder.File("p.tif"), EncodeTiff(pattern, false, COMPRESSION_LZW));
    WriteBytes(folder.File("p.pcx"), EncodePcxTrueColour(pattern, false, true));
    WriteSolidBmp(folder.File("back.bmp"), 48, 36, 0x2040C0);
    WriteWholeFile(folder.File("intro.swf"), "FWS\x06 a movie for the fake control");
    WriteWholeFile(folder.File("clip.avi"), SolidAvi(160, 120, 10, 10, 0x00FFFF));
    WriteWholeFile(folder.File("tune.wav"), PcmWav(2000));
    WriteWholeFile(folder.File("ding.wav"), PcmWav(300));
}

// Picture slide n shows effect n; the background goes through solid, the twelve gradient kinds, the desktop,
// the project's picture, the table's picture in its four layouts and tiles; colour keying, titles, text and
// bound sounds come and go.
nlohmann::json PictureSlide(int n)
{
    nlohmann::json data = {{"EffectOn", 1}, {"Step", 8}, {"MusicOn", 1}};
    nlohmann::json slide = {{"filename", kPictures[n % 9]}, {"effect", std::to_string(n) + ";"}};
    switch (n % 6) {
    case 0:
        data.update({{"BackSolidAllowed", 1}, {"SolidColor", 0x102030 + n}});
        break;
    case 1:
    case 2:
        data.update({{"BackGradientAllowed", 1}, {"GradientFromColor", 0x00FF00}, {"GradientToColor", 0x800080}});
        slide["gradientstring"] = std::to_string(n / 3 % kGradientKinds) + ";";
        break;
    case 3:
        data.update({{"BackPictureAllowed", 1}, {"BackFromDesktop", 1}, {"BackLayout", n / 6 % 4}});
        break;
    case 4:
        data.update({{"BackPictureAllowed", 1}, {"BackFromProjectImage", 1}, {"BackLayout", 2}, {"TileCount", 3},
                     {"RandomTiles", n / 6 % 2}});
        break;
    default:
        data.update({{"BackPictureAllowed", 1}, {"BackFromTable", 1}, {"BackLayout", n / 6 % 4}});
        slide["selectedimagebackgroundstring"] = "0;";
        break;
    }
    data["DrawTransparent"] = n % 7 == 0;
    if (n % 2) {
        slide["title"] = "Effect " + std::to_string(n);
        slide["titlefontname"] = "Arial";
        slide["desc"] = "A text block\r\nof two lines";
        data.update({{"TitleShown", 1}, {"TitleFontSize", 24}, {"TitlePosition", n % 10}, {"TitleColor", 0xFFFFFF},
                     {"DescShown", 1}, {"DescFontSize", 12}, {"DescPosition", (n + 3) % 9}});
    }
    if (n % 10 == 5)
        slide["bindsound"] = "ding.wav";
    slide["data"] = data;
    return slide;
}

std::string SoakManifest(int* cycle)
{
    nlohmann::json slides = nlohmann::json::array();
    for (int n = 0; n < kEffects; ++n) {
        slides.push_back(PictureSlide(n));
        if (n % kMediaEvery == kMediaEvery - 1) {
            const int m = n / kMediaEvery;
            slides.push_back({{"filename", "clip.avi"},
                              {"data", {{"MediaType", 2}, {"VideoSizeMode", m % 4}, {"BackSolidAllowed", 1},
                                        {"SolidColor", 0x400000}}}});
            slides.push_back({{"filename", "intro.swf"},
                              {"data", {{"MediaType", 1}, {"FlashEndMode", m % 2 ? 1 : 3}, {"FlashSeconds", 1}}}});
        }
    }
    *cycle = static_cast<int>(slides.size());
    nlohmann::json media = nlohmann::json::array();
    for (const char* p : kPictures)
        media.push_back({{"file", p}});
    for (const char* f : {"back.bmp", "intro.swf", "clip.avi"})
        media.push_back({{"file", f}});
    const nlohmann::json manifest = {
        {"project", {{"projectname", "Soak"},
                     {"data", {{"EmbeddedMedia", 1}, {"EmbeddedMusic", 1}, {"MediaDelay", 1}, {"MusicGap", 1},
                               {"LoopMusic", 1}, {"FitMode", 0}, {"HasPictures", 1}}}}},
        {"media", media},
        {"backimages", {"back.bmp"}},
        {"music", {{{"file", "tune.wav"}}, {{"file", "ding.wav"}, {"type", 2}}}},
        {"slides", slides}};
    return manifest.dump();
}

// A crash, a box or an end of the saver's own: what stops the soak.
std::string TroubleOf(const TProcess& saver)
{
    const std::string crash = CrashOf(saver);
    if (!crash.empty())
        return "the saver " + crash;
    const std::string box = BoxOf(saver.Id());
    if (!box.empty())
        return "the saver shows a box: " + box;
    return saver.Running() ? "" : "the saver ended by itself (exit code " + std::to_string(saver.ExitCode()) + ")";
}

struct TSample {
    double Minutes;
    int Slides;
    TResourceCounts Counts;
};

void PrintRow(const char* label, double minutes, int slides, long long gdi, long long windows, long long handles,
              long long kb)
{
    std::printf("%-8s %7.1f %7d %7lld %8lld %8lld %11lld\n", label, minutes, slides, gdi, windows, handles, kb);
    std::fflush(stdout);
}

// Growth from the first sample after the first full cycle to the last, and the spread in between.
void PrintGrowth(const std::vector<TSample>& samples, int cycle)
{
    const auto base = std::find_if(samples.begin(), samples.end(), [&](const TSample& s) { return s.Slides > cycle; });
    if (base == samples.end() || base + 1 == samples.end()) {
        std::printf("growth: the run ended before a second cycle of %d slides began\n", cycle);
        return;
    }
    const TSample& last = samples.back();
    std::printf("growth after the first full cycle (%d slides, from %.1f to %.1f min, %.1f cycles):\n", cycle,
                base->Minutes, last.Minutes, static_cast<double>(last.Slides - base->Slides) / cycle);
    // One column's change from the base to the last sample, and its highest less its lowest from the base on.
    const auto column = [](const TSample& s, auto field) { return static_cast<long long>(s.Counts.*field); };
    const auto growth = [&](auto field) { return column(last, field) - column(*base, field); };
    const auto spread = [&](auto field) {
        const auto range = std::minmax_element(base, samples.end(), [&](const TSample& a, const TSample& b) {
            return column(a, field) < column(b, field);
        });
        return column(*range.second, field) - column(*range.first, field);
    };
    PrintRow("growth", last.Minutes - base->Minutes, last.Slides - base->Slides,
             growth(&TResourceCounts::GdiObjects), growth(&TResourceCounts::Windows), growth(&TResourceCounts::Handles),
             growth(&TResourceCounts::PrivateBytes) / 1024);
    PrintRow("spread", 0, 0, spread(&TResourceCounts::GdiObjects), spread(&TResourceCounts::Windows),
             spread(&TResourceCounts::Handles), spread(&TResourceCounts::PrivateBytes) / 1024);
}

int Soak(double minutes, int intervalSeconds)
{
    TTestFolder folder("soak");
    WritePictures(folder);
    int cycle = 0;
    std::string scr;
    const TFakeFlashInstalled flash;
    if (!BuildScr(folder, SoakManifest(&cycle), &scr) || !CreateLog(scr) || !flash.Installed) {
        std::printf("soak: could not build the project or register the fake Flash control\n");
        return 1;
    }
    const std::vector<std::string> tempBefore = FolderEntries(TempFolder());
    const TLogFile log(scr);

    TProcess saver(scr, "/s");
    HWND window = nullptr;
    if (!saver.WaitForWindow(&window, 20000)) {
        std::printf("soak: the saver made no window\n");
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, saver.Id());
    std::printf("soak: %d slides a cycle, %.0f min, a sample every %d s\n", cycle, minutes, intervalSeconds);
    std::printf("%-8s %7s %7s %7s %8s %8s %11s\n", "", "min", "slides", "GDI", "windows", "handles", "private KB");

    std::vector<TSample> samples;
    std::string trouble;
    const DWORD start = GetTickCount();
    for (int n = 1; trouble.empty(); ++n) {
        const DWORD due = static_cast<DWORD>(n) * intervalSeconds * 1000;
        while (trouble.empty() && GetTickCount() - start < due) {
            Pause(500);
            trouble = TroubleOf(saver);
        }
        if (!trouble.empty())
            break;
        TSample s{(GetTickCount() - start) / 60000.0, log.Count(kSlideStarted), testsupport::SampleResources(process)};
        samples.push_back(s);
        PrintRow("sample", s.Minutes, s.Slides, s.Counts.GdiObjects, s.Counts.Windows, s.Counts.Handles,
                 static_cast<long long>(s.Counts.PrivateBytes / 1024));
        if (s.Minutes >= minutes)
            break;
    }
    CloseHandle(process);

    int status = 0;
    if (trouble.empty()) {
        SendMouseMove(400, 300);
        SendMouseMove(900, 700);
        if (!saver.WaitExit(5000))
            trouble = "the saver did not close on a mouse move";
    }
    if (!trouble.empty()) {
        std::printf("soak: %s\n%s\n", trouble.c_str(), log.Tail(15).c_str());
        status = 1;
    }
    PrintGrowth(samples, cycle);
    const std::vector<std::string> tempAfter = FolderEntries(TempFolder());
    std::vector<std::string> left;
    std::set_difference(tempAfter.begin(), tempAfter.end(), tempBefore.begin(), tempBefore.end(),
                        std::back_inserter(left));
    // The runtime libraries stay for the next run by design.
    left.erase(std::remove(left.begin(), left.end(), "Ombix.dll"), left.end());
    std::printf("left in the temporary folder (besides the picture library): %s\n", left.empty() ? "nothing" : "");
    for (const std::string& f : left)
        std::printf("  %s\n", f.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 60.0;
    const int interval = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
    return Soak(minutes > 0 ? minutes : 60.0, interval);
}
