#include "TransitionHarness.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "classlib/Application.h"
#include "transitions/EffectKit.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

TThread* TestWindow::StopTarget = nullptr;

namespace {

LRESULT CALLBACK TestWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case TestWindow::kStopMessage:
        if (TestWindow::StopTarget)
            TestWindow::StopTarget->Terminate();
        return 0;
    case WM_PAINT: {
        // The test draws the window itself; a paint must not change it.
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcW(wnd, msg, wp, lp);
    }
}

const wchar_t kClassName[] = L"ZeltTransitionTestWindow";

bool HasClipRegion(HDC dc)
{
    if (!dc)
        return false;
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const int r = GetClipRgn(dc, probe);
    DeleteObject(probe);
    return r == 1;
}

} // namespace

void FillCoordPicture(CComPicture& picture, int w, int h, uint32_t mark)
{
    if (w <= 0 || h <= 0 || !picture.Create(w, h, 0))
        return;
    for (int y = 0; y < h; ++y) {
        uint32_t* row = picture.Bitmap()->ScanLine(y);
        for (int x = 0; x < w; ++x)
            row[x] = CoordPixel(x, y, mark);
    }
}

Snapshot ReadWindow(HWND wnd, int w, int h)
{
    Snapshot s;
    s.Width = w;
    s.Height = h;
    s.Pixels.assign(static_cast<size_t>(w) * h, 0);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    HDC wdc = GetDC(wnd);
    BitBlt(mem, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
    ReleaseDC(wnd, wdc);
    GdiFlush();
    for (size_t i = 0; i < s.Pixels.size(); ++i)
        s.Pixels[i] = static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return s;
}

Snapshot ReadPicture(CComPicture& picture)
{
    Snapshot s;
    if (picture.IsEmpty())
        return s;
    s.Width = picture.Bitmap()->Width();
    s.Height = picture.Bitmap()->Height();
    s.Pixels.reserve(static_cast<size_t>(s.Width) * s.Height);
    for (int y = 0; y < s.Height; ++y) {
        const uint32_t* row = picture.Bitmap()->ScanLine(y);
        for (int x = 0; x < s.Width; ++x)
            s.Pixels.push_back(row[x] & 0xFFFFFF);
    }
    return s;
}

TestWindow::TestWindow(int left, int top, int clientW, int clientH)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    Wnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP | WS_VISIBLE, left, top,
                           clientW, clientH, nullptr, nullptr, wc.hInstance, nullptr);
    if (Wnd_) {
        UpdateWindow(Wnd_);
        Application.ProcessMessages();
    }
}

TestWindow::~TestWindow()
{
    if (Wnd_)
        DestroyWindow(Wnd_);
}

POINT WindowSlot(int program)
{
    const char* shard = std::getenv("GTEST_SHARD_INDEX");
    const int index = program * 8 + (shard ? std::atoi(shard) : 0);
    // A grid of 8 x 6 slots of 150 x 120 pixels in the lower right part of the 1280 x 1024 display.
    return POINT{40 + 150 * (index % 8), 300 + 120 * ((index / 8) % 6)};
}

int RunWithSeam(const TransitionParams& params, TransitionTestSeam& seam)
{
    g_TransitionTestSeam = &seam;
    CTransitionEffects fx;
    fx.LoadParams(params);
    fx.ShowTransition();
    g_TransitionTestSeam = nullptr;
    return fx.Step;
}

TransitionBench::TransitionBench(int clientW, int clientH, POINT screenPos)
    : ClientW(clientW), ClientH(clientH), Window(screenPos.x, screenPos.y, clientW, clientH)
{
    FillCoordPicture(Background, clientW, clientH, kBackgroundMark);
    // A new window may take a while to show on the display (the first one of a fresh desktop above all):
    // wait until what is drawn on it reads back unchanged.
    const Snapshot wanted = ReadPicture(Background);
    for (int tries = 0; tries < 200; ++tries) {
        HDC wdc = GetDC(Window.Handle());
        BitBlt(wdc, 0, 0, clientW, clientH, Background.DC()->Handle(), 0, 0, SRCCOPY);
        ReleaseDC(Window.Handle(), wdc);
        Application.ProcessMessages();
        if (ReadWindow(Window.Handle(), clientW, clientH) == wanted) {
            WindowShows = true;
            break;
        }
        Sleep(50);
    }
}

bool TransitionBench::InPicture(const RunSetup& s, int x, int y) const
{
    return x >= s.X && x < s.X + s.W && y >= s.Y && y < s.Y + s.H;
}

