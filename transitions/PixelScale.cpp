#include "transitions/PixelScale.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "transitions/ParallelRows.h"

namespace {

// Channels are weighed in 16-bit lanes, eight to an SSE2 register. Weights add up to 256, so a weighted sum of
// 8-bit channels stays within its lane and one multiplication weighs eight channels.
const __m128i kZero = _mm_setzero_si128();
const __m128i kHalf = _mm_set1_epi16(128);  // rounding

// (sum + 128) >> 8 in each lane.
__m128i Rounded(__m128i sum)
{
    return _mm_srli_epi16(_mm_add_epi16(sum, kHalf), 8);
}

// One axis: target sample d covers source samples [d * n / m, (d + 1) * n / m); averaged, each source sample
// it touches weighs its share of that span, in 256ths that add up to exactly 256; else the sample under the
// span's middle weighs all. Every target sample gets Width weights (the unused ones 0), so that the loops
// over them have a fixed length.
struct Taps {
    int Width = 1;
    std::vector<int> First;  // first source sample of each target sample
    std::vector<uint16_t> Weights;  // Width per target sample

    Taps(int n, int m, int from, int to, ScaleFilter filter)
    {
        if (filter == ScaleFilter::Nearest) {
            for (int d = from; d < to; ++d)
                First.push_back(static_cast<int>((int64_t{2} * d + 1) * n / (int64_t{2} * m)));
            Weights.assign(First.size(), 256);
        } else {
            Average(n, m, from, to);
        }
    }
    int Samples() const { return static_cast<int>(First.size()); }
    // One past the last source sample any target sample reads, its unused weights included.
    int End() const { return First.back() + Width; }

private:
    void Average(int n, int m, int from, int to)
    {
        // Every sample's shares one after the other, `Width` found on the way; then laid out Width apart.
        std::vector<uint16_t> shares;
        std::vector<int> counts;
        for (int d = from; d < to; ++d) {
            // Positions in units of 1 / m source samples; the span is n units long.
            const int64_t start = int64_t{d} * n, end = start + n;
            const int first = static_cast<int>(start / m);
            const size_t begin = shares.size();
            int64_t cut = 0;  // 256ths handed out so far
            for (int64_t i = first; i * m < end; ++i) {
                const int64_t upTo = (std::min(end, (i + 1) * m) - start) * 256 / n;
                shares.push_back(static_cast<uint16_t>(upTo - cut));
                cut = upTo;
            }
            // Slivers too thin to weigh at either end are left out.
            size_t lead = begin, tail = shares.size();
            while (lead + 1 < tail && shares[lead] == 0)
                ++lead;
            while (tail > lead + 1 && shares[tail - 1] == 0)
                --tail;
            First.push_back(first + static_cast<int>(lead - begin));
            shares.erase(shares.begin() + tail, shares.end());
            shares.erase(shares.begin() + begin, shares.begin() + lead);
            counts.push_back(static_cast<int>(tail - lead));
            Width = std::max(Width, counts.back());
        }
        Weights.assign(counts.size() * Width, 0);
        auto next = shares.begin();
        for (size_t k = 0; k < counts.size(); next += counts[k], ++k)
            std::copy(next, next + counts[k], Weights.begin() + k * Width);
    }
};

// Taps across, with the tables the horizontal pass reads.
struct AcrossTaps : Taps {
    // The weights again for two target samples at a time: per pair and tap eight lanes, the first sample's
    // weight four times (once per channel of a pixel), then the second's (0 past the last sample).
    std::vector<uint16_t> Pairs;
    // With one weight per target sample: where the runs of target samples that take the same source sample
    // start, and the end.
    std::vector<int> Runs;

    AcrossTaps(int n, int m, int from, int to, ScaleFilter filter) : Taps(n, m, from, to, filter)
    {
        if (Width == 1) {
            for (int j = 0; j < Samples(); ++j)
                if (j == 0 || First[j] != First[j - 1])
                    Runs.push_back(j);
            Runs.push_back(Samples());
        }
        Pairs.assign(static_cast<size_t>(Samples() + 1) / 2 * Width * 8, 0);
        for (size_t j = 0; j < First.size(); ++j)
            for (int t = 0; t < Width; ++t)
                std::fill_n(&Pairs[((j / 2) * Width + t) * 8 + (j % 2) * 4], 4, Weights[j * Width + t]);
    }
};

// Channels [i, i + 16) of the rows, weighed and rounded: the low eight in lo, the high eight in hi. N taps
// weighed by `broadcast` (one register a tap), or for N = 0 `taps` of them weighed by w.
template <int N>
void Blend16(const uint8_t* const* rows, const __m128i* broadcast, const uint16_t* w, int taps, size_t i,
             __m128i& lo, __m128i& hi)
{
    const int n = N > 0 ? N : taps;
    lo = hi = kZero;
#pragma GCC unroll 4
    for (int t = 0; t < n; ++t) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + i));
        const __m128i weight = N > 0 ? broadcast[t] : _mm_set1_epi16(static_cast<short>(w[t]));
        lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(v, kZero), weight));
        hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(v, kZero), weight));
    }
    lo = Rounded(lo);
    hi = Rounded(hi);
}

