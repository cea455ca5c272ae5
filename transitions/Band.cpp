// Band effects: strips of width w (args.Arg1) whose ends reach a random 0..49 px past the common front p.
// Every routine ends a loop that ran to its end with a copy of the whole picture: with a Step over 50 the
// last frame alone may leave parts uncovered.
// A strip anchored at an edge shows everything up to the farthest end it reached; only the part beyond
// that is copied again, which keeps each frame's drawing to the moving front; strips that move across with
// the front are followed the same way per pixel column.
#include "transitions/Band.h"

#include <algorithm>
#include <vector>

#include "data/Random.h"
#include "transitions/EffectKit.h"
#include "transitions/GrowingReveal.h"

using std::max;
using std::min;

namespace {

int Jitter()
{
    return rtl::rand() % 50;
}

void FinalCopy(CTransitionEffects& fx)
{
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

// How far each strip anchored at an edge, or each pixel column, has reached so far, measured from its edge.
class Reach {
public:
    explicit Reach(int strips) : Reached_(static_cast<size_t>(strips > 0 ? strips : 0), 0) {}
    // Records that entries [first, first + count) now reach `reach`; returns where the newly shown part
    // starts (the least reach among them: as far as the others have been shown it is shown again, unchanged),
    // or -1 when nothing new is shown (also for entries outside the table).
    int Extend(int first, int count, int reach)
    {
        const auto from = Reached_.begin() + std::clamp<int64_t>(first, 0, Reached_.size());
        const auto to = Reached_.begin() + std::clamp<int64_t>(int64_t{first} + count, 0, Reached_.size());
        if (from == to)
            return -1;
        const int least = *std::min_element(from, to);
        if (least >= reach)
            return -1;
        for (auto it = from; it != to; ++it)
            *it = max(*it, reach);
        return least;
    }
    // The same for strip i alone.
    int Extend(int i, int reach) { return Extend(i, 1, reach); }

private:
    std::vector<int> Reached_;
};

// For strips that grow both ways around the centre: the span each pixel line (row or column) has shown so
// far. Every span holds or touches the centre line, so what a line showed together is one span.
class SpanReach {
public:
    explicit SpanReach(int lines) : Shown_(static_cast<size_t>(lines > 0 ? lines : 0), Span{0, 0}) {}
    // Records that lines [first, last) now show [from, to); calls copy(a, b) for the parts of it that not
    // every one of these lines shows yet (lines that show more take those pixels again, unchanged).
    template <typename Copy>
    void Extend(int first, int last, int from, int to, Copy copy)
    {
        first = std::clamp(first, 0, static_cast<int>(Shown_.size()));
        last = std::clamp(last, first, static_cast<int>(Shown_.size()));
        if (from >= to || first >= last)
            return;
        Span common = Shown_[static_cast<size_t>(first)];
        for (int i = first; i < last; ++i) {
            const Span& line = Shown_[static_cast<size_t>(i)];
            common = {max(common.From, line.From), min(common.To, line.To)};
        }
        if (common.From >= common.To) {
            copy(from, to);
        } else {
            if (from < common.From)
                copy(from, min(to, common.From));
            if (to > common.To)
                copy(max(from, common.To), to);
        }
        for (int i = first; i < last; ++i) {
            Span& line = Shown_[static_cast<size_t>(i)];
            line = line.From < line.To ? Span{min(from, line.From), max(to, line.To)} : Span{from, to};
        }
    }

private:
    struct Span {
        int From, To;
    };
    std::vector<Span> Shown_;
};

} // namespace

void BandDown(CTransitionEffects& fx, const EffectArgs& args)
{
    SeedFromClock();
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int n = (W + w - 1) / w;
    Reach reach(n);
    for (int p = 0; p < H + 50; p += fx.Step) {
        for (int i = 0; i < n; ++i) {
            const int length = min(H, p + Jitter());
            const int from = reach.Extend(i, length);
            if (from >= 0)
                CopyPiece(fx, i * w, from, w, length - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandUp(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int n = (W + w) / w;
    Reach reach(n);
    for (int p = H; p > -50; p -= fx.Step) {
        for (int i = 0; i < n; ++i) {
            const int t = max(0, p - Jitter());
            const int from = reach.Extend(i, H - t);
            if (from >= 0)
                CopyPiece(fx, i * w, t, w, H - t - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int n = (H + w) / w;
    Reach reach(n);
    for (int p = 0; p < W + 50; p += fx.Step) {
        for (int i = 0; i < n; ++i) {
            const int t = min(i * w, H), b = min(t + w, H);
            const int length = min(W, p + Jitter());
            const int from = reach.Extend(i, length);
            if (from >= 0)
                CopyPiece(fx, from, t, length - from, b - t);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int n = (H + w) / w;
    Reach reach(n);
    for (int p = W; p > -50; p -= fx.Step) {
        for (int i = 0; i < n; ++i) {
            const int t = min(i * w, H), b = min(t + w, H);
            const int l = max(0, p - Jitter());
            const int from = reach.Extend(i, W - l);
            if (from >= 0)
                CopyPiece(fx, l, t, W - l - from, b - t);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandFromLeftTop(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const float r = RatioOf(H, W);
    Reach rows(H / w + 1), columns(W / w + 1);
    for (int p = 0; p < W + 50; p += fx.Step) {
        const int e = ScaleBy(r, p);
        for (int i = 0; i <= e / w; ++i) {
            const int right = min(W, p + Jitter());
            const int t = min(i * w, H), b = min((i + 1) * w, H);
            const int from = rows.Extend(i, right);
            if (from >= 0)
                CopyPiece(fx, from, t, right - from, b - t);
        }
        for (int k = 0; k <= p / w; ++k) {
            const int height = min(H, e + Jitter());
            const int from = columns.Extend(k, height);
            if (from >= 0)
                CopyPiece(fx, k * w, from, w, height - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandFromLeftBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const float r = RatioOf(H, W);
    Reach rows(H / w + 2), columns(W / w + 1);
    for (int p = 0; p < W + 50; p += fx.Step) {
        const int e = ScaleBy(r, p);
        for (int i = 1; i <= e / w + 1; ++i) {
            const int right = min(W, p + Jitter());
            const int t = max(0, H - i * w), b = max(0, H - (i - 1) * w);
            const int from = rows.Extend(i, right);
            if (from >= 0)
                CopyPiece(fx, from, t, right - from, b - t);
        }
        for (int k = 0; k <= p / w; ++k) {
            const int t = max(0, H - e - Jitter());
            const int from = columns.Extend(k, H - t);
            if (from >= 0)
                CopyPiece(fx, k * w, t, w, H - t - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandFromRightTop(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const float r = RatioOf(H, W);
    Reach rows(H / w + 1);
    Reach columns(W);  // per pixel column: these strips move with the front
    for (int p = W; p > -50; p -= fx.Step) {
        const int e = ScaleBy(r, W - p);
        for (int i = 0; i <= e / w; ++i) {
            const int l = max(0, p - Jitter());
            const int t = min(i * w, H), b = min((i + 1) * w, H);
            const int from = rows.Extend(i, W - l);
            if (from >= 0)
                CopyPiece(fx, l, t, W - l - from, b - t);
        }
        for (int k = 0; k <= (W - p) / w; ++k) {
            const int height = min(H, e + Jitter());
            const int from = columns.Extend(p + k * w, w, height);
            if (from >= 0)
                CopyPiece(fx, p + k * w, from, w, height - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandFromRightBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const float r = RatioOf(H, W);
    Reach rows(H / w + 2);
    Reach columns(W);  // per pixel column: these strips move with the front
    for (int p = W; p > -50; p -= fx.Step) {
        const int e = ScaleBy(r, W - p);
        for (int i = 1; i <= e / w + 1; ++i) {
            const int l = max(0, p - Jitter());
            const int t = max(0, H - i * w), b = max(0, H - (i - 1) * w);
            const int from = rows.Extend(i, W - l);
            if (from >= 0)
                CopyPiece(fx, l, t, W - l - from, b - t);
        }
        for (int k = 0; k <= (W - p) / w; ++k) {
            const int t = max(0, H - e - Jitter());
            const int from = columns.Extend(p + k * w, w, H - t);
            if (from >= 0)
                CopyPiece(fx, p + k * w, t, w, H - t - from);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    SeedFromClock();
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int cx = W / 2 + 1, cy = H / 2 + 1;
    const float r = RatioOf(H, W);
    SpanReach rows(H), columns(W);
    for (int p = 0; p < W / 2 + 51; p += fx.Step) {
        const int g = ScaleBy(r, p);
        for (int y = max(0, cy - g); y < min(H, cy + g); y += w) {
            const int l = max(0, cx - p - Jitter());
            const int right = min(W, cx + p + Jitter());
            const int t = min(y, H), b = min(t + w, H);
            rows.Extend(t, b, l, right, [&](int from, int to) { CopyPiece(fx, from, t, to - from, b - t); });
        }
        for (int x = max(0, cx - p); x < min(W, cx + p); x += w) {
            const int t = max(0, cy - g - Jitter());
            const int b = min(H, cy + g + Jitter());
            const int l = min(x, W), right = min(l + w, W);
            columns.Extend(l, right, t, b, [&](int from, int to) { CopyPiece(fx, l, from, right - l, to - from); });
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}

void BandToCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, w = args.Arg1;
    const int cx = W / 2 + 1, cy = H / 2 + 1;
    const float r = RatioOf(H, W);
    CGrowingReveal reveal;
    for (int p = cx; p > -50; p -= fx.Step) {
        const int g = ScaleBy(r, p);
        // The ragged centre of the old screen that stays uncovered in this frame.
        CRegion uncovered;
        for (int y = max(0, cy - g); y < min(H, cy + g); y += w) {
            const int l = max(0, cx - p - Jitter());
            const int right = min(W, cx + p + Jitter());
            const int t = min(y, H);
            uncovered.AddRect(l, t, right, min(H, t + w));
        }
        for (int x = max(0, cx - p); x < min(W, cx + p); x += w) {
            const int t = max(0, cy - g - Jitter());
            const int b = min(H, cy + g + Jitter());
            const int l = min(x, W);
            uncovered.AddRect(l, t, min(W, l + w), b);
        }
        CRegion shown(0, 0, W, H);
        shown.Subtract(uncovered);
        reveal.Show(fx, shown);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
    FinalCopy(fx);
}
