// The halftone stretch of pictures. Where the platform's halftone is the bilinear interpolation of Wine's
// drawing layer, the program does the same arithmetic itself on a few threads: 32-bit Wine takes about 60 ns a
// target pixel (a 512 x 512 picture fitted to 2160 x 2160 took 130-270 ms of the first slide at 3840 x 2160).
// A small probe stretch through the platform decides each time whether ours gives its pixels; where it does
// not (Windows' own halftone averages), the platform draws.
#include "runtime/Background.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "picture/ComPicture.h"
#include "transitions/ParallelRows.h"

namespace {

// Smaller stretches cost the platform less than the probe does.
constexpr int64_t kOwnPixels = 1 << 18;

// A non-negative number rounded to single precision (24 significant bits, ties to even).
int64_t RoundToFloat(int64_t value)
{
    int bits = 0;
    while (bits < 63 && (value >> bits) != 0)
        ++bits;
    if (bits <= 24)
        return value;
    const int drop = bits - 24;
    int64_t kept = value >> drop;
    const int64_t rest = value & ((int64_t{1} << drop) - 1);
    const int64_t half = int64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    return kept << drop;
}

// One axis of the interpolation: target index i takes source indices From[i] and To[i], the second weighted
// Frac[i] / 2^Shift. The platform steps a source position by the single-precision ratio of the lengths, clamped
// to the source, in x87 registers: every position is exact there (at most 14 integer and 31 fraction bits), so
// the same integers give it. Down the rows it keeps the position in single precision between steps
// (stored), across a row in the register.
struct TAxis {
    std::vector<int> From, To;
    std::vector<int32_t> Frac;
    int Shift = 0;

