#include "transitions/PixelScale.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "transitions/ParallelRows.h"

namespace {

// Between the passes a pixel is held as four 16-bit lanes of one 64-bit word, a channel in each. Weights add
// up to 256, so a weighted sum of 8-bit channels stays within its lane and one multiplication weighs all four.
constexpr uint64_t kLaneMask = 0x00FF00FF00FF00FFull;
constexpr uint64_t kLaneHalf = 0x0080008000800080ull;  // rounding

uint32_t Packed(uint64_t lanes)
{
    uint64_t v = ((lanes + kLaneHalf) >> 8) & kLaneMask;
    v = (v | (v >> 8)) & 0x0000FFFF0000FFFFull;
    return static_cast<uint32_t>(v | (v >> 16));
}

// One axis: target sample d covers source samples [d * n / m, (d + 1) * n / m); averaged, each source sample
// it touches weighs its share of that span, in 256ths that add up to exactly 256; else the sample under the
// span's middle weighs all. Every target sample gets Width weights (the unused ones 0), so that the loops
// over them have a fixed length.
struct Taps {
    int Width = 1;
    std::vector<int> First;  // first source sample of each target sample
    std::vector<uint32_t> Weights;  // Width per target sample

    Taps(int n, int m, int from, int to, ScaleFilter filter)
    {
        if (filter == ScaleFilter::Nearest) {
            for (int d = from; d < to; ++d)
                First.push_back(static_cast<int>((int64_t{2} * d + 1) * n / (int64_t{2} * m)));
            Weights.assign(First.size(), 256);
            return;
        }
        std::vector<std::vector<uint32_t>> shares;
        for (int d = from; d < to; ++d) {
            // Positions in units of 1 / m source samples; the span is n units long.
            const int64_t start = int64_t{d} * n, end = start + n;
            const int first = static_cast<int>(start / m);
            int64_t cut = 0;  // 256ths handed out so far
            std::vector<uint32_t> share;
            for (int64_t i = first; i * m < end; ++i) {
                const int64_t upTo = (std::min(end, (i + 1) * m) - start) * 256 / n;
                share.push_back(static_cast<uint32_t>(upTo - cut));
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
    int Samples() const { return static_cast<int>(First.size()); }
    // One past the last source sample any target sample reads, its unused weights included.
    int End() const { return First.back() + Width; }
};

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
        std::vector<uint16_t> lanes(4 * static_cast<size_t>(Across.End() - c0), 0), sum(channels);
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
        for (int k = first; k < last; ++k) {
            const uint32_t* w = &Down.Weights[static_cast<size_t>(k) * Down.Width];
            int taps = Down.Width;
            while (taps > 1 && w[taps - 1] == 0)
                --taps;
            const int row0 = Down.First[k];
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
            if (taps == 1) {
                std::copy(src, src + channels, lanes.begin());
            } else {
                for (size_t i = 0; i < channels; ++i)
                    sum[i] = static_cast<uint16_t>(src[i] * w[0]);
                for (int t = 1; t < taps && row0 + t < From.Height; ++t) {
                    const uint8_t* more = Bytes(From.Row(row0 + t) + c0);
                    const uint16_t wt = static_cast<uint16_t>(w[t]);
                    for (size_t i = 0; i < channels; ++i)
                        sum[i] = static_cast<uint16_t>(sum[i] + more[i] * wt);
                }
                for (size_t i = 0; i < channels; ++i)
                    lanes[i] = static_cast<uint16_t>((sum[i] + 128) >> 8);
            }
            if (straight) {
                for (int j = 0; j < used; ++j)
                    out[j] = Packed(Lane(lanes, j) << 8);
                continue;
            }
            switch (Across.Width) {
            case 1: RowAcross<1>(lanes, c0, out); break;
            case 2: RowAcross<2>(lanes, c0, out); break;
            case 3: RowAcross<3>(lanes, c0, out); break;
            default: RowAcross<0>(lanes, c0, out); break;
            }
        }
    }

    static const uint8_t* Bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }
    static uint8_t* Bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }

    // Pixel i of a blended row as one word of lanes.
    static uint64_t Lane(const std::vector<uint16_t>& lanes, size_t i)
    {
        uint64_t v;
        std::memcpy(&v, &lanes[4 * i], sizeof v);
        return v;
    }

    // N weights per target pixel, or Across.Width of them for N = 0.
    template <int N>
    void RowAcross(const std::vector<uint16_t>& lanes, int c0, uint32_t* out) const
    {
        const int n = N > 0 ? N : Across.Width;
        const uint32_t* w = Across.Weights.data();
        for (int j = 0; j < Across.Samples(); ++j, w += n) {
            const size_t i = static_cast<size_t>(Across.First[j] - c0);
            uint64_t v = 0;
            for (int t = 0; t < n; ++t)
                v += Lane(lanes, i + t) * w[t];
            out[j] = Packed(v);
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
