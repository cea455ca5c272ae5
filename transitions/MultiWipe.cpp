#include "transitions/MultiWipe.h"

#include <algorithm>
#include <vector>

#include "transitions/EffectKit.h"
#include "transitions/StepOverride.h"

namespace {

constexpr int kGrid = 10;   // cells per side
constexpr int kGrowth = 2;  // leg growth per frame, whatever the step

// The cells' corner the triangles grow from: legs point right (+1) or left (-1), down (+1) or up (-1).
struct Corner {
    int Dx, Dy;
};

// A run of pixels [X0, X1) of one row.
struct Span {
    int X0, X1;
};
using SpanRow = std::vector<Span>;

// The rows of the triangle with legs t and k from the corner (0, 0), as the drawing layer fills the polygon:
// Rows[r] holds row Top + r. Every cell's triangle is this one moved by whole pixels.
struct Triangle {
    int Top = 0;
    std::vector<Span> Rows;

    Triangle(Corner c, int t, int k)
    {
        const POINT v[3] = {{0, 0}, {c.Dx * t, 0}, {0, c.Dy * k}};
        CRegion shape;
        shape.Adopt(CreatePolygonRgn(v, 3, WINDING));
        const DWORD size = shape.Handle() ? GetRegionData(shape.Handle(), 0, nullptr) : 0;
        if (size == 0)
            return;
        std::vector<char> data(size);
        RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
        if (GetRegionData(shape.Handle(), size, region) != size || region->rdh.nCount == 0)
            return;
        const RECT* rects = reinterpret_cast<const RECT*>(region->Buffer);
        Top = rects[0].top;
        // A triangle has one run per row; the region gives it as bands of rows.
        for (DWORD n = 0; n < region->rdh.nCount; ++n)
            for (int y = rects[n].top; y < rects[n].bottom; ++y) {
                Rows.resize(std::max<size_t>(Rows.size(), y - Top + 1), Span{0, 0});
                Span& row = Rows[y - Top];
                row = row.X0 < row.X1 ? Span{std::min<int>(row.X0, rects[n].left), std::max<int>(row.X1, rects[n].right)}
                                      : Span{rects[n].left, rects[n].right};
            }
    }
};

// Adds sorted runs to sorted runs, joining those less than `gap` pixels apart.
void Join(SpanRow& into, const SpanRow& runs, int gap, SpanRow& scratch)
{
    scratch.clear();
    size_t a = 0, b = 0;
    while (a < into.size() || b < runs.size()) {
        const Span& next = b == runs.size() || (a < into.size() && into[a].X0 < runs[b].X0) ? into[a++] : runs[b++];
        if (!scratch.empty() && next.X0 <= scratch.back().X1 + gap)
            scratch.back().X1 = std::max(scratch.back().X1, next.X1);
        else
            scratch.push_back(next);
    }
    into.swap(scratch);
}

// The runs of `now` that `before` does not hold; both sorted and merged.
void Subtract(const SpanRow& now, const SpanRow& before, SpanRow& out)
{
    out.clear();
    size_t b = 0;
    for (Span s : now) {
        while (b < before.size() && before[b].X1 <= s.X0)
            ++b;
        for (size_t k = b; k < before.size() && before[k].X0 < s.X1; ++k) {
            if (before[k].X0 > s.X0)
                out.push_back({s.X0, before[k].X0});
            s.X0 = std::max(s.X0, before[k].X1);
        }
        if (s.X0 < s.X1)
            out.push_back(s);
    }
}

// Reveals runs of picture pixels: into the back buffer's pixels one run at a time, and onto the window in one
// copy from the back buffer through a clip region of few rectangles, each covering the runs of a band of
// rows. A clip region of one rectangle per run and row made the drawing layer walk tens of thousands of
// rectangles a frame, and a copy per rectangle costs a call each; the rectangles of a band also take pixels
// that no run reveals, and those show the same on both targets.
class CRunCopier {
public:
    explicit CRunCopier(CTransitionEffects& fx)
        : Fx_(fx), Picture_(PixelsOf(fx.Picture)), Buffer_(PixelsOf(fx.BackBuffer))
    {
    }

    void Row(int y, const SpanRow& runs)
    {
        if (y / kBand != BandTop_ / kBand)
            EndBand();
        if (runs.empty())
            return;
        if (Band_.empty())
            BandTop_ = y;
        BandBottom_ = y + 1;
        const int by = Fx_.Y + y;
        // The runs of one triangle's edge in the band's rows lie side by side: they join into one rectangle.
        Join(Band_, runs, kBand, Scratch_);
        for (const Span& s : runs) {
            if (Buffer_.IsEmpty()) {
                if (Fx_.WindowDC)
                    CopyPiece(Fx_, s.X0, y, s.X1 - s.X0, 1);
                continue;
            }
            const int x0 = std::max(Fx_.X + s.X0, 0), x1 = std::min(Fx_.X + s.X1, Buffer_.Width);
            if (by >= 0 && by < Buffer_.Height && x0 < x1)
                std::copy(Picture_.Row(y) + (x0 - Fx_.X), Picture_.Row(y) + (x1 - Fx_.X), Buffer_.Row(by) + x0);
        }
    }

