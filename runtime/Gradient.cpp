// The gradient kinds of a gradient background.
#include "runtime/Background.h"

#include "picture/ComPicture.h"
#include "transitions/ParallelRows.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The colour of one gradient step: per channel start + trunc(k x step), step the channel's difference over
// the extent in single precision, the product in double; each channel keeps its low 8 bits.
class TGradientRamp {
public:
    TGradientRamp(TColor from, TColor to, float extent)
    {
        for (int c = 0; c < 3; ++c) {
            Start[c] = static_cast<int>((from >> (8 * c)) & 0xFF);
            const int end = static_cast<int>((to >> (8 * c)) & 0xFF);
            Step[c] = static_cast<float>((end - Start[c]) / extent);
        }
    }

    TColor At(int k) const
    {
        TColor colour = 0;
        for (int c = 0; c < 3; ++c) {
            const int channel = Start[c] + static_cast<int>(static_cast<double>(k) * Step[c]);
            colour |= static_cast<TColor>(channel & 0xFF) << (8 * c);
        }
        return colour;
    }

    // The step colour as the picture's 0x00RRGGBB pixel.
    uint32_t PixelAt(int k) const
    {
        const TColor colour = At(k);
        return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    }

private:
    int Start[3];
    float Step[3];
};

void Fill(CDC* dc, TColor colour, int left, int top, int right, int bottom)
{
    dc->SetBrushColor(colour);
    dc->FillRect(RECT{left, top, right, bottom});
}

// The target's pixels (0x00RRGGBB) by row. Rows follow each other without gaps; taking row 0 also finishes
// what GDI may still hold back.
class TPixelRows {
public:
    explicit TPixelRows(CComPicture* target)
        : Pixels(target->Bitmap()->ScanLine(0)), Width(static_cast<size_t>(target->Bitmap()->Width()))
    {
    }
    uint32_t* operator[](int y) const { return Pixels + static_cast<size_t>(y) * Width; }

private:
    uint32_t* Pixels;
    size_t Width;
};

// Kinds 0 to 3: one step a row, or one step a column, each pixel written once (a line of a 1-pixel pen across
// the target is its row).
void DrawBands(CComPicture* target, const TGradientRamp& ramp, bool rows)
{
    const int w = target->Bitmap()->Width();
    const int h = target->Bitmap()->Height();
    std::vector<uint32_t> columns(rows ? 0 : static_cast<size_t>(w));
    for (int x = 0; x < static_cast<int>(columns.size()); ++x)
        columns[x] = ramp.PixelAt(x);
    const TPixelRows pixels(target);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = pixels[y];
        if (rows)
            std::fill(row, row + w, ramp.PixelAt(y));
        else
            std::copy(columns.begin(), columns.end(), row);
    }
}

// Kinds 8 to 11 step along the longer side; the other side follows in proportion.
struct TProportion {
    TProportion(int w, int h)
    {
        AlongWidth = h < w;
        Extent = static_cast<float>((AlongWidth ? w : h) * 0.5);
        Count = AlongWidth ? (w + 1) / 2 : h / 2;
        Ratio = AlongWidth ? static_cast<float>(static_cast<double>(h) / w) : static_cast<float>(static_cast<double>(w) / h);
    }
    RECT Step(int i, int w, int h) const
    {
        const int other = static_cast<int>(static_cast<double>(i) * Ratio);
        const int x = AlongWidth ? i : other;
        const int y = AlongWidth ? other : i;
        return RECT{x, y, w - x, h - y};
    }

    bool AlongWidth;
    float Extent;
    int Count;
    float Ratio;
};

