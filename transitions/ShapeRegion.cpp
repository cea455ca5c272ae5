#include "transitions/ShapeRegion.h"

#include <vector>

namespace {

bool AddMade(CRegion& region, HRGN made)
{
    CRegion piece;
    piece.Adopt(made);
    if (!piece.Handle() || !region.Handle())
        return false;
    region.Add(piece);
    return true;
}

} // namespace

bool AddPolygon(CRegion& region, std::initializer_list<POINT> points)
{
    const std::vector<POINT> copy(points);
    return AddMade(region, CreatePolygonRgn(copy.data(), static_cast<int>(copy.size()), WINDING));
}

bool AddEllipse(CRegion& region, int left, int top, int right, int bottom)
{
    return AddMade(region, CreateEllipticRgn(left, top, right, bottom));
}
