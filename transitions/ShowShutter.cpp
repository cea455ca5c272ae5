// Show effects: a rectangle of the picture's proportions hangs from one corner and grows 2 px per frame on
// its shorter side; or the picture's even columns (rows) enter from the left (top) and its odd ones from
// the right (bottom), composed over the background. Shutter effects: bands about 10 px deep
// fill 2 px per frame, the even bands from one edge and the odd bands from the other. Every routine ends
// with a copy of the whole picture, also after a stop.
#include "transitions/ShowShutter.h"

#include <algorithm>
#include <cstdint>

#include "data/FileLog.h"
#include "transitions/AreaBackground.h"
#include "transitions/EffectKit.h"

namespace {

constexpr int kProgress = 2;

// The rectangle grows from (right ? W : 0, bottom ? H : 0); the longer side follows the shorter one.
void ShowFromCorner(CTransitionEffects& fx, const EffectArgs& args, bool right, bool bottom)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    int cw = 0, ch = 0;
    for (;;) {
        bool growing;
        if (H < W) {
            growing = ch < H;
            if (growing)
                cw = static_cast<int>(int64_t{W} * ch / H);
        } else {
            growing = cw < W;
            if (growing)
                ch = static_cast<int>(int64_t{H} * cw / W);
        }
        if (growing) {
            CopyPiece(fx, right ? W - cw : 0, bottom ? H - ch : 0, cw, ch);
            (H < W ? ch : cw) += kProgress;
        }
        // The frame that finds the rectangle complete draws nothing but still pauses.
        if (!EndFrame(fx, args.PauseMs) || !growing)
            break;
    }
    fx.ShowWithoutEffect();
}

// Lines [from, to) of the composition, rows or columns, onto the targets.
void ShowLines(const CTransitionEffects& fx, CAreaCanvas& canvas, bool rows, int from, int to)
{
    if (from >= to)
        return;
    if (rows)
        canvas.Show(0, from, fx.PictureWidth, to - from);
    else
        canvas.Show(from, 0, to - from, fx.PictureHeight);
}

// The comb: frame i (0..half, by `advance`) writes into the composition line 2 (half - i) + 2j of the picture
// at line 2j and line 2j + 1 at line 2 (half - i) + 2j + 1, for j = 0..i, then shows it. Lines past the
// picture's end carry nothing and are left out. The lines are moved as pixels: one column at a time through
// the drawing layer would cost a call per column and frame.
void ShowComb(CTransitionEffects& fx, const EffectArgs& args, bool rows, int advance)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CAreaCanvas canvas(fx);
    if (!canvas.IsReady()) {
        ZELT_LOG("ShowShutter", "cannot make the comb's %d x %d temporary: the picture is shown at once", W, H);
        fx.ShowWithoutEffect();
        return;
    }
    const PixelRect picture = PixelsOf(fx.Picture);
    const int extent = rows ? H : W;
    const int half = extent / 2 + 1;
    for (int i = 0; i <= half; i += advance) {
        const int shift = 2 * (half - i);
        // The previous frame's copies out of the composition are done before it is written.
        const PixelRect comb = canvas.Pixels();
        // Even lines 0..2i take line + shift; odd lines shift + 1..shift + 2i + 1 take line - shift.
        const int evenEnd = std::min(2 * i + 1, extent - shift);
        const int oddEnd = std::min(shift + 2 * i + 2, extent);
        if (rows) {
            for (int y = 0; y < evenEnd; y += 2)
                std::copy_n(picture.Row(y + shift), W, comb.Row(y));
            for (int y = shift + 1; y < oddEnd; y += 2)
                std::copy_n(picture.Row(y - shift), W, comb.Row(y));
        } else {
            for (int y = 0; y < H; ++y) {
                const uint32_t* from = picture.Row(y);
                uint32_t* to = comb.Row(y);
                for (int x = 0; x < evenEnd; x += 2)
                    to[x] = from[x + shift];
                for (int x = shift + 1; x < oddEnd; x += 2)
                    to[x] = from[x - shift];
            }
        }
        // The composition changes only in the lines just written.
        if (evenEnd >= shift + 1)
            ShowLines(fx, canvas, rows, 0, oddEnd);
        else {
            ShowLines(fx, canvas, rows, 0, evenEnd);
            ShowLines(fx, canvas, rows, shift + 1, oddEnd);
        }
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

} // namespace

void ShowFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowFromCorner(fx, args, false, true);
}

void ShowFromBottomRight(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowFromCorner(fx, args, true, true);
}

void ShowFromTopLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowFromCorner(fx, args, false, false);
}

void ShowFromTopRight(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowFromCorner(fx, args, true, false);
}

void ShowLeftRight(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowComb(fx, args, false, 1);
}

// The rows move 4 px per frame: i advances by 2.
void ShowUpDown(CTransitionEffects& fx, const EffectArgs& args)
{
    ShowComb(fx, args, true, 2);
}

// n = H / 10 bands of H / n + 1 rows, the last ones possibly below the picture. A picture under 10 px tall
// has no bands and gets the whole picture at once.
void ShutterHorizontal(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int n = H / 10;
    if (n > 0) {
        const int b = H / n + 1;
        for (int s = 0; s <= W + 2; s += kProgress) {
            for (int k = 0; k < n; k += 2) {
                CopyPiece(fx, s, k * b, kProgress, b);
                CopyPiece(fx, W - s, (k + 1) * b, kProgress, b);
            }
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    fx.ShowWithoutEffect();
}

// n = W / 10 bands of W / n + 1 columns; even bands fill from the top, odd ones from the bottom.
void ShutterVertical(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int n = W / 10;
    if (n > 0) {
        const int b = W / n + 1;
        for (int s = 0; s <= H; s += kProgress) {
            const int t = std::max(H - s - kProgress, 0);
            for (int k = 0; k < n; k += 2) {
                CopyPiece(fx, k * b, s, b, std::min(s + kProgress, H) - s);
                CopyPiece(fx, (k + 1) * b, t, b, (H - s) - t);
            }
            if (!EndFrame(fx, args.PauseMs))
                break;
        }
    }
    fx.ShowWithoutEffect();
}
