// Rain effects: each frame keeps one band of Step lines of the picture in a temporary, draws a band in its
// place and stretches the temporary over the part of the area not yet revealed. "Down" and "right" draw a
// band in place one frame after stretching it; "left" and "up" in the same frame. Every member ends with the
// whole picture, also after a stop. The temporary never exceeds the picture's side, however large the step.
#include "transitions/Rain.h"

#include <algorithm>
#include <cstdint>

#include "data/FileLog.h"
#include "transitions/EffectKit.h"
#include "transitions/PictureBlit.h"
#include "transitions/PixelScale.h"

using std::max;
using std::min;

namespace {

// The lines a member works on: rows for "down" and "up", columns for "left" and "right".
class RainLines {
public:
    RainLines(CTransitionEffects& fx, bool rows) : Fx_(fx), Rows_(rows) {}

    // Lines along the direction of travel.
    int Extent() const { return Rows_ ? Fx_.PictureHeight : Fx_.PictureWidth; }

    // A temporary for `lines` lines across the whole picture.
    CTempPicture MakeTemp(int lines) const
    {
        return Rows_ ? CTempPicture(Fx_.PictureWidth, lines) : CTempPicture(lines, Fx_.PictureHeight);
    }

    // Picture lines [from, from + count) into the temporary's first lines.
    void Keep(CTempPicture& temp, int from, int count) const
    {
        if (Rows_)
            BlitClipped(temp.Get(), 0, 0, Fx_.PictureWidth, count, Fx_.Picture, 0, from);
        else
            BlitClipped(temp.Get(), 0, 0, count, Fx_.PictureHeight, Fx_.Picture, from, 0);
    }

    // Picture lines [from, from + count) in their place on both targets.
    void Draw(int from, int count) const
    {
        if (Rows_)
            CopyPiece(Fx_, 0, from, Fx_.PictureWidth, count);
        else
            CopyPiece(Fx_, from, 0, count, Fx_.PictureHeight);
    }

    // The temporary's first `count` lines stretched over lines [to, to + length) of the picture area. The back
    // buffer is stretched into in its own stretch mode and the window takes the result from it, so the two
    // always match and the stretch runs once; without a back buffer the window is stretched into. The
    // drawing layer's stretches are far too slow for most of the picture in every frame, so ours stand in
    // for its smoothing and for its repeating of lines; only lines merged in the other modes are left to it.
    void Stretch(CTempPicture& temp, int count, int to, int length) const
    {
        if (count <= 0 || length <= 0)
            return;
        const int W = Fx_.PictureWidth, H = Fx_.PictureHeight;
        const int sw = Rows_ ? W : count, sh = Rows_ ? count : H;
        const int dx = Fx_.X + (Rows_ ? 0 : to), dy = Fx_.Y + (Rows_ ? to : 0);
        const int dw = Rows_ ? W : length, dh = Rows_ ? length : H;
        HDC buffer = PictureDC(Fx_.BackBuffer);
        if (!buffer) {
            if (Fx_.WindowDC)
                ::StretchBlt(Fx_.WindowDC, dx, dy, dw, dh, temp.Handle(), 0, 0, sw, sh, SRCCOPY);
            return;
        }
        const int mode = GetStretchBltMode(buffer);
        if (mode == HALFTONE || length >= count) {
            PixelRect band = PixelsOf(temp.Get());
            band.Width = sw;
            band.Height = sh;
            ScalePixels(band, PixelsOf(Fx_.BackBuffer), dx, dy, dw, dh,
                        mode == HALFTONE ? ScaleFilter::Average : ScaleFilter::Nearest, nullptr);
        } else {
            ::StretchBlt(buffer, dx, dy, dw, dh, temp.Handle(), 0, 0, sw, sh, SRCCOPY);
        }
        // Only the part that lies on the back buffer is read back from it.
        const int left = max(dx, 0), top = max(dy, 0);
        const int right = min(dx + dw, Fx_.BufferWidth), bottom = min(dy + dh, Fx_.BufferHeight);
        if (Fx_.WindowDC && left < right && top < bottom)
            ::BitBlt(Fx_.WindowDC, left, top, right - left, bottom - top, buffer, left, top, SRCCOPY);
    }

private:
    CTransitionEffects& Fx_;
    bool Rows_;
};

void LogNoTemp(const CTransitionEffects& fx)
{
    ZELT_LOG("Rain", "no band picture for %d x %d with step %d: the picture is shown at once", fx.PictureWidth,
             fx.PictureHeight, fx.Step);
}

// "Down" and "right": band s is stretched over [s, end) and drawn in place in the next frame. The last band
// may reach past the picture; only its lines inside are kept and stretched.
void RainForward(CTransitionEffects& fx, const EffectArgs& args, bool rows)
{
    const RainLines lines(fx, rows);
    const int n = lines.Extent(), S = fx.Step;
    CTempPicture temp = lines.MakeTemp(min(S, n));
    if (!temp.IsMade()) {
        LogNoTemp(fx);
        return;
    }
    // 64 bits: s + S must not wrap for a step near the 32-bit limit.
    for (int64_t s64 = 0; s64 < n; s64 += S) {
        const int s = static_cast<int>(s64);
        const int count = min(S, n - s);
        lines.Keep(temp, s, count);
        const int a = max(s - S, 0);
        lines.Draw(a, s - a);
        lines.Stretch(temp, count, s, n - s);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

// "Left" and "up": the band [c, c + S) one step further in each frame is drawn in place and stretched over
// [0, c).
void RainBackward(CTransitionEffects& fx, const EffectArgs& args, bool rows)
{
    const RainLines lines(fx, rows);
    const int n = lines.Extent(), S = fx.Step;
    if (S >= n)
        return;  // no frame: only the final copy
    CTempPicture temp = lines.MakeTemp(S);
    if (!temp.IsMade()) {
        LogNoTemp(fx);
        return;
    }
    for (int64_t a = S; a < n; a += S) {
        const int c = n - static_cast<int>(a);
        lines.Keep(temp, c, S);
        lines.Draw(c, S);
        lines.Stretch(temp, S, 0, c);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

} // namespace

void RainDown(CTransitionEffects& fx, const EffectArgs& args)
{
    const int previous = fx.SetStretchModes(HALFTONE);
    RainForward(fx, args, true);
    // Both targets get back the mode the back buffer had (0: there was no back buffer to ask).
    if (previous != 0)
        fx.SetStretchModes(previous);
    fx.ShowWithoutEffect();
}

void RainRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RainForward(fx, args, false);
    fx.ShowWithoutEffect();
}

void RainLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RainBackward(fx, args, false);
    fx.ShowWithoutEffect();
}

void RainUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RainBackward(fx, args, true);
    fx.ShowWithoutEffect();
}
