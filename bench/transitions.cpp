// Not a test: how far drawing stretches the designed duration of each effect.
// For every effect (or the numbers given after the step) it runs one transition of a 1920 x 1080
// picture on a 1920 x 1080 window with real pauses and prints the frames, the sum of the designed pauses,
// the wall time and their ratio, then the worst ratio. Run it on a display of at least 1920 x 1080.
// Usage: transitions [step [effect ...]]   (step defaults to 16)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Thread.h"
#include "picture/ComPicture.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

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
bool MakePattern(CComPicture& picture, uint32_t salt)
{
    if (!picture.Create(kWidth, kHeight, 0))
        return false;
    for (int y = 0; y < kHeight; ++y) {
        uint32_t* row = picture.Bitmap()->ScanLine(y);
        for (int x = 0; x < kWidth; ++x)
            row[x] = ((x * 7 + salt) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x ^ y ^ salt) & 0xFF);
    }
    return true;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

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
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, wc.hInstance, nullptr);
    CComPicture background, picture, buffer;
    if (!wnd || !MakePattern(background, 0) || !MakePattern(picture, 0x5A) || !MakePattern(buffer, 0)) {
        std::printf("cannot make the window or the pictures\n");
        return 1;
    }
    Application.ProcessMessages();

    int frames = 0;
    long long pauses = 0;
    TransitionTestSeam seam;
    seam.OnFrame = [&](CTransitionEffects&) { ++frames; };
    seam.WatchPause = [&](int ms) { pauses += ms; };
    g_TransitionTestSeam = &seam;

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    double worst = 0;
    int worstEffect = -1;
    std::printf("step %d, %d x %d\n%4s %-34s %7s %10s %10s %7s\n", step, kWidth, kHeight, "no", "name", "frames",
                "pauses ms", "wall ms", "ratio");
    for (int effect : effects) {
        TThread thread;
        TransitionParams params = {};
        params.Wnd = wnd;
        params.Background = &background;
        params.Picture = &picture;
        params.BackBuffer = &buffer;
        params.EffectIndex = effect;
        params.EffectsOn = 1;
        params.Step = step;
        params.Thread = &thread;
        frames = 0;
        pauses = 0;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        {
            CTransitionEffects fx;
            fx.LoadParams(params);
            fx.ShowTransition();
        }
        GdiFlush();
        QueryPerformanceCounter(&end);
        const double wallMs = Seconds(start, end, freq) * 1000.0;
        const double ratio = pauses > 0 ? wallMs / static_cast<double>(pauses) : 0.0;
        std::printf("%4d %-34s %7d %10lld %10.1f %7.3f\n", effect,
                    effect >= 0 && effect < kEffectCount ? g_EffectNames[effect] : "?", frames, pauses, wallMs, ratio);
        std::fflush(stdout);
        if (ratio > worst) {
            worst = ratio;
            worstEffect = effect;
        }
    }
    std::printf("worst ratio %.3f (effect %d)\n", worst, worstEffect);
    g_TransitionTestSeam = nullptr;
    DestroyWindow(wnd);
    return 0;
}
