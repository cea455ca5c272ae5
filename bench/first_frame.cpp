// Not a test: how soon the first slide is fully on the screen in /s mode, from the program's entry (its
// first log line) and from the process start (Wine's own start-up included), for a project of one slide and
// one of 200 slides with 200 MB of pictures, on a screen of the size given; where the start-up's time goes;
// and the processor time the saver takes while a slide stands.
//
//     first_frame WIDTHxHEIGHT [RUNS]
//
// The screen must have that size (scripts/bench starts an X display of each size it measures). Each project
// runs RUNS times (3 unless told); the best run's steps are printed. The steps are read from the runtime's
// log lines and from the files it writes to its temporary folder (watched from here every millisecond).
#include "tests/e2e/Driver.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace e2e;

namespace {

const uint32_t kFirstColour = 0x3366CC;

long LineTick(const TLogFile& log, const std::string& part)
{
    for (const std::string& line : log.Lines())
        if (line.find(part) != std::string::npos && line[0] == '(')
            return std::strtol(line.c_str() + 1, nullptr, 10);
    return -1;
}

uint32_t CentrePixel()
{
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    return TScreenShot(RECT{x, y, x + 1, y + 1}).Pixel(0, 0);
}

double CpuSeconds(HANDLE process)
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The ticks at which files of the saver's temporary folder first appear and first reach their full size.
class TFileWatch {
public:
    struct TFile {
        std::string Path;
        int64_t Size;
        std::atomic<long> Seen{-1}, Complete{-1};
    };

