// Pre-shrunk copies of a picture, halved along either axis as often as asked, so that scaling the picture
// into a small box reads not much more than the box's own pixels.
#pragma once

#include <map>
#include <memory>

#include "transitions/PixelScale.h"

class CPicturePyramid {
public:
    CPicturePyramid(const PixelRect& picture, CParallelRows& rows) : Picture_(picture), Rows_(rows) {}
    CPicturePyramid(const CPicturePyramid&) = delete;
    CPicturePyramid& operator=(const CPicturePyramid&) = delete;

    // The smallest copy at least w wide and h high: at most about twice the box along each axis. Copies are
    // made on first use; when memory runs out the picture itself serves.
    const PixelRect& For(int w, int h);

private:
    // The picture halved kx times across and ky times down.
    const PixelRect& Level(int kx, int ky);

    struct Copy {
        std::unique_ptr<uint32_t[]> Pixels;
        PixelRect Rect;
    };
    PixelRect Picture_;
    CParallelRows& Rows_;
    std::map<std::pair<int, int>, std::unique_ptr<Copy>> Copies_;
};
