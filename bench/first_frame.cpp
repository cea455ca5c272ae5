// Not a test: how soon the first slide is fully on the screen in /s mode, from the program's entry (its
// first log line) and from the process start (Wine's own start-up included), for a project of one slide and
// one of 200 slides with 200 MB of pictures; and the processor time the saver takes while a slide stands.
#include "tests/e2e/Driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// One run: the first frame's times, then (when asked) the processor share while that slide stands.
void Measure(const std::string& scr, const char* what, bool idle)
{
    CreateLog(scr);
    TLogFile log(scr);
    const DWORD start = GetTickCount();
    TProcess run(scr, "/s");
    DWORD seen = 0;
    WaitUntil([&] { return CentrePixel() == kFirstColour && (seen = GetTickCount()) != 0; }, 30000, "first slide");
    log.WaitForLine("end a transition show", 10000);
    const long entry = LineTick(log, "CMD: ");
    const long shown = LineTick(log, "end a transition show");
    std::printf("%-36s from entry %5ld ms   from process start %5ld ms   seen on screen %5ld ms after start\n", what,
                shown - entry, shown - static_cast<long>(start), static_cast<long>(seen - start));
    if (idle) {
        Pause(1000);
        const double before = CpuSeconds(run.Handle());
        Pause(5000);
        std::printf("%-36s %.2f %% of one core over 5 s between transitions\n", "processor while a slide stands",
                    (CpuSeconds(run.Handle()) - before) / 5.0 * 100.0);
    }
    Pause(2600 - std::min<DWORD>(2600, GetTickCount() - start));
    HWND window = nullptr;
    if (run.WaitForWindow(&window, 1000))
        PostClick(window, WM_LBUTTONDOWN, 10, 10);
    run.WaitExit(15000);
}

} // namespace

int main()
{
    TTestFolder folder("bench_first_frame");
    std::string small, large;
    BuildScr(folder, Manifest(folder, 1, 10), &small, "one.scr");
    BuildScr(folder, Manifest(folder, 200, 10), &large, "many.scr");
    std::printf("first slide on screen, goal under 300 ms from entry and the same for both projects\n");
    Measure(small, "1 slide", true);
    Measure(large, "200 slides, 200 MB of pictures", false);
    return 0;
}
