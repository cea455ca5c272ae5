// Draws a reveal whose frames each name the whole area shown so far: only the part no earlier frame
// copied is drawn again, so a frame costs what it adds, and both targets show the same as a copy of the
// whole area would. Also the two runs of the shape wipes built on it: a shape growing, and the area outside
// a shrinking shape.
#pragma once

#include "transitions/EffectKit.h"

class CGrowingReveal {
public:
    // Copies the picture through the part of area (picture coordinates) not shown yet, on both targets.
    void Show(CTransitionEffects& fx, const CRegion& area);

private:
    CRegion Shown_;
};

// A shape of size n added to a region; false when GDI cannot make it, and that size is skipped without
// drawing, pumping or pausing.
//   bool shape(CRegion& region, int n)

// One frame per size n = first .. last showing the shape, then the whole picture, also after a stop.
template <typename Shape>
void RevealGrowingShape(CTransitionEffects& fx, int pauseMs, int first, int last, Shape shape)
{
    CGrowingReveal reveal;
    for (int n = first; n <= last; ++n) {
        CRegion area;
        if (!shape(area, n))
            continue;
        reveal.Show(fx, area);
        if (!EndFrame(fx, pauseMs))
            break;
    }
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}

// One frame per size n = first .. 0 showing the area outside the shape, then the whole picture, also after
// a stop.
template <typename Shape>
void RevealOutsideShrinkingShape(CTransitionEffects& fx, int pauseMs, int first, Shape shape)
{
    CGrowingReveal reveal;
    for (int n = first; n >= 0; --n) {
        CRegion hidden;
        if (!shape(hidden, n))
            continue;
        CRegion area(0, 0, fx.PictureWidth, fx.PictureHeight);
        area.Subtract(hidden);
        reveal.Show(fx, area);
        if (!EndFrame(fx, pauseMs))
            break;
    }
    CopyPiece(fx, 0, 0, fx.PictureWidth, fx.PictureHeight);
}