// The pixels GDI's Ellipse paints with a solid brush and a solid 2-pixel pen of one colour, one span
// [Left, Right) per row from Top: drawing hundreds of them through GDI took half a minute at full-HD size,
// painting their spans directly takes milliseconds. The pen puts the 2 x 2 block above and left of each
// boundary point, a diagonal step one pixel more, and the brush fills what lies between; a box of 2 pixels
// or less across is drawn as a rectangle one pixel up and left.
class TEllipseSpans {
public:
    void Measure(const RECT& box)
    {
        const int w = box.right - box.left;
        const int h = box.bottom - box.top;
        Top = box.top - 1;
        Rows.assign(w > 0 && h > 0 ? static_cast<size_t>(h) + 1 : 0, TSpan{INT_MAX, INT_MIN});
        if (Rows.empty())
            return;
        if (w <= 2 || h <= 2) {
            for (int y = Top; y < box.bottom; ++y)
                Add(box.left - 1, box.right, y);
            return;
        }
        // The quadrant's boundary, walked once and kept as runs of points on one row, mirrored into all four: x
        // counts from the left or the right edge, y from the middle row up or down. A run's blocks make one
        // span on each of its two rows; a diagonal step can only lie between runs.
        Runs.clear();
        WalkQuadrant(w, h, [this](int qx, int qy) {
            if (!Runs.empty() && Runs.back().Y == qy)
                Runs.back().To = qx;
            else
                Runs.push_back(TRun{qy, qx, qx});
        });
        const int xs[2][2] = {{box.left, 1}, {box.right - 1, -1}};
        const int ys[2][2] = {{box.top + h - 1, -1}, {box.top, 1}};
        for (const auto& mx : xs)
            for (const auto& my : ys)
                for (size_t r = 0; r < Runs.size(); ++r) {
                    const int y = my[0] + my[1] * Runs[r].Y;
                    const int from = mx[0] + mx[1] * Runs[r].From;
                    const int to = mx[0] + mx[1] * Runs[r].To;
                    Add(std::min(from, to) - 1, std::max(from, to) + 1, y - 1);
                    Add(std::min(from, to) - 1, std::max(from, to) + 1, y);
                    if (r > 0)
                        AddDiagonalStep(POINT{mx[0] + mx[1] * Runs[r - 1].To, my[0] + my[1] * Runs[r - 1].Y},
                                        POINT{from, y});
                }
    }

    int Top = 0;
    int Bottom() const { return Top + static_cast<int>(Rows.size()); }
    bool Covers(int y) const { return y >= Top && y < Bottom() && LeftAt(y) < RightAt(y); }
    // Row y of the span, for Top <= y < Bottom(); a row not covered has Left above Right.
    int LeftAt(int y) const { return Rows[Row(y)].Left; }
    int RightAt(int y) const { return Rows[Row(y)].Right; }

private:
    // The boundary of a w x h ellipse's quadrant (w, h at least 3) in the box's corner-relative terms, from
    // (w - 1, h / 2) to the middle column: the integer error walk of the platform's ellipse.
    template <class Visit>
    static void WalkQuadrant(int w, int h, Visit visit)
    {
        const int64_t a = w - 1;
        const int64_t b = h - 1;
        const int64_t growX = 8 * b * b;
        const int64_t growY = 8 * a * a;
        int64_t errX = 4 * b * b * (1 - a);
        int64_t errY = 4 * a * a * (1 + b % 2);
        int64_t err = errX + errY + a * a * (b % 2);
        for (int x = w - 1, y = h / 2; x >= w / 2;) {
            visit(x, y);
            const int64_t twice = 2 * err;
            if (twice >= errX) {
                --x;
                errX += growX;
                err += errX;
            }
            if (twice <= errY) {
                ++y;
                errY += growY;
                err += errY;
            }
        }
    }

    // The wide pen's segment between diagonal neighbours covers one pixel beside their two blocks.
    void AddDiagonalStep(POINT p, POINT q)
    {
        if (p.x == q.x || p.y == q.y)
            return;
        if ((q.x - p.x) * (q.y - p.y) > 0) {
            const POINT upper = p.y < q.y ? p : q;
            Add(upper.x - 1, upper.x, upper.y + 1);
        } else {
            const POINT lower = p.y > q.y ? p : q;
            Add(lower.x + 1, lower.x + 2, lower.y);
        }
    }

    size_t Row(int y) const { return static_cast<size_t>(y - Top); }
    void Add(int left, int right, int y)
    {
        // A row above Top wraps round to a large number.
        if (Row(y) >= Rows.size())
            return;
        TSpan& span = Rows[Row(y)];
        span.Left = std::min(span.Left, left);
        span.Right = std::max(span.Right, right);
    }

    struct TSpan {
        int Left, Right;
    };
    std::vector<TSpan> Rows;
    // Points of the quadrant's boundary on row Y, from column From down to column To.
    struct TRun {
        int Y, From, To;
    };
    std::vector<TRun> Runs;
};

// One measured ellipse as kept in CRingSpans: its spans from Top, 16 bits a side.
struct TSpanView {
    struct TSpan {
        int16_t Left, Right;
    };
    int Top = 0;
    int Count = 0;
    const TSpan* Rows = nullptr;

    int Bottom() const { return Top + Count; }
    bool Covers(int y) const { return y >= Top && y < Bottom() && LeftAt(y) < RightAt(y); }
    int LeftAt(int y) const { return Rows[y - Top].Left; }
    int RightAt(int y) const { return Rows[y - Top].Right; }
};

} // namespace

struct CRingSpans::TStore {
    int W = -1, H = -1;
    std::vector<int> Tops;
    std::vector<size_t> Starts;  // one more than there are ellipses
    std::vector<TSpanView::TSpan> Spans;

