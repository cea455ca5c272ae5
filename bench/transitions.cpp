// Not a test: how far drawing stretches the designed duration of each effect.
// For every effect (or the numbers given after the step) it runs one transition at each size below, a picture
// of that size on a window of that size with real pauses, and prints side by side per size the frames, the
// sum of the designed pauses, the wall time and their ratio; then the worst ratio at each size. Run it on a
// display of at least 3840 x 2160.
// Usage: transitions [step [effect ...]]   (step defaults to 16)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Thread.h"
#include "picture/ComPicture.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

namespace {

struct Size {
    int W, H;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};
constexpr int kSizeCount = sizeof kSizes / sizeof kSizes[0];

LRESULT CALLBACK BenchWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ERASEBKGND)
        return 1;
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

// A picture with some structure in every pixel so no copy can be skipped by the drawing layer.
bool MakePattern(CComPicture& picture, Size size, uint32_t salt)
{
    if (!picture.Create(size.W, size.H, 0))
        return false;
    for (int y = 0; y < size.H; ++y) {
        uint32_t* row = picture.Bitmap()->ScanLine(y);
        for (int x = 0; x < size.W; ++x)
            row[x] = ((x * 7 + salt) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x ^ y ^ salt) & 0xFF);
    }
    return true;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The window and the three pictures of one size. Each size keeps its own window, so that no run pays for a
// window's pixels being made anew.
struct Stage {
    Size Size_;
    HWND Wnd = nullptr;
    CComPicture Background, Picture, Buffer;

    bool Make(const wchar_t* windowClass)
    {
        Wnd = CreateWindowExW(0, windowClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, Size_.W, Size_.H, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        return Wnd && MakePattern(Background, Size_, 0) && MakePattern(Picture, Size_, 0x5A) &&
               MakePattern(Buffer, Size_, 0);
    }
    ~Stage()
    {
        if (Wnd)
            DestroyWindow(Wnd);
    }
};

struct Figures {
    int Frames = 0;
    long long Pauses = 0;
    double WallMs = 0;
    double Ratio() const { return Pauses > 0 ? WallMs / static_cast<double>(Pauses) : 0.0; }
};

} // namespace

int main(int argc, char** argv)
{
    const int step = argc > 1 ? std::atoi(argv[1]) : 16;
    std::vector<int> effects;
    for (int i = 2; i < argc; ++i)
        effects.push_back(std::atoi(argv[i]));
    if (effects.empty())
        for (int n = 0; n < kEffectCount; ++n)
            effects.push_back(n);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZeltTransitionBench";
    RegisterClassW(&wc);
    std::vector<std::unique_ptr<Stage>> stages;
    for (const Size& size : kSizes) {
        stages.push_back(std::make_unique<Stage>());
        stages.back()->Size_ = size;
        if (!stages.back()->Make(wc.lpszClassName)) {
            std::printf("cannot make the window or the pictures of %d x %d\n", size.W, size.H);
            return 1;
        }
    }

    Figures current;
    TransitionTestSeam seam;
    seam.OnFrame = [&](CTransitionEffects&) { ++current.Frames; };
    seam.WatchPause = [&](int ms) { current.Pauses += ms; };
    g_TransitionTestSeam = &seam;

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    double worst[kSizeCount] = {};
    int worstEffect[kSizeCount];
    std::printf("step %d\n%4s %-34s", step, "no", "name");
    for (const Size& size : kSizes) {
        char title[32];
        std::snprintf(title, sizeof title, "%d x %d", size.W, size.H);
        std::printf(" | %-35s", title);
    }
    std::printf("\n%4s %-34s", "", "");
    for (int i = 0; i < kSizeCount; ++i)
        std::printf(" | %6s %9s %9s %7s", "frames", "pauses ms", "wall ms", "ratio");
    std::printf("\n");
    // The process's first drawing pays for memory, threads and device contexts made on first use: an untimed
    // run of the first effect at each size keeps that out of the first row.
    const auto run = [&](Stage& stage, int effect) {
        SetWindowPos(stage.Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        Application.ProcessMessages();
        TThread thread;
        TransitionParams params = {};
        params.Wnd = stage.Wnd;
        params.Background = &stage.Background;
        params.Picture = &stage.Picture;
        params.BackBuffer = &stage.Buffer;
        params.EffectIndex = effect;
        params.EffectsOn = 1;
        params.Step = step;
        params.Thread = &thread;
        current = Figures();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        {
            CTransitionEffects fx;
            fx.LoadParams(params);
            fx.ShowTransition();
        }
        GdiFlush();
        QueryPerformanceCounter(&end);
        current.WallMs = Seconds(start, end, freq) * 1000.0;
    };
    for (auto& stage : stages)
        run(*stage, effects.front());
    for (int effect : effects) {
        std::printf("%4d %-34s", effect, effect >= 0 && effect < kEffectCount ? g_EffectNames[effect] : "?");
        for (int i = 0; i < kSizeCount; ++i) {
            run(*stages[i], effect);
            std::printf(" | %6d %9lld %9.1f %7.3f", current.Frames, current.Pauses, current.WallMs, current.Ratio());
            std::fflush(stdout);
            if (current.Ratio() > worst[i]) {
                worst[i] = current.Ratio();
                worstEffect[i] = effect;
            }
        }
        std::printf("\n");
    }
    for (int i = 0; i < kSizeCount; ++i)
        std::printf("worst ratio at %d x %d: %.3f (effect %d)\n", kSizes[i].W, kSizes[i].H, worst[i],
                    worst[i] > 0 ? worstEffect[i] : -1);
    g_TransitionTestSeam = nullptr;
    return 0;
}