    bool Make(int sourceLength, int targetLength, bool stored)
    {
        const float step = static_cast<float>(static_cast<double>(sourceLength) / targetLength);
        int exponent = 0;
        const float mantissa = std::frexp(step, &exponent);
        Shift = 24 - exponent;
        if (Shift < 1 || Shift > 31 || sourceLength > (1 << 14))
            return false;
        const int64_t increment = static_cast<int64_t>(std::ldexp(mantissa, 24));
        const int last = sourceLength - 1;
        const int64_t high = int64_t{last} << Shift;
        From.resize(static_cast<size_t>(targetLength));
        To.resize(From.size());
        Frac.resize(From.size());
        int64_t position = 0;
        for (size_t i = 0; i < From.size(); ++i) {
            position = std::min(position, high);
            From[i] = static_cast<int>(position >> Shift);
            To[i] = std::min(From[i] + 1, last);
            Frac[i] = static_cast<int32_t>(position & ((int64_t{1} << Shift) - 1));
            position = (stored ? RoundToFloat(position) : position) + increment;
        }
        return true;
    }
};

// trunc(a + (b - a) x frac + 0.5) of one 8-bit channel at bit `at`; exact in the platform's registers.
inline uint32_t Lerp(uint32_t a, uint32_t b, int at, int32_t frac, int shift)
{
    const int32_t from = static_cast<int32_t>((a >> at) & 0xFF);
    const int32_t to = static_cast<int32_t>((b >> at) & 0xFF);
    return static_cast<uint32_t>(from + ((int64_t{to - from} * frac + (int64_t{1} << (shift - 1))) >> shift));
}

inline uint32_t Channel(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, int at, int32_t fx, int sx, int32_t fy,
                        int sy)
{
    const uint32_t top = Lerp(p00, p01, at, fx, sx);
    const uint32_t bottom = Lerp(p10, p11, at, fx, sx);
    return Lerp(top, bottom, 0, fy, sy) << at;
}

bool Inside(const CComPicture* picture, int x, int y, int w, int h)
{
    return picture && !picture->IsEmpty() && w > 1 && h > 1 && x >= 0 && y >= 0 &&
           x + w <= picture->Bitmap()->Width() && y + h <= picture->Bitmap()->Height();
}

// The source's (0, 0, sw, sh) bilinear into (x, y, w, h) of dest; false, with nothing drawn, for a stretch
// whose positions would not be exact, and for none at all (the platform copies those, top bytes included).
bool OwnHalftone(CComPicture* dest, int x, int y, int w, int h, CComPicture* source, int sw, int sh,
                 CParallelRows* rows)
{
    TAxis across, down;
    if ((sw == w && sh == h) || !Inside(dest, x, y, w, h) || !Inside(source, 0, 0, sw, sh) || !across.Make(sw, w, false) ||
        !down.Make(sh, h, true))
        return false;
    uint32_t* const target = dest->Bitmap()->ScanLine(0);
    const uint32_t* const pixels = source->Bitmap()->ScanLine(0);
    const size_t targetStride = static_cast<size_t>(dest->Bitmap()->Width());
    const size_t sourceStride = static_cast<size_t>(source->Bitmap()->Width());
    const auto job = [&](int first, int last) {
        for (int r = first; r < last; ++r) {
            const uint32_t* row0 = pixels + static_cast<size_t>(down.From[r]) * sourceStride;
            const uint32_t* row1 = pixels + static_cast<size_t>(down.To[r]) * sourceStride;
            uint32_t* out = target + static_cast<size_t>(y + r) * targetStride + x;
            const int32_t fy = down.Frac[r];
            for (int c = 0; c < w; ++c) {
                const int x0 = across.From[c], x1 = across.To[c];
                const int32_t fx = across.Frac[c];
                const uint32_t p00 = row0[x0], p01 = row0[x1], p10 = row1[x0], p11 = row1[x1];
                out[c] = Channel(p00, p01, p10, p11, 16, fx, across.Shift, fy, down.Shift) |
                         Channel(p00, p01, p10, p11, 8, fx, across.Shift, fy, down.Shift) |
                         Channel(p00, p01, p10, p11, 0, fx, across.Shift, fy, down.Shift);
            }
        }
    };
    if (rows)
        rows->Run(h, int64_t{w} * h, job);
    else
        job(0, h);
    return true;
}

void PlatformHalftone(CDC* dest, int x, int y, int w, int h, CComPicture* source, int sw, int sh)
{
    const int previous = dest->SetStretchBltMode(HALFTONE);
    dest->StretchBlt(x, y, w, h, source->DC(), 0, 0, sw, sh, SRCCOPY);
    dest->SetStretchBltMode(previous);
}

// Whether ours gives the platform's pixels: stretches of a varied picture, enlarging and shrinking, and long
// along each axis, where positions lose bits (about 2 ms of the platform's time).
bool PlatformIsBilinear()
{
    const int kSide = 37;
    CComPicture source;
    if (!source.Create(kSide, kSide, 0))
        return false;
    uint32_t seed = 0x9E3779B9u;
    for (int r = 0; r < kSide; ++r) {
        uint32_t* row = source.Bitmap()->ScanLine(r);
        for (int c = 0; c < kSide; ++c) {
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            row[c] = seed & 0xFFFFFF;
        }
    }
    const struct {
        int W, H, SourceW, SourceH;
    } probes[] = {{101, 67, 37, 29}, {23, 17, 37, 29}, {1200, 9, 9, 9}, {9, 1200, 9, 9}};
    for (const auto& p : probes) {
        CComPicture platform, own;
        if (!platform.Create(p.W, p.H, 0) || !own.Create(p.W, p.H, 0))
            return false;
        PlatformHalftone(platform.DC(), 0, 0, p.W, p.H, &source, p.SourceW, p.SourceH);
        if (!OwnHalftone(&own, 0, 0, p.W, p.H, &source, p.SourceW, p.SourceH, nullptr))
            return false;
        for (int r = 0; r < p.H; ++r)
            if (!std::equal(own.Bitmap()->ScanLine(r), own.Bitmap()->ScanLine(r) + p.W, platform.Bitmap()->ScanLine(r)))
                return false;
    }
    return true;
}

} // namespace

void HalftoneStretch(CComPicture* dest, int x, int y, int w, int h, CComPicture* source, int sw, int sh,
                     CParallelRows* helpers)
{
    if (!dest || dest->IsEmpty() || !source || source->IsEmpty())
        return;
    if (int64_t{w} * h >= kOwnPixels && PlatformIsBilinear()) {
        CParallelRows own;
        if (OwnHalftone(dest, x, y, w, h, source, sw, sh, helpers ? helpers : &own))
            return;
    }
    PlatformHalftone(dest->DC(), x, y, w, h, source, sw, sh);
}
