// The gradient kinds of a gradient background.
#include "runtime/Background.h"

#include "picture/ComPicture.h"

#include <utility>

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

private:
    int Start[3];
    float Step[3];
};

void Line(CDC* dc, TColor colour, int x0, int y0, int x1, int y1)
{
    dc->SetPen(psSolid, 1, colour);
    dc->MoveTo(x0, y0);
    dc->LineTo(x1, y1);
}

void Fill(CDC* dc, TColor colour, int left, int top, int right, int bottom)
{
    dc->SetBrushColor(colour);
    dc->FillRect(RECT{left, top, right, bottom});
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

} // namespace

void CBackground::DrawGradient(TColor from, TColor to, int kind, CComPicture* target)
{
    if (!target || target->IsEmpty() || kind < 0 || kind > 11)
        return;
    const int w = target->Bitmap()->Width();
    const int h = target->Bitmap()->Height();
    CDC* dc = target->DC();
    // Odd kinds up to 3 are the even ones with the colours exchanged.
    if (kind == 1 || kind == 3) {
        std::swap(from, to);
        --kind;
    }
    if (kind == 0) {
        const TGradientRamp ramp(from, to, static_cast<float>(h));
        for (int i = 0; i < h; ++i)
            Line(dc, ramp.At(i), 0, i, w, i);
    } else if (kind == 2) {
        const TGradientRamp ramp(from, to, static_cast<float>(w));
        for (int i = 0; i < w; ++i)
            Line(dc, ramp.At(i), i, 0, i, h);
    } else if (kind == 4 || kind == 5) {
        const TGradientRamp ramp(from, to, static_cast<float>(w * 0.5));
        const int n = (w + 1) / 2;
        for (int i = 0; i < n; ++i)
            Fill(dc, ramp.At(kind == 4 ? i : n - i), i, 0, w - i, h);
    } else if (kind == 6 || kind == 7) {
        const TGradientRamp ramp(from, to, static_cast<float>(h * 0.5));
        const int n = (h + 1) / 2;
        for (int i = 0; i < n; ++i)
            Fill(dc, ramp.At(kind == 6 ? i : n - i), 0, i, w, h - i);
    } else {
        const TProportion p(w, h);
        const TGradientRamp ramp(from, to, p.Extent);
        const bool ellipses = kind >= 10;
        const bool fromOuterEnd = kind == 8 || kind == 10;
        if (ellipses)
            Fill(dc, kind == 10 ? to : from, 0, 0, w, h);
        for (int i = 0; i < p.Count; ++i) {
            const TColor colour = ramp.At(fromOuterEnd ? p.Count - i : i);
            const RECT r = p.Step(i, w, h);
            if (ellipses) {
                dc->SetBrushColor(colour);
                dc->SetPen(psSolid, 2, colour);
                dc->Ellipse(r);
            } else {
                Fill(dc, colour, r.left, r.top, r.right, r.bottom);
            }
        }
    }
}
