#include "transitions/Circle.h"

#include "transitions/GrowingReveal.h"
#include "transitions/ShapeRegion.h"
#include "transitions/StepOverride.h"

namespace {

// The sweep advances 2 pixels per frame whatever the slide's step.
constexpr int kSweepStep = 2;

// The phase names the edge along which the ray's far end travels (anticlockwise on the screen, starting
// at the bottom-right corner): 0 the right edge upward, 1 the top edge leftward, 2 the left edge downward,
// 3 the bottom edge rightward. a is the far end's position along that edge.
struct Sweep {
    int Phase;
    int A;
    bool Done = false;
};

// The whole area swept so far: from the centre to the bottom-right corner, around the corners already
// passed, to the ray's far end.
void AddSweptArea(CRegion& region, const Sweep& s, POINT m, int W, int H)
{
    switch (s.Phase) {
    case 0:
        AddPolygon(region, {m, {W, H}, {W, s.A}});
        break;
    case 1:
        AddPolygon(region, {m, {W, H}, {W, 0}, {s.A, 0}});
        break;
    case 2:
        AddPolygon(region, {m, {W, H}, {W, 0}, {0, 0}, {0, s.A}});
        break;
    case 3:
        AddPolygon(region, {m, {W, H}, {W, 0}, {0, 0}, {0, H}, {s.A, H}});
        break;
    default:
        break;
    }
}

void Advance(Sweep& s, int step, int W, int H)
{
    switch (s.Phase) {
    case 0:
        s.A -= step;
        if (s.A < 0) {
            s.Phase = 1;
            s.A = W;
        }
        break;
    case 1:
        s.A -= step;
        if (s.A < 0) {
            s.Phase = 2;
            s.A = 0;
        }
        break;
    case 2:
        s.A += step;
        if (s.A > H) {
            s.Phase = 3;
            s.A = 0;
        }
        break;
    default:
        s.A += step;
        if (s.A > W) {
            s.Done = true;
            s.A = 0;
        }
        break;
    }
}

} // namespace

void CircleSweep(CTransitionEffects& fx, const EffectArgs& args)
{
    CStepOverride step(fx, kSweepStep);
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const POINT centre{args.CentreX, args.CentreY};
    const int finalPhase = args.Arg2;

    Sweep sweep{args.Arg1, H};
    CGrowingReveal reveal;
    for (;;) {
        CRegion swept;
        AddSweptArea(swept, sweep, centre, W, H);
        Advance(sweep, fx.Step, W, H);
        if (sweep.Done || sweep.Phase == finalPhase) {
            // This frame's area is not drawn: the whole picture is.
            CopyPiece(fx, 0, 0, W, H);
            return;
        }
        reveal.Show(fx, swept);
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}
