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

// Source pixels p0 and p1 interpolated across, each channel in its own byte.
inline uint32_t Across(uint32_t p0, uint32_t p1, int32_t fx, int sx)
{
    return Lerp(p0, p1, 16, fx, sx) << 16 | Lerp(p0, p1, 8, fx, sx) << 8 | Lerp(p0, p1, 0, fx, sx);
}

inline uint32_t Down(uint32_t top, uint32_t bottom, int32_t fy, int sy)
{
    return Lerp(top, bottom, 16, fy, sy) << 16 | Lerp(top, bottom, 8, fy, sy) << 8 | Lerp(top, bottom, 0, fy, sy);
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
    // A source row's interpolation across serves every target row between it and the next, so each is made
    // once for a band of columns and the two a target row needs are kept.
    const int kBand = 256;
    const auto job = [&](int first, int last) {
        uint32_t across0[kBand], across1[kBand];
        for (int band = 0; band < w; band += kBand) {
            const int columns = std::min(kBand, w - band);
            uint32_t* kept[2] = {across0, across1};
            int keptRow[2] = {-1, -1};
            // Source row j interpolated across the band, without giving up the one kept for row `keep`.
            const auto acrossRow = [&](int j, int keep) -> const uint32_t* {
                for (int i = 0; i < 2; ++i)
                    if (keptRow[i] == j)
                        return kept[i];
                const int i = keptRow[0] == keep ? 1 : 0;
                const uint32_t* row = pixels + static_cast<size_t>(j) * sourceStride;
                for (int c = 0; c < columns; ++c)
                    kept[i][c] = Across(row[across.From[band + c]], row[across.To[band + c]], across.Frac[band + c],
                                        across.Shift);
                keptRow[i] = j;
                return kept[i];
            };
            for (int r = first; r < last; ++r) {
                const uint32_t* top = acrossRow(down.From[r], down.To[r]);
                const uint32_t* bottom = acrossRow(down.To[r], down.From[r]);
                uint32_t* out = target + static_cast<size_t>(y + r) * targetStride + x + band;
                for (int c = 0; c < columns; ++c)
                    out[c] = Down(top[c], bottom[c], down.Frac[r], down.Shift);
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