    // Sides that fit in 16 bits, with room for the span one pixel beyond each edge.
    static bool Fits(int w, int h) { return w < INT16_MAX - 1 && h < INT16_MAX - 1; }

    // Every ellipse, on the helper threads: each one's rows are known from its box, so each has its place.
    void Measure(const TProportion& p, int w, int h, CParallelRows& helpers)
    {
        W = H = -1;
        Tops.assign(static_cast<size_t>(p.Count), 0);
        Starts.assign(Tops.size() + 1, 0);
        for (int k = 0; k < p.Count; ++k) {
            const RECT box = p.Step(k, w, h);
            const bool drawn = box.right > box.left && box.bottom > box.top;
            Starts[k + 1] = Starts[k] + (drawn ? static_cast<size_t>(box.bottom - box.top) + 1 : 0);
        }
        Spans.resize(Starts.back());
        helpers.Run(p.Count, static_cast<int64_t>(Spans.size()) * 8, [&](int first, int last) {
            TEllipseSpans spans;
            const auto side = [](int v) { return static_cast<int16_t>(std::min(std::max(v, INT16_MIN), INT16_MAX)); };
            for (int k = first; k < last; ++k) {
                spans.Measure(p.Step(k, w, h));
                Tops[k] = spans.Top;
                TSpanView::TSpan* out = Spans.data() + Starts[k];
                for (int y = spans.Top; y < spans.Bottom(); ++y)
                    *out++ = {side(spans.LeftAt(y)), side(spans.RightAt(y))};
            }
        });
        W = w;
        H = h;
    }

    // Ellipse k; the one after the last covers nothing.
    TSpanView View(int k) const
    {
        TSpanView view;
        if (k < static_cast<int>(Tops.size())) {
            view.Top = Tops[k];
            view.Count = static_cast<int>(Starts[k + 1] - Starts[k]);
            view.Rows = Spans.data() + Starts[k];
        }
        return view;
    }
};

CRingSpans::CRingSpans() : Store(std::make_unique<TStore>()) {}
CRingSpans::~CRingSpans() = default;

namespace {

const int kRingBlock = 32;

// What ellipse `current` leaves on row y of its own colour once `next` is painted over it.
template <class Spans>
void PaintRingRow(uint32_t* row, int w, int y, const Spans& current, const Spans& next, uint32_t colour)
{
    if (y < current.Top || y >= current.Bottom())
        return;
    const int left = std::max(current.LeftAt(y), 0);
    const int right = std::min(current.RightAt(y), w);
    if (left >= right)
        return;
    if (!next.Covers(y)) {
        std::fill(row + left, row + right, colour);
        return;
    }
    std::fill(row + left, row + std::max(left, std::min(right, next.LeftAt(y))), colour);
    std::fill(row + std::min(right, std::max(left, next.RightAt(y))), row + right, colour);
}

// The ellipses of kinds 10 and 11, each painted over the one before: a pixel takes the colour of the last
// ellipse that covers it, so each ellipse paints only what the next one leaves, and a row's pixels are
// written together. With a store, the ellipses come from it (measured there for a new size) and the rows are
// painted on helper threads, each row through every ellipse that reaches it; the ellipses nest, so the first
// that does not reach a row ends it. Without, a block of steps is measured and painted at a time.
void DrawEllipses(CComPicture* target, const TProportion& p, const TGradientRamp& ramp, bool fromOuterEnd,
                  CRingSpans::TStore* store, CParallelRows* shared)
{
    const int w = target->Bitmap()->Width();
    const int h = target->Bitmap()->Height();
    const TPixelRows pixels(target);
    if (store && CRingSpans::TStore::Fits(w, h)) {
        CParallelRows own;
        CParallelRows& helpers = shared ? *shared : own;
        if (store->W != w || store->H != h)
            store->Measure(p, w, h, helpers);
        std::vector<uint32_t> colours(static_cast<size_t>(p.Count));
        for (int k = 0; k < p.Count; ++k)
            colours[k] = ramp.PixelAt(fromOuterEnd ? p.Count - k : k);
        helpers.Run(h, int64_t{w} * h, [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                TSpanView next = store->View(0);
                for (int k = 0; k < p.Count && y >= next.Top && y < next.Bottom(); ++k) {
                    const TSpanView current = next;
                    next = store->View(k + 1);
                    PaintRingRow(pixels[y], w, y, current, next, colours[k]);
                }
            }
        });
        return;
    }
    std::vector<TEllipseSpans> spans(kRingBlock + 1);
    if (p.Count > 0)
        spans[0].Measure(p.Step(0, w, h));
    for (int first = 0; first < p.Count; first += kRingBlock) {
        const int steps = std::min(kRingBlock, p.Count - first);
        for (int k = 1; k <= steps; ++k)
            spans[k].Measure(first + k < p.Count ? p.Step(first + k, w, h) : RECT{});
        uint32_t colours[kRingBlock];
        for (int k = 0; k < steps; ++k)
            colours[k] = ramp.PixelAt(fromOuterEnd ? p.Count - first - k : first + k);
        // The block's first ellipse is the largest: no later one covers a row it does not reach.
        for (int y = std::max(spans[0].Top, 0); y < std::min(spans[0].Bottom(), h); ++y)
            for (int k = 0; k < steps; ++k)
                PaintRingRow(pixels[y], w, y, spans[k], spans[k + 1], colours[k]);
        std::swap(spans[0], spans[steps]);
    }
}

