// The background under the picture area as a temporary's starting content: only the part of the area that
// lies on the background is copied, the rest stays black, also for placements far off the background.
#include <gtest/gtest.h>

#include <climits>

#include "TransitionHarness.h"
#include "transitions/AreaBackground.h"

namespace {

struct AreaCase {
    int X, Y;
};

Snapshot AreaUnder(const AreaCase& c, int w, int h)
{
    CComPicture background, picture;
    FillCoordPicture(background, 10, 8, kBackgroundMark);
    FillCoordPicture(picture, w, h, kPictureMark);
    CTransitionEffects fx;
    fx.BackgroundPicture = &background;
    fx.Picture = &picture;
    fx.PictureWidth = w;
    fx.PictureHeight = h;
    fx.X = c.X;
    fx.Y = c.Y;
    CTempPicture temp(w, h);
    CopyAreaBackground(fx, temp);
    return ReadPicture(*temp.Get());
}

TEST(AreaBackground, CopiesThePartOfTheAreaThatLiesOnTheBackground)
{
    // 6 x 4 at (-2, 5): columns 2..5 and rows 0..2 of the area lie on the 10 x 8 background.
    const Snapshot shot = AreaUnder({-2, 5}, 6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool on = x >= 2 && y < 3;
            EXPECT_EQ(shot.At(x, y), on ? CoordPixel(x - 2, y + 5, kBackgroundMark) : 0u) << x << "," << y;
        }
}

TEST(AreaBackground, AnAreaOffTheBackgroundStaysBlack)
{
    for (const AreaCase& c : {AreaCase{10, 0}, AreaCase{-6, 0}, AreaCase{INT_MAX - 2, 0}, AreaCase{0, INT_MAX - 1}}) {
        const Snapshot shot = AreaUnder(c, 6, 4);
        for (uint32_t v : shot.Pixels)
            EXPECT_EQ(v, 0u) << c.X << "," << c.Y;
    }
}

} // namespace