// The first n channels of the rows weighed by w: as 16-bit lanes into `lanes`, or with `pixels` packed
// straight back to 8-bit channels there.
template <int N>
void BlendRowsOf(const uint8_t* const* rows, const uint16_t* w, int taps, size_t n, uint16_t* lanes,
                 uint8_t* pixels)
{
    __m128i broadcast[N > 0 ? N : 1];
    for (int t = 0; t < N; ++t)
        broadcast[t] = _mm_set1_epi16(static_cast<short>(w[t]));
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i lo, hi;
        Blend16<N>(rows, broadcast, w, taps, i, lo, hi);
        if (pixels) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), _mm_packus_epi16(lo, hi));
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes + i), lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes + i + 8), hi);
        }
    }
    for (; i < n; ++i) {
        unsigned sum = 0;
        for (int t = 0; t < taps; ++t)
            sum += rows[t][i] * unsigned{w[t]};
        if (pixels)
            pixels[i] = static_cast<uint8_t>((sum + 128) >> 8);
        else
            lanes[i] = static_cast<uint16_t>((sum + 128) >> 8);
    }
}

void BlendRows(const uint8_t* const* rows, const uint16_t* w, int taps, size_t n, uint16_t* lanes,
               uint8_t* pixels)
{
    switch (taps) {
    case 1: BlendRowsOf<1>(rows, w, taps, n, lanes, pixels); break;
    case 2: BlendRowsOf<2>(rows, w, taps, n, lanes, pixels); break;
    case 3: BlendRowsOf<3>(rows, w, taps, n, lanes, pixels); break;
    case 4: BlendRowsOf<4>(rows, w, taps, n, lanes, pixels); break;
    default: BlendRowsOf<0>(rows, w, taps, n, lanes, pixels); break;
    }
}

// Four lanes (one pixel) from memory into the low half of a register: kept lanes, or a pixel's 8-bit channels.
__m128i Pixel(const uint16_t* lanes)
{
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes));
}

__m128i Pixel(const uint8_t* channels)
{
    int32_t pixel;
    std::memcpy(&pixel, channels, sizeof pixel);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(pixel), kZero);
}

// A thread's working memory, kept from call to call: when every part of every frame allocated, the heap's lock
// was contended, and under some emulators a contended lock costs a round trip to the system.
struct Scratch {
    std::vector<uint16_t> Lanes;
    std::vector<const uint8_t*> Sources;
};

Scratch& ThreadScratch()
{
    thread_local Scratch scratch;
    return scratch;
}

// Scales rows [first, last) of the clipped box: first down, each row a weighted sum of source rows kept one
// lane per channel, then across.
struct ScaleJob {
    const PixelRect& From;
    const PixelRect& To;
    int ToX, ToY;  // where the clipped box's first column and row lie in `to`
    const AcrossTaps& Across;
    const Taps& Down;

    void Rows(int first, int last) const
    {
        // Source columns the clipped box reads; those past the source's edge (read with weight 0) stay 0.
        const int c0 = Across.First.front();
        const int used = std::min(Across.End(), From.Width) - c0;
        const size_t channels = 4 * static_cast<size_t>(used);
        // Room for the widest unaligned read past the last pixel. What lies past the source's edge is read
        // with weight 0, so what a thread's scratch held before does not matter.
        Scratch& scratch = ThreadScratch();
        scratch.Lanes.resize(std::max(scratch.Lanes.size(), 4 * static_cast<size_t>(Across.End() - c0) + 8));
        uint16_t* lanes = scratch.Lanes.data();
        scratch.Sources.resize(std::max<size_t>(scratch.Sources.size(), Down.Width));
        const uint8_t** sources = scratch.Sources.data();
        // Unscaled across: the box takes the blended rows as they are.
        const bool straight = Across.Width == 1 && Across.Samples() == used;
        const std::vector<int>& runs = Across.Runs;
        for (int k = first; k < last; ++k) {
            const uint16_t* w = &Down.Weights[static_cast<size_t>(k) * Down.Width];
            int taps = Down.Width;
            while (taps > 1 && w[taps - 1] == 0)
                --taps;
            const int row0 = Down.First[k];
            taps = std::max(1, std::min(taps, From.Height - row0));
            uint32_t* out = To.Row(ToY + k) + ToX;
            const uint8_t* src = Bytes(From.Row(row0) + c0);
            // One source row and one source pixel per target pixel: the pixels are taken as they are.
            if (taps == 1 && straight) {
                std::copy(src, src + channels, Bytes(out));
                continue;
            }
            if (taps == 1 && Across.Width == 1) {
                const uint32_t* line = From.Row(row0);
                for (size_t r = 0; r + 1 < runs.size(); ++r)
                    std::fill(out + runs[r], out + runs[r + 1], line[Across.First[runs[r]]]);
                continue;
            }
            // One whole source row: its channels are the lanes the pass down would give (each weighed 256).
            if (taps == 1 && w[0] == 256 && !straight) {
                Across_(src, c0, From.Width - c0, out);
                continue;
            }
            for (int t = 0; t < taps; ++t)
                sources[t] = Bytes(From.Row(row0 + t) + c0);
            if (straight) {
                BlendRows(sources, w, taps, channels, nullptr, Bytes(out));
                continue;
            }
            BlendRows(sources, w, taps, channels, lanes, nullptr);
            Across_(lanes, c0, Across.End() - c0, out);
        }
    }