    // Ends the frame: the rectangles of every band onto the window.
    void Finish()
    {
        EndBand();
        HDC buffer = PictureDC(Fx_.BackBuffer);
        if (!Fx_.WindowDC || !buffer || Rects_.empty())
            return;
        RECT bounds = Rects_.front();
        for (const RECT& r : Rects_)
            UnionRect(&bounds, &bounds, &r);
        std::vector<char> data(sizeof(RGNDATAHEADER) + Rects_.size() * sizeof(RECT));
        RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
        region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(Rects_.size()), 0, bounds};
        std::copy(Rects_.begin(), Rects_.end(), reinterpret_cast<RECT*>(region->Buffer));
        CRegion clip;
        clip.Adopt(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
        Rects_.clear();
        if (!clip.Handle())
            return;
        SelectClipRgn(Fx_.WindowDC, clip.Handle());
        ::BitBlt(Fx_.WindowDC, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 buffer, bounds.left, bounds.top, SRCCOPY);
        SelectClipRgn(Fx_.WindowDC, nullptr);
    }

private:
    void EndBand()
    {
        for (const Span& s : Band_)
            Rects_.push_back({Fx_.X + s.X0, Fx_.Y + BandTop_, Fx_.X + s.X1, Fx_.Y + BandBottom_});
        Band_.clear();
    }

    // Rows per band: fewer rectangles against more pixels copied twice.
    static constexpr int kBand = 32;
    CTransitionEffects& Fx_;
    PixelRect Picture_, Buffer_;
    SpanRow Band_, Scratch_;
    std::vector<RECT> Rects_;
    int BandTop_ = 0, BandBottom_ = 0;
};

// Frame t reveals the picture through every triangle of leg t. The picture is static and what a frame
// revealed stays, so each frame copies only what its triangles add to the previous frame's, row by row.
// The whole picture follows, also after a stop.
void MultiWipe(CTransitionEffects& fx, const EffectArgs& args, Corner corner)
{
    CStepOverride step(fx, 2);
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int cw = (W + kGrid) / kGrid;
    const int ch = (H + kGrid) / kGrid;
    const float ratio = RatioOf(H, W);
    // Corners on the cells' left (top) edges for legs pointing right (down), on their right (bottom) edges
    // otherwise: grid lines 0 to 9, or 1 to 10.
    const int firstI = corner.Dx > 0 ? 0 : 1;
    const int firstJ = corner.Dy > 0 ? 0 : 1;
    std::vector<SpanRow> shown(std::max(H, 0));
    SpanRow now, fresh;
    for (int t = 0; t < 2 * cw; t += kGrowth) {
        const Triangle triangle(corner, t, ScaleBy(ratio, t));
        CRunCopier copier(fx);
        for (int y = 0; y < H; ++y) {
            // The triangles of up to three grid rows cross this row. Their runs all reach from the cells'
            // corner line, so in each cell together they make the longest of them.
            Span run{0, 0};
            for (int j = firstJ; j < firstJ + kGrid; ++j) {
                const int r = y - j * ch - triangle.Top;
                if (r < 0 || r >= static_cast<int>(triangle.Rows.size()))
                    continue;
                const Span& more = triangle.Rows[r];
                run = run.X0 < run.X1 ? Span{std::min(run.X0, more.X0), std::max(run.X1, more.X1)} : more;
            }
            if (run.X0 >= run.X1 && shown[y].empty())
                continue;
            now.clear();
            for (int i = firstI; i < firstI + kGrid && run.X0 < run.X1; ++i) {
                const int x0 = std::max(0, i * cw + run.X0), x1 = std::min(W, i * cw + run.X1);
                if (x0 >= x1)
                    continue;
                if (!now.empty() && x0 <= now.back().X1)
                    now.back().X1 = std::max(now.back().X1, x1);
                else
                    now.push_back({x0, x1});
            }
            Subtract(now, shown[y], fresh);
            shown[y].swap(now);
            copier.Row(y, fresh);
        }
        copier.Finish();
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

} // namespace

void MultiWipeFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {1, -1});
}

void MultiWipeFromBottomRight(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {-1, -1});
}

void MultiWipeFromLeftTop(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {1, 1});
}

void MultiWipeFromRightTop(CTransitionEffects& fx, const EffectArgs& args)
{
    MultiWipe(fx, args, {-1, 1});
}
