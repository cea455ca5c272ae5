// Wedge wipes: each frame copies the picture through a polygon with one corner at the apex
// ((W + 2) / 2, (H + 2) / 2), in three phases: the wedge opens on one edge (v = 1, 3, ... up to the apex's
// distance), its arms run along the two neighbouring edges (v over the whole side), and the triangle left
// on the opposite edge closes (v from the apex's distance down to 0). A final copy completes the picture.
// Window blinds: 20 frames, frame k copying line k of every 20-px slat; no final copy.
#include "transitions/WedgeBlind.h"

#include <vector>

#include "transitions/EffectKit.h"
#include "transitions/GrowingReveal.h"

namespace {

// The wedge's polygon for one phase and progress value.
using WedgePolygon = std::vector<POINT> (*)(int phase, int v, int W, int H, int cx, int cy);

struct PhaseRange {
    int Start;
    int Limit;  // the last value drawn
    int Delta;  // +2 or -2
};

bool InRange(const PhaseRange& range, int v)
{
    return range.Delta > 0 ? v <= range.Limit : v >= range.Limit;
}

// Each frame's wedge is shown through what it adds to the wedges before: they only ever put picture pixels
// in place, so the rest shows already.
void CopyPolygon(CTransitionEffects& fx, CGrowingReveal& reveal, const std::vector<POINT>& points)
{
    CRegion region;
    region.Adopt(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
    reveal.Show(fx, region);
}

// Runs the three phases: phase 0 from 1 up to `open`, then `sweep`, then from `close` down to 0.
void RunWedge(CTransitionEffects& fx, const EffectArgs& args, int open, PhaseRange sweep, int close,
              WedgePolygon polygon)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    const int cx = (W + 2) / 2, cy = (H + 2) / 2;
    const PhaseRange phases[3] = {{1, open, 2}, sweep, {close, 0, -2}};
    CGrowingReveal reveal;
    // Left on a stop request; the final copy follows either way.
    auto frames = [&] {
        for (int phase = 0; phase < 3; ++phase)
            for (int v = phases[phase].Start; InRange(phases[phase], v); v += phases[phase].Delta) {
                CopyPolygon(fx, reveal, polygon(phase, v, W, H, cx, cy));
                if (!EndFrame(fx, args.PauseMs))
                    return;
            }
    };
    frames();
    fx.ShowWithoutEffect();
}

std::vector<POINT> DownPolygon(int phase, int v, int W, int H, int cx, int cy)
{
    switch (phase) {
    case 0:
        return {{cx + v, 0}, {cx, cy}, {cx - v, 0}};
    case 1:
        return {{0, v}, {cx, cy}, {W, v}, {W, 0}, {0, 0}};
    default:
        return {{cx - v, H}, {cx, cy}, {cx + v, H}, {W, H}, {W, 0}, {0, 0}, {0, H}};
    }
}

std::vector<POINT> LeftPolygon(int phase, int v, int W, int H, int cx, int cy)
{
    switch (phase) {
    case 0:
        return {{W, cy + v}, {cx, cy}, {W, cy - v}};
    case 1:
        return {{v, 0}, {cx, cy}, {v, H}, {W, H}, {W, 0}};
    default:
        return {{0, cy - v}, {cx, cy}, {0, cy + v}, {0, H}, {W, H}, {W, 0}, {0, 0}};
    }
}

std::vector<POINT> RightPolygon(int phase, int v, int W, int H, int cx, int cy)
{
    switch (phase) {
    case 0:
        return {{0, cy - v}, {0, cy + v}, {cx, cy}};
    case 1:
        return {{v, 0}, {0, 0}, {0, H}, {v, H}, {cx, cy}};
    default:
        return {{W, cy - v}, {W, 0}, {0, 0}, {0, H}, {W, H}, {W, cy + v}, {cx, cy}};
    }
}

std::vector<POINT> UpPolygon(int phase, int v, int W, int H, int cx, int cy)
{
    switch (phase) {
    case 0:
        return {{cx - v, H}, {cx, cy}, {cx + v, H}};
    case 1:
        return {{0, v}, {cx, cy}, {W, v}, {W, H}, {0, H}};
    default:
        return {{cx - v, 0}, {cx, cy}, {cx + v, 0}, {W, 0}, {W, H}, {0, H}, {0, 0}};
    }
}

constexpr int kSlat = 20;

// Frame f copies line k of every slat (rows, or columns), k running 0 to 19 or, backward, 19 down to 0.
void RunBlind(CTransitionEffects& fx, const EffectArgs& args, bool columns, bool backward)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    for (int f = 0; f < kSlat; ++f) {
        const int k = backward ? kSlat - 1 - f : f;
        for (int line = k; line < (columns ? W : H); line += kSlat) {
            if (columns)
                CopyPiece(fx, line, 0, 1, H);
            else
                CopyPiece(fx, 0, line, W, 1);
        }
        if (!EndFrame(fx, args.PauseMs))
            return;
    }
}

} // namespace

void WedgeWipeDown(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RunWedge(fx, args, (W + 2) / 2, {0, H, 2}, (W + 2) / 2, DownPolygon);
}

void WedgeWipeLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RunWedge(fx, args, (H + 2) / 2, {W, 0, -2}, (H + 2) / 2, LeftPolygon);
}

void WedgeWipeRight(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RunWedge(fx, args, (H + 2) / 2, {0, W, 2}, (H + 2) / 2, RightPolygon);
}

void WedgeWipeUp(CTransitionEffects& fx, const EffectArgs& args)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    RunWedge(fx, args, (W + 2) / 2, {H, 0, -2}, (W + 2) / 2, UpPolygon);
}

void WindowBlindDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlind(fx, args, false, false);
}

void WindowBlindLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlind(fx, args, true, true);
}

void WindowBlindRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlind(fx, args, true, false);
}

void WindowBlindUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBlind(fx, args, false, true);
}
