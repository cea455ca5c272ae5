// Shapes that GDI turns into regions, added to an owned region. Each answers false when GDI could not
// make the shape (the region is then left as it was).
#pragma once

#include <windows.h>

#include <initializer_list>

#include "transitions/EffectKit.h"

// Adds the polygon through the points, filled with the winding rule.
bool AddPolygon(CRegion& region, std::initializer_list<POINT> points);
// Adds the ellipse inscribed in the rectangle.
bool AddEllipse(CRegion& region, int left, int top, int right, int bottom);
