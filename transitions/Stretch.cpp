// Stretch effects: each frame stretches the whole picture (smoothing) into the current box of a composition
// that starts as the background under the picture area and is never cleared, then shows the box.
// The box grows by Step per frame (2 for "from right"); a final copy completes the picture, also after a
// stop, and the temporary's stretch mode is given back before it is freed.
#include "transitions/Stretch.h"

#include <cstdint>

#include "picture/DC.h"
#include "data/FileLog.h"
#include "transitions/AreaBackground.h"
#include "transitions/PixelScale.h"
#include "transitions/EffectKit.h"
#include "transitions/PicturePyramid.h"

namespace {

// A box (left, top, width, height) in picture coordinates.
struct Box {
    int X, Y, W, H;
};

// Where the frames are composed, the temporary (when there is one) in halftone stretch mode for as long as
// this object lives. The smoothing stretch is an area-averaging scale of our own from pre-shrunk copies of the
// picture, on the helper threads: the drawing layer's halftone reads the whole picture for every frame and is
// far too slow.
class CStretchCanvas {
public:
    explicit CStretchCanvas(CTransitionEffects& fx)
        : Fx_(fx), Canvas_(fx), Pyramid_(PixelsOf(fx.Picture), fx.Workers)
    {
        if (Canvas_.IsReady() && Canvas_.Temp())
            PreviousMode_ = Canvas_.Temp()->Get()->DC()->SetStretchBltMode(HALFTONE);
    }
    ~CStretchCanvas()
    {
        if (Canvas_.IsReady() && Canvas_.Temp())
            Canvas_.Temp()->Get()->DC()->SetStretchBltMode(PreviousMode_);
    }
    CStretchCanvas(const CStretchCanvas&) = delete;
    CStretchCanvas& operator=(const CStretchCanvas&) = delete;

    bool IsReady() const { return Canvas_.IsReady(); }

    // Stretches the picture into the box, shows it, and ends the frame; false on a stop. The composition
    // changes only inside the box, which holds every earlier box, so each frame shows the box alone.
    bool Frame(const Box& box, int pauseMs)
    {
        if (box.W > 0 && box.H > 0)
            ScalePixels(Pyramid_.For(box.W, box.H), Canvas_.Pixels(), box.X, box.Y, box.W, box.H,
                        ScaleFilter::Average, &Fx_.Workers);
        Canvas_.Show(box.X, box.Y, box.W, box.H);
        return EndFrame(Fx_, pauseMs);
    }

private:
    CTransitionEffects& Fx_;
    CAreaCanvas Canvas_;
    int PreviousMode_ = 0;
    CPicturePyramid Pyramid_;
};

// Makes the canvas, runs the frames while it could be made, and ends with the final copy.
template <typename Frames>
void RunStretch(CTransitionEffects& fx, Frames frames)
{
    {
        CStretchCanvas canvas(fx);
        if (canvas.IsReady())
            frames(canvas);
        else
            ZELT_LOG("Stretch", "no temporary picture of %d x %d: the picture is shown at once",
                     fx.PictureWidth, fx.PictureHeight);
    }
    fx.ShowWithoutEffect();
}

int Scale(int value, int num, int den)
{
    return static_cast<int>(int64_t{value} * num / den);
}

// The box keeps the picture's proportions and its shorter side grows by Step; (right, bottom) name the
// corner it hangs from. The frame that finds the box complete draws nothing but still pauses.
void StretchFromCorner(CTransitionEffects& fx, const EffectArgs& args, bool right, bool bottom)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight, p = fx.Step;
        int c = 0, r = 0;
        for (;;) {
            const bool growing = H < W ? r < H : c < W;
            if (!growing)
                break;
            if (H < W)
                c = Scale(W, r, H);
            else
                r = Scale(H, c, W);
            if (!canvas.Frame({right ? W - c : 0, bottom ? H - r : 0, c, r}, args.PauseMs))
                return;
            (H < W ? r : c) += p;
        }
        EndFrame(fx, args.PauseMs);
    });
}

} // namespace

void StretchFromBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight;
        for (int v = H; v > 0; v -= fx.Step)
            if (!canvas.Frame({0, v, W, H - v}, args.PauseMs))
                return;
    });
}

void StretchFromLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight;
        for (int v = 0; v < W; v += fx.Step)
            if (!canvas.Frame({0, 0, v, H}, args.PauseMs))
                return;
    });
}

// Always 2 px per frame, whatever Step holds.
void StretchFromRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight;
        for (int v = W; v > 0; v -= 2)
            if (!canvas.Frame({v, 0, W - v, H}, args.PauseMs))
                return;
    });
}

void StretchFromTop(CTransitionEffects& fx, const EffectArgs& args)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight;
        for (int v = 0; v < H; v += fx.Step)
            if (!canvas.Frame({0, 0, W, v}, args.PauseMs))
                return;
    });
}

// The box grows around (W / 2, H / 2); the shorter side drives, the other follows the proportions.
void StretchFromCenter(CTransitionEffects& fx, const EffectArgs& args)
{
    RunStretch(fx, [&](CStretchCanvas& canvas) {
        const int W = fx.PictureWidth, H = fx.PictureHeight;
        const int hw = W / 2, hh = H / 2;
        const int limit = W < H ? hw : hh;
        for (int o = 0; o < limit; o += fx.Step) {
            const int dx = W < H ? o : Scale(o, W, H);
            const int dy = W < H ? Scale(o, H, W) : o;
            if (!canvas.Frame({hw - dx, hh - dy, 2 * dx, 2 * dy}, args.PauseMs))
                return;
        }
    });
}

void StretchFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    StretchFromCorner(fx, args, false, true);
}

void StretchFromBottomRight(CTransitionEffects& fx, const EffectArgs& args)
{
    StretchFromCorner(fx, args, true, true);
}

void StretchFromTopLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    StretchFromCorner(fx, args, false, false);
}

void StretchFromTopRight(CTransitionEffects& fx, const EffectArgs& args)
{
    StretchFromCorner(fx, args, true, false);
}
