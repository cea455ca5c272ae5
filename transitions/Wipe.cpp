// Wipe effects: for a horizontal leg v the triangle's vertical leg is leg(v) = v x q cut toward zero, with
// q = H / W held in single precision, so every diagonal is parallel to the picture's. v moves 2 px per
// frame: up to 2W for one corner (the last triangle covers the picture), up to W for two opposite corners
// (they meet on the diagonal), down from W for the "to" wipes, which show the rectangle minus the two
// triangles. Every wipe ends with a copy of the whole picture, also after a stop.
#include "transitions/Wipe.h"

#include "transitions/EffectKit.h"

namespace {

constexpr int kProgress = 2;

enum Corner { kTopLeft = 1, kTopRight = 2, kBottomLeft = 4, kBottomRight = 8 };

// Adds to region the triangle of leg v standing in one corner of the W x H picture.
void AddTriangle(CRegion& region, Corner corner, int v, int leg, int W, int H)
{
    POINT points[3];
    switch (corner) {
    case kTopLeft:
        points[0] = {0, 0}, points[1] = {v, 0}, points[2] = {0, leg};
        break;
    case kTopRight:
        points[0] = {W, 0}, points[1] = {W - v, 0}, points[2] = {W, leg};
        break;
    case kBottomLeft:
        points[0] = {0, H}, points[1] = {v, H}, points[2] = {0, H - leg};
        break;
    case kBottomRight:
        points[0] = {W, H}, points[1] = {W - v, H}, points[2] = {W, H - leg};
        break;
    }
    CRegion triangle;
    triangle.Adopt(CreatePolygonRgn(points, 3, WINDING));
    region.Add(triangle);
}

struct WipeShape {
    unsigned Corners;  // Corner bits
    bool Inverse;      // show the picture rectangle minus the triangles
};

// Copies what this frame's region adds to `shown` (everything revealed so far), then adds it to `shown`.
// The frames only ever put picture pixels in place, so this shows the same as copying the whole region,
// while the drawing layer moves a thin band per frame instead of a growing area.
void DrawWipe(CTransitionEffects& fx, const WipeShape& shape, int v, int leg, CRegion& shown)
{
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    CRegion triangles;
    for (Corner corner : {kTopLeft, kTopRight, kBottomLeft, kBottomRight})
        if (shape.Corners & corner)
            AddTriangle(triangles, corner, v, leg, W, H);
    CRegion revealed;
    if (shape.Inverse) {
        revealed.AddRect(0, 0, W, H);
        revealed.Subtract(triangles);
    } else {
        revealed.Add(triangles);
    }
    CRegion fresh;
    fresh.Add(revealed);
    fresh.Subtract(shown);
    CopyRegion(fx, fresh);
    shown.Add(revealed);
}

// Grows the triangles: v = 0, 2, ... while v < end.
void WipeFrom(CTransitionEffects& fx, const EffectArgs& args, WipeShape shape, int end)
{
    const float q = RatioOf(fx.PictureHeight, fx.PictureWidth);
    CRegion shown;
    for (int v = 0; v < end; v += kProgress) {
        DrawWipe(fx, shape, v, ScaleBy(q, v), shown);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

// Shrinks the triangles taken out of the picture: v = W, W - 2, ... while v > 0.
void WipeTo(CTransitionEffects& fx, const EffectArgs& args, unsigned corners)
{
    const float q = RatioOf(fx.PictureHeight, fx.PictureWidth);
    CRegion shown;
    for (int v = fx.PictureWidth; v > 0; v -= kProgress) {
        DrawWipe(fx, {corners, true}, v, ScaleBy(q, v), shown);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

} // namespace

void WipeFromLeftBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kBottomLeft, false}, 2 * fx.PictureWidth);
}

void WipeFromLeftTop(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kTopLeft, false}, 2 * fx.PictureWidth);
}

void WipeFromLeftTopRightBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kTopLeft | kBottomRight, false}, fx.PictureWidth);
}

void WipeFromRightBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kBottomRight, false}, 2 * fx.PictureWidth);
}

void WipeFromRightTop(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kTopRight, false}, 2 * fx.PictureWidth);
}

void WipeFromRightTopLeftBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeFrom(fx, args, {kTopRight | kBottomLeft, false}, fx.PictureWidth);
}

void WipeToLeftTopRightBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeTo(fx, args, kTopLeft | kBottomRight);
}

void WipeToRightTopLeftBottom(CTransitionEffects& fx, const EffectArgs& args)
{
    WipeTo(fx, args, kTopRight | kBottomLeft);
}