    TFileWatch(const std::string& folder, const std::vector<std::pair<std::string, int64_t>>& files)
    {
        for (const auto& f : files) {
            Files_.emplace_back(new TFile);
            Files_.back()->Path = folder + "\\" + f.first;
            Files_.back()->Size = f.second;
        }
        Thread_ = std::thread([this] {
            while (!Stop_) {
                for (auto& f : Files_) {
                    const int64_t size = f->Complete < 0 ? FileSize(f->Path) : -1;
                    const long now = static_cast<long>(GetTickCount());
                    if (size >= 0 && f->Seen < 0)
                        f->Seen = now;
                    if (size == f->Size)
                        f->Complete = now;
                }
                Sleep(1);
            }
        });
    }
    ~TFileWatch()
    {
        Stop_ = true;
        Thread_.join();
    }
    const TFile& operator[](size_t i) const { return *Files_[i]; }

private:
    std::vector<std::unique_ptr<TFile>> Files_;
    std::atomic<bool> Stop_{false};
    std::thread Thread_;
};

// One run's ticks, relative to the program's entry.
struct TRun {
    long Shown = -1, ProcessStart = 0, Seen = 0;
    std::vector<std::pair<const char*, long>> Steps;  // each step's name and end, in order
    long DesktopSeen = -1, DesktopComplete = -1;
    double IdlePercent = -1;  // of one core while the slide stands, when measured
};

// The start-up's steps after the runtime libraries, each ending at a log line (the first that contains the text).
const struct {
    const char* Name;
    const char* EndLine;
} kLoggedSteps[] = {
    {"project information, user settings", "start mode : "},
    {"desktop capture", "notify windows a screensaver is running"},
    {"main window, slide records, players", "Media name = "},
    {"picture player, decode, background", "neww="},
    {"picture placed, thread started", "Main form Init Pos"},
    {"window shown, background blitted", "begin a transition show"},
    {"first picture on the window", "end a transition show"},
};

TRun Measure(const std::string& scr, const TTestFolder& folder, int64_t librarySize, bool idle)
{
    CreateLog(scr);
    TLogFile log(scr);
    const std::string temp = folder.File("temp");
    CreateDirectoryA(temp.c_str(), nullptr);
    DeleteFileA((temp + "\\zeltdsk.bmp").c_str());
    DeleteFileA((temp + "\\Ombix.dll").c_str());
    const int64_t desktopSize =
        54 + int64_t{4} * GetSystemMetrics(SM_CXVIRTUALSCREEN) * GetSystemMetrics(SM_CYVIRTUALSCREEN);
    TFileWatch watch(temp, {{"Ombix.dll", librarySize}, {"zeltdsk.bmp", desktopSize}});
    const long start = static_cast<long>(GetTickCount());
    TProcess run(scr, "/s", {"TMP=" + temp, "TEMP=" + temp});
    long seen = 0;
    WaitUntil([&] { return CentrePixel() == kFirstColour && (seen = static_cast<long>(GetTickCount())) != 0; }, 30000,
              "first slide");
    log.WaitForLine("end a transition show", 10000);
    WaitUntil([&] { return watch[1].Complete >= 0; }, 10000, "zeltdsk.bmp");
    TRun r;
    const long entry = LineTick(log, "CMD: ");
    r.Shown = LineTick(log, "end a transition show") - entry;
    r.ProcessStart = start - entry;
    r.Seen = seen - entry;
    const auto since = [entry](long tick) { return tick < 0 ? -1 : tick - entry; };
    // The libraries are written right after the database is opened.
    r.Steps = {{"database open", since(watch[0].Seen)}, {"runtime libraries", since(watch[0].Complete)}};
    for (const auto& step : kLoggedSteps)
        r.Steps.emplace_back(step.Name, LineTick(log, step.EndLine) - entry);
    r.DesktopSeen = since(watch[1].Seen);
    r.DesktopComplete = since(watch[1].Complete);
    if (idle) {
        Pause(1000);
        const double before = CpuSeconds(run.Handle());
        Pause(5000);
        r.IdlePercent = (CpuSeconds(run.Handle()) - before) / 5.0 * 100.0;
    }
    Pause(2600 - std::min<DWORD>(2600, GetTickCount() - static_cast<DWORD>(start)));
    HWND window = nullptr;
    if (run.WaitForWindow(&window, 1000))
        PostClick(window, WM_LBUTTONDOWN, 10, 10);
    run.WaitExit(15000);
    return r;
}

void Report(const char* what, const std::vector<TRun>& runs)
{
    std::string all;
    for (const TRun& r : runs)
        all += (all.empty() ? "" : ", ") + std::to_string(r.Shown);
    const TRun& best = *std::min_element(runs.begin(), runs.end(),
                                         [](const TRun& a, const TRun& b) { return a.Shown < b.Shown; });
    std::printf("%s: first slide %ld ms after the entry (runs: %s); process start %ld ms before the entry, "
                "seen on screen at %ld ms\n",
                what, best.Shown, all.c_str(), -best.ProcessStart, best.Seen);
    long from = 0;
    for (const auto& step : best.Steps) {
        std::printf("  %-40s %5ld ms   (at %4ld)\n", step.first, step.second - from, step.second);
        from = std::max(from, step.second);
    }
    std::printf("  zeltdsk.bmp appeared at %ld ms and was complete at %ld ms\n", best.DesktopSeen,
                best.DesktopComplete);
    for (const TRun& r : runs)
        if (r.IdlePercent >= 0)
            std::printf("  processor while the slide stands: %.2f %% of one core over 5 s\n", r.IdlePercent);
}

// Pictures of 1 MB each (512 x 512, 32 bits), the first one in the colour watched for.
std::string Manifest(const TTestFolder& folder, int slides, int delay)
{
    std::string media, list;
    for (int i = 0; i < slides; ++i) {
        const std::string name = "p" + std::to_string(i) + ".bmp";
        WriteSolidBmp(folder.File(name), 512, 512, i == 0 ? kFirstColour : 0x010203u * static_cast<uint32_t>(i));
        media += std::string(i ? "," : "") + R"({"file": ")" + name + R"("})";
        list += std::string(i ? "," : "") + R"({"filename": ")" + name + R"(", "data": {"EffectOn": 0}})";
    }
    return R"({"project": {"projectname": "FirstFrame", "data": {"EmbeddedMedia": 1, "FitMode": 1, "MediaDelay": )" +
           std::to_string(delay) + R"(}}, "media": [)" + media + R"(], "slides": [)" + list + "]}";
}

} // namespace

int main(int argc, char** argv)
{
    int width = 0, height = 0;
    if (argc < 2 || std::sscanf(argv[1], "%dx%d", &width, &height) != 2) {
        std::printf("usage: first_frame WIDTHxHEIGHT [RUNS]\n");
        return 2;
    }
    if (GetSystemMetrics(SM_CXSCREEN) != width || GetSystemMetrics(SM_CYSCREEN) != height) {
        std::printf("the screen is %dx%d, not %dx%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                    width, height);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    TTestFolder folder("bench_first_frame");
    std::string small, large;
    BuildScr(folder, Manifest(folder, 1, 10), &small, "one.scr");
    BuildScr(folder, Manifest(folder, 200, 10), &large, "many.scr");
    const int64_t librarySize = FileSize(RuntimePath().substr(0, RuntimePath().rfind('\\')) + "\\Ombix.dll");
    std::printf("first slide on screen at %dx%d, best of %d runs\n", width, height, runs);
    for (const auto& project : {std::make_pair(&small, "1 slide"), std::make_pair(&large, "200 slides, 200 MB")}) {
        std::vector<TRun> results;
        for (int i = 0; i < runs; ++i)
            results.push_back(Measure(*project.first, folder, librarySize, project.first == &small && i == 0));
        Report(project.second, results);
    }
    return 0;
}
