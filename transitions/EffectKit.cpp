#include "transitions/EffectKit.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Thread.h"
#include "data/Random.h"
#include "transitions/TransitionTestSeam.h"

namespace {

// Pieces from this size on (8 MiB) are copied to the back buffer by the workers. Handing a smaller piece over
// costs more than it saves: waking a thread can take a millisecond on a loaded machine.
constexpr int64_t kDirectPixels = 1 << 21;

int g_LiveRegions = 0;
int g_LiveTempPictures = 0;

HDC BackBufferDC(const CTransitionEffects& fx)
{
    return PictureDC(fx.BackBuffer);
}

// Copies the picture through a clip region on one target, then removes the clip.
void CopyClipped(HDC target, HRGN clip, const CTransitionEffects& fx, HDC source)
{
    if (!target)
        return;
    SelectClipRgn(target, clip);
    ::BitBlt(target, fx.X, fx.Y, fx.PictureWidth, fx.PictureHeight, source, 0, 0, SRCCOPY);
    SelectClipRgn(target, nullptr);
}

} // namespace

int LiveRegionCount()
{
    return g_LiveRegions;
}

int LiveTempPictureCount()
{
    return g_LiveTempPictures;
}

CRegion::CRegion() : CRegion(0, 0, 0, 0) {}

CRegion::CRegion(int left, int top, int right, int bottom)
{
    Adopt(CreateRectRgn(left, top, right, bottom));
}

CRegion::~CRegion()
{
    Adopt(nullptr);
}

void CRegion::Adopt(HRGN region)
{
    if (Handle_) {
        DeleteObject(Handle_);
        --g_LiveRegions;
    }
    Handle_ = region;
    if (Handle_)
        ++g_LiveRegions;
}

void CRegion::AddRect(int left, int top, int right, int bottom)
{
    // GDI would turn an inverted rectangle around; such a rectangle adds nothing here.
    if (left >= right || top >= bottom)
        return;
    CRegion piece(left, top, right, bottom);
    Add(piece);
}

void CRegion::Add(const CRegion& other)
{
    if (Handle_ && other.Handle_)
        CombineRgn(Handle_, Handle_, other.Handle_, RGN_OR);
}

void CRegion::Subtract(const CRegion& other)
{
    if (Handle_ && other.Handle_)
        CombineRgn(Handle_, Handle_, other.Handle_, RGN_DIFF);
}

CTempPicture::CTempPicture(int width, int height)
{
    Made_ = width > 0 && height > 0 && Picture_.Create(width, height, 0) != 0 && Handle() != nullptr;
    if (Made_)
        ++g_LiveTempPictures;
}

CTempPicture::~CTempPicture()
{
    if (Made_)
        --g_LiveTempPictures;
}

HDC CTempPicture::Handle() const
{
    return PictureDC(&Picture_);
}

HDC PictureDC(const CComPicture* picture)
{
    if (!picture || picture->IsEmpty() || !picture->DC())
        return nullptr;
    return picture->DC()->Handle();
}

bool ClipToPicture(const CTransitionEffects& fx, int& x, int& y, int& w, int& h)
{
    const int right = std::min(x + w, fx.PictureWidth);
    const int bottom = std::min(y + h, fx.PictureHeight);
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = right - x;
    h = bottom - y;
    return w > 0 && h > 0;
}

PixelRect PixelsOf(const CComPicture* picture)
{
    PixelRect r;
    if (!picture || picture->IsEmpty())
        return r;
    TBitmap& bitmap = *picture->Bitmap();
    r.Bits = bitmap.ScanLine(0);  // also finishes pending drawing
    r.Width = bitmap.Width();
    r.Height = bitmap.Height();
    r.Stride = bitmap.Width();  // a 32-bit top-down DIB: rows follow each other
    return r;
}

float RatioOf(int num, int den)
{
    if (den == 0)
        return 0.0f;
    // Single-precision division of the two exactly held integers.
    volatile float n = static_cast<float>(num);
    volatile float d = static_cast<float>(den);
    return n / d;
}

int ScaleBy(float ratio, int value)
{
    return static_cast<int>(static_cast<double>(ratio) * static_cast<double>(value));
}

void CopyToTargets(CTransitionEffects& fx, const CComPicture* picture, int sx, int sy, int w, int h, int tx, int ty)
{
    HDC source = PictureDC(picture);
    if (!source || w <= 0 || h <= 0)
        return;
    HDC buffer = BackBufferDC(fx);
    // The back buffer takes the pixels itself when the piece is large and lies inside the source, the drawing
    // layer's clipping being the same as cutting the target rectangle to the back buffer.
    PixelRect from, to;
    int bx = tx, by = ty, bw = w, bh = h, bsx = sx, bsy = sy;
    if (buffer && int64_t{w} * h >= kDirectPixels) {
        to = PixelsOf(fx.BackBuffer);
        const int skipX = std::max(0, -bx), skipY = std::max(0, -by);
        bx += skipX, bsx += skipX, bw -= skipX;
        by += skipY, bsy += skipY, bh -= skipY;
        bw = std::min(bw, to.Width - bx);
        bh = std::min(bh, to.Height - by);
        from = PixelsOf(picture);
        if (bsx < 0 || bsy < 0 || bsx + bw > from.Width || bsy + bh > from.Height)
            from = PixelRect();
    }
    const std::function<void(int, int)> rows = [&](int first, int last) {
        for (int r = first; r < last; ++r)
            std::copy_n(from.Row(bsy + r) + bsx, bw, to.Row(by + r) + bx);
    };
    const bool direct = !from.IsEmpty() && !to.IsEmpty();
    if (direct && bw > 0 && bh > 0)
        fx.Workers.Begin(bh, int64_t{bw} * bh, rows);
    if (fx.WindowDC)
        ::BitBlt(fx.WindowDC, tx, ty, w, h, source, sx, sy, SRCCOPY);
    if (direct)
        fx.Workers.Finish();
    else if (buffer)
        ::BitBlt(buffer, tx, ty, w, h, source, sx, sy, SRCCOPY);
}