uint32_t TransitionBench::Expected(const RunSetup& s, int x, int y) const
{
    return InPicture(s, x, y) ? CoordPixel(x - s.X, y - s.Y, kPictureMark) : CoordPixel(x, y, kBackgroundMark);
}

RunResult TransitionBench::Run(const RunSetup& s)
{
    RunResult result;
    CComPicture picture;
    FillCoordPicture(picture, s.W, s.H, kPictureMark);
    FillCoordPicture(BackBuffer, ClientW, ClientH, kStaleMark);
    // The window starts out showing stale content too, so the background copy is seen.
    {
        HDC wdc = GetDC(Window.Handle());
        BitBlt(wdc, 0, 0, ClientW, ClientH, BackBuffer.DC()->Handle(), 0, 0, SRCCOPY);
        ReleaseDC(Window.Handle(), wdc);
    }

    if (!WindowShows)
        result.Problems.push_back("the test window does not show on the display");
    TThread thread;
    TestWindow::StopTarget = &thread;
    std::vector<bool> revealed(static_cast<size_t>(ClientW) * ClientH, false);

    auto problem = [&](const std::string& text) {
        if (result.Problems.size() < 5) {
            std::ostringstream o;
            o << "frame " << result.Frames << ": " << text;
            result.Problems.push_back(o.str());
        }
    };

    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.Seed = s.Seed;
    seam.OnPause = [&](int ms) { result.Pauses.push_back(ms); };
    seam.OnFrame = [&](CTransitionEffects& fx) {
        ++result.Frames;
        if (result.Frames > s.FrameCap) {
            problem("frame cap exceeded");
            thread.Terminate();
            return;
        }
        Snapshot buffer = ReadPicture(BackBuffer);
        if (s.CheckFrames) {
            if (HasClipRegion(fx.WindowDC) || HasClipRegion(PictureDC(&BackBuffer)))
                problem("a clip region is left selected between frames");
            if (!(ReadWindow(Window.Handle(), ClientW, ClientH) == buffer))
                problem("window and back buffer differ");
            for (int y = 0; y < ClientH; ++y)
                for (int x = 0; x < ClientW; ++x) {
                    const uint32_t v = buffer.At(x, y);
                    const uint32_t bg = CoordPixel(x, y, kBackgroundMark);
                    const bool inside = InPicture(s, x, y);
                    if (!inside) {
                        if (v != bg) {
                            problem("pixel outside the picture changed at " + std::to_string(x) + "," +
                                    std::to_string(y));
                            return;
                        }
                        continue;
                    }
                    if (s.MovesPicture && v != bg && !IsPicturePixel(v, s.W, s.H)) {
                        problem("pixel " + std::to_string(x) + "," + std::to_string(y) +
                                " shows neither background nor a picture pixel");
                        return;
                    }
                    if (!s.RevealsInPlace)
                        continue;
                    const uint32_t own = Expected(s, x, y);
                    const size_t i = static_cast<size_t>(y) * ClientW + x;
                    if (v == own) {
                        revealed[i] = true;
                    } else if (v != bg || revealed[i]) {
                        problem("pixel " + std::to_string(x) + "," + std::to_string(y) +
                                (v == bg ? " hidden again" : " shows a foreign value"));
                        return;
                    }
                }
        }
        if (result.Frames == 1)
            result.FirstFrame = buffer;
        if (s.KeepFrames)
            result.AllFrames.push_back(buffer);
        result.LastFrame = std::move(buffer);
        if (s.StopAtFrame == result.Frames)
            thread.Terminate();
        if (s.PostStopAtFrame == result.Frames)
            PostMessageW(Window.Handle(), TestWindow::kStopMessage, 0, 0);
    };

    TransitionParams params = {};
    params.Wnd = Window.Handle();
    params.Background = &Background;
    params.Picture = &picture;
    params.BackBuffer = &BackBuffer;
    params.EffectIndex = s.Effect;
    params.EffectsOn = s.EffectsOn ? 1 : 0;
    params.X = s.X;
    params.Y = s.Y;
    params.Step = s.Step;
    params.Thread = &thread;

    RunWithSeam(params, seam);
    TestWindow::StopTarget = nullptr;

    result.EndWindow = ReadWindow(Window.Handle(), ClientW, ClientH);
    result.EndBuffer = ReadPicture(BackBuffer);
    result.LiveRegionsAfter = LiveRegionCount();
    result.LiveTempPicturesAfter = LiveTempPictureCount();
    return result;
}
