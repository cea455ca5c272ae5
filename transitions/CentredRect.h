// The centred rectangles the Center and Ellipse effects grow and shrink through: at step n, half of the
// picture's shorter side is n and the other half is in the picture's proportion.
#pragma once

#include <cstdint>

struct CentredRect {
    int Left, Top, Right, Bottom;
};

// The centred rectangle of step n in a W x H picture.
inline CentredRect CentreRect(int W, int H, int n)
{
    int halfW, halfH;
    if (W < H) {
        halfW = n;
        halfH = static_cast<int>(static_cast<int64_t>(H) * n / W);
    } else {
        halfH = n;
        halfW = static_cast<int>(static_cast<int64_t>(W) * n / H);
    }
    const int cx = W / 2, cy = H / 2;
    return {cx - halfW, cy - halfH, cx + halfW, cy + halfH};
}

// The step whose rectangle spans the shorter side.
inline int CentreSteps(int W, int H)
{
    return W < H ? W / 2 : H / 2;
}
