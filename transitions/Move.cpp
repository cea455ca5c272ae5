// Move effects: each runs the offsets s = 0, S, 2S, ... while s < L + S + 1 with its own step S in place of
// the slide's, drawing the part of the picture that has entered by s. The moving picture only grows inside
// the area, so no background is restored, and the last frame (s past L) leaves the whole picture.
#include "transitions/Move.h"

#include <algorithm>

#include "transitions/EffectKit.h"
#include "transitions/MovePiece.h"
#include "transitions/StepOverride.h"

namespace {

// Runs one slide of length L with step S; frame(s) draws the frame at offset s.
template <typename Frame>
void Slide(CTransitionEffects& fx, const EffectArgs& args, int step, int length, Frame frame)
{
    CStepOverride override(fx, step);
    for (int s = 0; s < length + fx.Step + 1; s += fx.Step) {
        frame(s);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

// The corner slides: the vertical extent follows the horizontal offset by the single-precision ratio H / W.
// enter(s, e, a, b) draws the frame with e = trunc(s * H / W), a = max(W - s, 0), b = max(H - e, 0).
template <typename Enter>
void CornerSlide(CTransitionEffects& fx, const EffectArgs& args, int step, Enter enter)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const float ratio = RatioOf(H, W);
    Slide(fx, args, step, W, [&](int s) {
        const int e = ScaleBy(ratio, s);
        enter(s, e, std::max(W - s, 0), std::max(H - e, 0));
    });
}

} // namespace

void MoveDown(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    Slide(fx, args, 1, H, [&](int s) { CopyPieceTo(fx, 0, std::max(H - s, 0), W, std::min(s, H), 0, 0); });
}

void MoveLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    Slide(fx, args, 2, W, [&](int s) {
        const int a = std::max(W - s, 0);
        CopyPieceTo(fx, 0, 0, W - a, H, a, 0);
    });
}

void MoveRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    Slide(fx, args, 2, W, [&](int s) { CopyPieceTo(fx, std::max(W - s, 0), 0, std::min(s, W), H, 0, 0); });
}

void MoveUp(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    Slide(fx, args, 2, H, [&](int s) {
        const int a = std::max(H - s, 0);
        CopyPieceTo(fx, 0, 0, W, H - a, 0, a);
    });
}

void MoveLeftRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, Wh = W / 2;
    Slide(fx, args, 2, Wh, [&](int s) {
        CopyPieceTo(fx, std::max(Wh - s, 0), 0, std::min(Wh, s), H, 0, 0);
        const int a = std::max(W - s, Wh);
        CopyPieceTo(fx, Wh, 0, W - a, H, a, 0);
    });
}

void MoveUpDown(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight, Hh = H / 2;
    Slide(fx, args, 2, Hh, [&](int s) {
        CopyPieceTo(fx, 0, std::max(Hh - s, 0), W, std::min(Hh, s), 0, 0);
        const int a = std::max(H - s, Hh);
        CopyPieceTo(fx, 0, Hh, W, H - a, 0, a);
    });
}

void MoveFromBottomLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CornerSlide(fx, args, 1, [&](int s, int, int a, int b) { CopyPieceTo(fx, a, 0, std::min(s, W), H - b, 0, b); });
}

void MoveFromBottomRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CornerSlide(fx, args, 2, [&](int, int, int a, int b) { CopyPieceTo(fx, 0, 0, W - a, H - b, a, b); });
}

void MoveFromTopLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CornerSlide(fx, args, 2,
                [&](int s, int e, int a, int b) { CopyPieceTo(fx, a, b, std::min(s, W), std::min(e, H), 0, 0); });
}

void MoveFromTopRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CornerSlide(fx, args, 2, [&](int, int e, int a, int b) { CopyPieceTo(fx, 0, b, W - a, std::min(e, H), a, 0); });
}