// The nested rectangles of kinds 4 to 9, each painted over the one before, step i inset by Inset(i) from the
// left and right and from the top and bottom. Insets only grow and step 0 covers the whole target, so a pixel
// takes the colour of the last step whose insets fit within its distance to the nearer edge on both axes:
// the earlier of the last step by its column and the last step by its row. Each pixel is written once.
template <class Inset>
void DrawFrames(CComPicture* target, int count, Inset inset, const TGradientRamp& ramp, bool fromOuterEnd)
{
    const int w = target->Bitmap()->Width();
    const int h = target->Bitmap()->Height();
    if (count <= 0)
        return;
    std::vector<POINT> insets(static_cast<size_t>(count));
    std::vector<uint32_t> colours(insets.size());
    for (int i = 0; i < count; ++i) {
        insets[i] = inset(i);
        colours[i] = ramp.PixelAt(fromOuterEnd ? count - i : i);
    }
    // The last step by the distance to the nearer edge, across and down.
    const auto lastSteps = [&](int size, LONG POINT::*axis) {
        std::vector<int> last(static_cast<size_t>(size + 1) / 2);
        for (int d = 0, i = 0; d < static_cast<int>(last.size()); ++d) {
            while (i + 1 < count && insets[i + 1].*axis <= d)
                ++i;
            last[d] = i;
        }
        return last;
    };
    const std::vector<int> byColumn = lastSteps(w, &POINT::x);
    const std::vector<int> byRow = lastSteps(h, &POINT::y);
    // Outside the span of a row's own step, each column shows its earlier last step.
    std::vector<uint32_t> outer(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x)
        outer[x] = colours[byColumn[std::min(x, w - 1 - x)]];
    const TPixelRows pixels(target);
    for (int y = 0; y < h; ++y) {
        const int i = byRow[std::min(y, h - 1 - y)];
        const int left = std::min<int>(insets[i].x, w);
        const int right = std::max<int>(left, w - insets[i].x);
        uint32_t* row = pixels[y];
        std::copy(outer.begin(), outer.begin() + left, row);
        std::fill(row + left, row + right, colours[i]);
        std::copy(outer.begin() + right, outer.end(), row + right);
    }
}

} // namespace

void CBackground::DrawGradient(TColor from, TColor to, int kind, CComPicture* target)
{
    if (!target || target->IsEmpty() || kind < 0 || kind > 11)
        return;
    const int w = target->Bitmap()->Width();
    const int h = target->Bitmap()->Height();
    // Odd kinds up to 3 are the even ones with the colours exchanged.
    if (kind == 1 || kind == 3) {
        std::swap(from, to);
        --kind;
    }
    if (kind == 0 || kind == 2) {
        DrawBands(target, TGradientRamp(from, to, static_cast<float>(kind == 0 ? h : w)), kind == 0);
    } else if (kind == 4 || kind == 5) {
        const TGradientRamp ramp(from, to, static_cast<float>(w * 0.5));
        DrawFrames(target, (w + 1) / 2, [](int i) { return POINT{i, 0}; }, ramp, kind == 5);
    } else if (kind == 6 || kind == 7) {
        const TGradientRamp ramp(from, to, static_cast<float>(h * 0.5));
        DrawFrames(target, (h + 1) / 2, [](int i) { return POINT{0, i}; }, ramp, kind == 7);
    } else {
        const TProportion p(w, h);
        const TGradientRamp ramp(from, to, p.Extent);
        const bool fromOuterEnd = kind == 8 || kind == 10;
        if (kind >= 10) {
            Fill(target->DC(), kind == 10 ? to : from, 0, 0, w, h);
            DrawEllipses(target, p, ramp, fromOuterEnd, Rings ? Rings->Store.get() : nullptr, Helpers);
            return;
        }
        DrawFrames(
            target, p.Count,
            [&](int i) {
                const RECT r = p.Step(i, w, h);
                return POINT{r.left, r.top};
            },
            ramp, fromOuterEnd);
    }
}
