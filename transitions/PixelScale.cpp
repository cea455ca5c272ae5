#include "transitions/PixelScale.h"

#include <emmintrin.h>

#include <algorithm>
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
    std::vector<uint16_t> Lanes;  // the weights again, each four times: one for each channel of a pixel

    Taps(int n, int m, int from, int to, ScaleFilter filter)
    {
        if (filter == ScaleFilter::Nearest) {
            for (int d = from; d < to; ++d)
                First.push_back(static_cast<int>((int64_t{2} * d + 1) * n / (int64_t{2} * m)));
            Weights.assign(First.size(), 256);
        } else {
            Average(n, m, from, to);
        }
        for (uint16_t w : Weights)
            Lanes.insert(Lanes.end(), 4, w);
    }
    int Samples() const { return static_cast<int>(First.size()); }
    // One past the last source sample any target sample reads, its unused weights included.
    int End() const { return First.back() + Width; }

private:
    void Average(int n, int m, int from, int to)
    {
        std::vector<std::vector<uint16_t>> shares;
        for (int d = from; d < to; ++d) {
            // Positions in units of 1 / m source samples; the span is n units long.
            const int64_t start = int64_t{d} * n, end = start + n;
            const int first = static_cast<int>(start / m);
            int64_t cut = 0;  // 256ths handed out so far
            std::vector<uint16_t> share;
            for (int64_t i = first; i * m < end; ++i) {
                const int64_t upTo = (std::min(end, (i + 1) * m) - start) * 256 / n;
                share.push_back(static_cast<uint16_t>(upTo - cut));
                cut = upTo;
            }
            // Slivers too thin to weigh at either end are left out.
            size_t lead = 0, tail = share.size();
            while (lead + 1 < tail && share[lead] == 0)
                ++lead;
            while (tail > lead + 1 && share[tail - 1] == 0)
                --tail;
            First.push_back(first + static_cast<int>(lead));
            shares.emplace_back(share.begin() + lead, share.begin() + tail);
            Width = std::max(Width, static_cast<int>(tail - lead));
        }
        Weights.assign(shares.size() * Width, 0);
        for (size_t k = 0; k < shares.size(); ++k)
            std::copy(shares[k].begin(), shares[k].end(), Weights.begin() + k * Width);
    }
};

// out[i] = the rows' channels i weighed by w, for i < n.
void BlendRows(const uint8_t* const* rows, const uint16_t* w, int taps, size_t n, uint16_t* out)
{
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i lo = kZero, hi = kZero;
        for (int t = 0; t < taps; ++t) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + i));
            const __m128i weight = _mm_set1_epi16(static_cast<short>(w[t]));
            lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(v, kZero), weight));
            hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(v, kZero), weight));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), Rounded(lo));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), Rounded(hi));
    }
    for (; i < n; ++i) {
        unsigned sum = 0;
        for (int t = 0; t < taps; ++t)
            sum += rows[t][i] * unsigned{w[t]};
        out[i] = static_cast<uint16_t>((sum + 128) >> 8);
    }
}

// Four lanes (one pixel) from memory into the low half of a register.
__m128i Pixel(const uint16_t* lanes)
{
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes));
}

// Scales rows [first, last) of the clipped box: first down, each row a weighted sum of source rows kept one
// lane per channel, then across.
struct ScaleJob {
    const PixelRect& From;
    const PixelRect& To;
    int ToX, ToY;  // where the clipped box's first column and row lie in `to`
    const Taps& Across;
    const Taps& Down;

    void Rows(int first, int last) const
    {
        // Source columns the clipped box reads; those past the source's edge (read with weight 0) stay 0.
        const int c0 = Across.First.front();
        const int used = std::min(Across.End(), From.Width) - c0;
        const size_t channels = 4 * static_cast<size_t>(used);
        // Room for the widest unaligned read past the last pixel.
        std::vector<uint16_t> lanes(4 * static_cast<size_t>(Across.End() - c0) + 8, 0);
        // Unscaled across: the box takes the blended rows as they are.
        const bool straight = Across.Width == 1 && Across.Samples() == used;
        // Where the runs of target pixels that take the same source pixel start, and the end.
        std::vector<int> runs;
        if (Across.Width == 1) {
            for (int j = 0; j < Across.Samples(); ++j)
                if (j == 0 || Across.First[j] != Across.First[j - 1])
                    runs.push_back(j);
            runs.push_back(Across.Samples());
        }
        std::vector<const uint8_t*> sources(Down.Width);
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
            for (int t = 0; t < taps; ++t)
                sources[t] = Bytes(From.Row(row0 + t) + c0);
            BlendRows(sources.data(), w, taps, channels, lanes.data());
            if (straight) {
                Pack(lanes.data(), used, out);
                continue;
            }
            switch (Across.Width) {
            case 1: RowAcross<1>(lanes.data(), c0, out); break;
            case 2: RowAcross<2>(lanes.data(), c0, out); break;
            case 3: RowAcross<3>(lanes.data(), c0, out); break;
            default: RowAcross<0>(lanes.data(), c0, out); break;
            }
        }
    }

    static const uint8_t* Bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }
    static uint8_t* Bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }

    // Blended lanes back to pixels as they are.
    static void Pack(const uint16_t* lanes, int count, uint32_t* out)
    {
        int j = 0;
        for (; j + 4 <= count; j += 4) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes + 4 * j));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes + 4 * j + 8));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), _mm_packus_epi16(a, b));
        }
        for (; j < count; ++j)
            out[j] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(Pixel(lanes + 4 * j), kZero)));
    }

    // N weights per target pixel, or Across.Width of them for N = 0; two target pixels at a time.
    template <int N>
    void RowAcross(const uint16_t* lanes, int c0, uint32_t* out) const
    {
        const int n = N > 0 ? N : Across.Width;
        const int count = Across.Samples();
        const uint16_t* w = Across.Lanes.data();
        int j = 0;
        for (; j + 2 <= count; j += 2, w += 8 * n) {
            const uint16_t* a = lanes + 4 * static_cast<size_t>(Across.First[j] - c0);
            const uint16_t* b = lanes + 4 * static_cast<size_t>(Across.First[j + 1] - c0);
            __m128i sum = kZero;
            for (int t = 0; t < n; ++t) {
                const __m128i v = _mm_unpacklo_epi64(Pixel(a + 4 * t), Pixel(b + 4 * t));
                const __m128i weight = _mm_unpacklo_epi64(Pixel(w + 4 * t), Pixel(w + 4 * (n + t)));
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(v, weight));
            }
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + j), _mm_packus_epi16(Rounded(sum), kZero));
        }
        if (j < count) {
            const uint16_t* a = lanes + 4 * static_cast<size_t>(Across.First[j] - c0);
            __m128i sum = kZero;
            for (int t = 0; t < n; ++t)
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(Pixel(a + 4 * t), Pixel(w + 4 * t)));
            out[j] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(Rounded(sum), kZero)));
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
    const Taps across(from.Width, w, static_cast<int>(left), static_cast<int>(right), filter);
    const Taps down(from.Height, h, static_cast<int>(top), static_cast<int>(bottom), filter);
    const ScaleJob job{from, to, static_cast<int>(x + left), static_cast<int>(y + top), across, down};
    const int height = static_cast<int>(bottom - top);
    const auto part = [&](int first, int last) { job.Rows(first, last); };
    if (rows)
        rows->Run(height, int64_t{height} * (right - left), part);
    else
        part(0, height);
}
