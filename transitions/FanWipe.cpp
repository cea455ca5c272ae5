#include "transitions/FanWipe.h"

#include "transitions/GrowingReveal.h"
#include "transitions/ShapeRegion.h"
#include "transitions/StepOverride.h"

namespace {

constexpr int kFanStep = 2;

enum class Turn { Clockwise, Anticlockwise };

struct Fan {
    int W, H;
    POINT M;  // the hub, (Cx, Cy)
    float R;  // H / W

    explicit Fan(const CTransitionEffects& fx)
        : W(fx.PictureWidth), H(fx.PictureHeight), M{(W + 2) / 2, (H + 2) / 2},
          R(RatioOf(fx.PictureHeight, fx.PictureWidth))
    {
    }

    // The four blades at horizontal travel t. In phase 0 each blade leaves an edge midpoint; in phase 1 it
    // has turned its corner and runs on to the next midpoint.
    void AddBlades(CRegion& region, Turn turn, int phase, int t) const
    {
        const int v = ScaleBy(R, t) + 1;  // the vertical travel that matches t
        const LONG cx = M.x, cy = M.y;
        if (turn == Turn::Clockwise) {
            if (phase == 0) {
                AddPolygon(region, {M, {cx, 0}, {cx + t, 0}});
                AddPolygon(region, {M, {0, cy}, {0, cy - v}});
                AddPolygon(region, {M, {cx, H}, {cx - t, H}});
                AddPolygon(region, {M, {W, cy}, {W, cy + v}});
            } else {
                AddPolygon(region, {M, {cx, 0}, {W, 0}, {W, v}});
                AddPolygon(region, {M, {0, cy}, {0, 0}, {t, 0}});
                AddPolygon(region, {M, {cx, H}, {0, H}, {0, H - v}});
                AddPolygon(region, {M, {W, cy}, {W, H}, {W - t, H}});
            }
        } else {
            if (phase == 0) {
                AddPolygon(region, {M, {W, cy}, {W, cy - v}});
                AddPolygon(region, {M, {cx, 0}, {cx - t, 0}});
                AddPolygon(region, {M, {0, cy}, {0, cy + v}});
                AddPolygon(region, {M, {cx, H}, {cx + t, H}});
            } else {
                AddPolygon(region, {M, {W, cy}, {W, 0}, {W - t, 0}});
                AddPolygon(region, {M, {cx, 0}, {0, 0}, {0, v}});
                AddPolygon(region, {M, {0, cy}, {0, H}, {t, H}});
                AddPolygon(region, {M, {cx, H}, {W, H}, {W, H - v}});
            }
        }
    }
};

// Ends with the whole picture once the blades have met; a stop request leaves the fan as drawn.
void RunFan(CTransitionEffects& fx, const EffectArgs& args, Turn turn)
{
    CStepOverride step(fx, kFanStep);
    const Fan fan(fx);
    int phase = 0, t = 1;
    CGrowingReveal reveal;
    for (;;) {
        if (phase == 1 && t > fan.M.x) {
            CopyPiece(fx, 0, 0, fan.W, fan.H);
            return;
        }
        CRegion blades;
        fan.AddBlades(blades, turn, phase, t);
        t += fx.Step;
        if (phase == 0 && t > fan.M.x) {
            t = 0;
            phase = 1;
        }
        reveal.Show(fx, blades);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

} // namespace

void FanWipe(CTransitionEffects& fx, const EffectArgs& args)
{
    RunFan(fx, args, Turn::Clockwise);
}

void FanWipeAnticlockwise(CTransitionEffects& fx, const EffectArgs& args)
{
    RunFan(fx, args, Turn::Anticlockwise);
}
