#include "CentredPicture.h"

#include <gtest/gtest.h>

#include "OffscreenPictures.h"
#include "transitions/TransitionEffects.h"

namespace {

struct CentredCount {
    int Frames = 0;
    int Stray = 0;   // pixels of any frame that show neither their own background nor, inside the picture,
                     // the picture's pixel for their place
    int Hidden = 0;  // pixels of the picture still hidden at the end
};

// Counts the stray pixels of a shot; with `hidden`, also the picture's pixels it does not show yet.
int CountStray(const Snapshot& shot, int w, int h, int* hidden)
{
    const int x0 = (shot.Width - w) / 2, y0 = (shot.Height - h) / 2;
    int stray = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const uint32_t v = shot.At(x, y);
            const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
            const bool shown = inside && v == CoordPixel(x - x0, y - y0, kPictureMark);
            stray += !shown && v != CoordPixel(x, y, kBackgroundMark);
            if (hidden)
                *hidden += inside && !shown;
        }
    return stray;
}

CentredCount RunCentred(int effect, int w, int h, int frameW, int frameH)
{
    CentredCount count;
    OffscreenPictures pictures(w, h, frameW, frameH);
    TThread thread;
    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.OnPause = [](int) {};
    seam.OnFrame = [&](CTransitionEffects&) {
        ++count.Frames;
        count.Stray += CountStray(pictures.ReadBuffer(), w, h, nullptr);
    };
    pictures.Run(effect, 1, thread, seam);
    count.Stray += CountStray(pictures.ReadBuffer(), w, h, &count.Hidden);
    return count;
}

} // namespace

void ExpectCentredPictureRevealedInPlace(int first, int last)
{
    for (int number = first; number <= last; ++number) {
        const CentredCount c = RunCentred(number, 30, 17, 64, 41);
        EXPECT_GT(c.Frames, 1) << "effect " << number;
        EXPECT_EQ(c.Stray, 0) << "effect " << number;
        EXPECT_EQ(c.Hidden, 0) << "effect " << number;
    }
}