void CopyPieceFrom(CTransitionEffects& fx, const CComPicture* source, int x, int y, int w, int h)
{
    if (ClipToPicture(fx, x, y, w, h))
        CopyToTargets(fx, source, x, y, w, h, fx.X + x, fx.Y + y);
}

void CopyPiece(CTransitionEffects& fx, int x, int y, int w, int h)
{
    CopyPieceFrom(fx, fx.Picture, x, y, w, h);
}

void CopyRows(CTransitionEffects& fx, int from, int to)
{
    CopyPiece(fx, 0, from, fx.PictureWidth, to - from);
}

void CopyColumns(CTransitionEffects& fx, int from, int to)
{
    CopyPiece(fx, from, 0, to - from, fx.PictureHeight);
}

void CopyRegion(CTransitionEffects& fx, const CRegion& region)
{
    HDC source = PictureDC(fx.Picture);
    if (!source || !region.Handle())
        return;
    CRegion clip(0, 0, fx.PictureWidth, fx.PictureHeight);
    if (!clip.Handle())
        return;
    CombineRgn(clip.Handle(), clip.Handle(), region.Handle(), RGN_AND);
    OffsetRgn(clip.Handle(), fx.X, fx.Y);
    // The back buffer takes the region's rectangles itself (on the workers when they hold many pixels) while
    // the window takes its copy through the clip: walking thousands of rectangles twice in the drawing layer
    // was most of a frame.
    const PixelRect picture = PixelsOf(fx.Picture), buffer = PixelsOf(fx.BackBuffer);
    std::vector<RECT> rects;
    if (!picture.IsEmpty() && !buffer.IsEmpty())
        if (const DWORD size = GetRegionData(clip.Handle(), 0, nullptr)) {
            std::vector<char> data(size);
            RGNDATA* rgn = reinterpret_cast<RGNDATA*>(data.data());
            if (GetRegionData(clip.Handle(), size, rgn) == size) {
                const RECT* r = reinterpret_cast<const RECT*>(rgn->Buffer);
                rects.assign(r, r + rgn->rdh.nCount);
            }
        }
    if (rects.empty()) {
        CopyClipped(fx.WindowDC, clip.Handle(), fx, source);
        CopyClipped(BackBufferDC(fx), clip.Handle(), fx, source);
        return;
    }
    int64_t pixels = 0;
    for (RECT& r : rects) {
        r.left = std::max<LONG>(r.left, 0), r.top = std::max<LONG>(r.top, 0);
        r.right = std::min<LONG>(r.right, buffer.Width), r.bottom = std::min<LONG>(r.bottom, buffer.Height);
        pixels += r.left < r.right && r.top < r.bottom ? int64_t{r.right - r.left} * (r.bottom - r.top) : 0;
    }
    const std::function<void(int, int)> copy = [&](int first, int last) {
        for (int i = first; i < last; ++i) {
            const RECT& r = rects[static_cast<size_t>(i)];
            for (LONG y = r.top; y < r.bottom && r.left < r.right; ++y)
                std::copy_n(picture.Row(y - fx.Y) + (r.left - fx.X), r.right - r.left, buffer.Row(y) + r.left);
        }
    };
    fx.Workers.Begin(static_cast<int>(rects.size()), pixels, copy);
    CopyClipped(fx.WindowDC, clip.Handle(), fx, source);
    fx.Workers.Finish();
}

void SeedFromClock()
{
    if (g_TransitionTestSeam && g_TransitionTestSeam->FixedSeed)
        rtl::srand(g_TransitionTestSeam->Seed);
    else
        rtl::srand(static_cast<unsigned>(std::time(nullptr)));
}

bool EndFrame(CTransitionEffects& fx, int pauseMs)
{
    if (g_TransitionTestSeam && g_TransitionTestSeam->OnFrame)
        g_TransitionTestSeam->OnFrame(fx);
    Application.ProcessMessages();
    if (fx.Thread && fx.Thread->Terminated)
        return false;
    Pause(fx, pauseMs);
    return true;
}

void Pause(CTransitionEffects& fx, int ms)
{
    if (ms <= 0)
        return;
    if (g_TransitionTestSeam && g_TransitionTestSeam->WatchPause)
        g_TransitionTestSeam->WatchPause(ms);
    if (g_TransitionTestSeam && g_TransitionTestSeam->OnPause) {
        g_TransitionTestSeam->OnPause(ms);
        return;
    }
    LARGE_INTEGER freq, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&now);
    const int64_t stall = freq.QuadPart / 10;
    if (fx.PauseDue == 0 || now.QuadPart - fx.PauseDue > stall)
        fx.PauseDue = now.QuadPart;
    fx.PauseDue += freq.QuadPart * ms / 1000;
    const int64_t left = fx.PauseDue - now.QuadPart;
    if (left > 0)
        Sleep(static_cast<DWORD>(left * 1000 / freq.QuadPart));
}
