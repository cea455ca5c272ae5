// Drawing steps of the moving effects (Move, numbered Move, Bar): a piece of the new picture copied to another
// place of the picture area, and the background put back over lines that a moving piece has left.
#pragma once

#include "transitions/TransitionEffects.h"

// Copies the w x h rectangle at (sx, sy) of the new picture to (X + dx, Y + dy): window first, then back buffer.
// Only picture pixels are copied, and only into the picture area.
void CopyPieceTo(CTransitionEffects& fx, int sx, int sy, int w, int h, int dx, int dy);

// Puts the background back over the rectangle (x, y, w, h) of the picture area (picture coordinates, cut to
// the area and to the background): back buffer first, then window.
void RestoreBackground(CTransitionEffects& fx, int x, int y, int w, int h);