    // The pass across from lanes of which `readable` pixels may be read.
    template <typename Lane>
    void Across_(const Lane* lanes, int c0, int readable, uint32_t* out) const
    {
        switch (Across.Width) {
        case 1: RowAcross<1>(lanes, c0, readable, out); break;
        case 2: RowAcross<2>(lanes, c0, readable, out); break;
        case 3: RowAcross<3>(lanes, c0, readable, out); break;
        default: RowAcross<0>(lanes, c0, readable, out); break;
        }
    }

    static const uint8_t* Bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }
    static uint8_t* Bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }

    // N weights per target pixel, or Across.Width of them for N = 0; two target pixels at a time while their
    // taps lie within the readable pixels, then one at a time reading only those (the others weigh 0).
    template <int N, typename Lane>
    void RowAcross(const Lane* lanes, int c0, int readable, uint32_t* out) const
    {
        const int n = N > 0 ? N : Across.Width;
        const int count = Across.Samples();
        const __m128i* w = reinterpret_cast<const __m128i*>(Across.Pairs.data());
        int j = 0;
        for (; j + 2 <= count && Across.First[j + 1] - c0 + n <= readable; j += 2, w += n) {
            const Lane* a = lanes + 4 * static_cast<size_t>(Across.First[j] - c0);
            const Lane* b = lanes + 4 * static_cast<size_t>(Across.First[j + 1] - c0);
            __m128i sum = kZero;
#pragma GCC unroll 4
            for (int t = 0; t < n; ++t) {
                const __m128i v = _mm_unpacklo_epi64(Pixel(a + 4 * t), Pixel(b + 4 * t));
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(v, _mm_loadu_si128(w + t)));
            }
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + j), _mm_packus_epi16(Rounded(sum), kZero));
        }
        for (; j < count; ++j) {
            const int first = Across.First[j] - c0;
            const uint16_t* weights = &Across.Weights[static_cast<size_t>(j) * Across.Width];
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                unsigned sum = 0;
                for (int t = 0; t < n && first + t < readable; ++t)
                    sum += unsigned{lanes[4 * static_cast<size_t>(first + t) + c]} * weights[t];
                pixel |= ((sum + 128) >> 8) << (8 * c);
            }
            out[j] = pixel;
        }
    }
};

} // namespace

void ScalePixels(const PixelRect& from, const PixelRect& to, int x, int y, int w, int h, ScaleFilter filter,
                 CParallelRows* rows)
{
    if (from.IsEmpty() || to.IsEmpty() || w <= 0 || h <= 0)
        return;
    // The part of the box inside `to`, in box coordinates.
    const int64_t left = std::max<int64_t>(0, -int64_t{x}), top = std::max<int64_t>(0, -int64_t{y});
    const int64_t right = std::min<int64_t>(w, int64_t{to.Width} - x);
    const int64_t bottom = std::min<int64_t>(h, int64_t{to.Height} - y);
    if (left >= right || top >= bottom)
        return;
    const AcrossTaps across(from.Width, w, static_cast<int>(left), static_cast<int>(right), filter);
    const Taps down(from.Height, h, static_cast<int>(top), static_cast<int>(bottom), filter);
    const ScaleJob job{from, to, static_cast<int>(x + left), static_cast<int>(y + top), across, down};
    const int height = static_cast<int>(bottom - top);
    const auto part = [&](int first, int last) { job.Rows(first, last); };
    if (rows)
        rows->Run(height, int64_t{height} * (right - left), part);
    else
        part(0, height);
}
