// Wipe effects 149-156: corner triangles whose diagonal is parallel to the picture's other diagonal, with legs
// v and v x q, q = H / W held in single precision.
#include <gtest/gtest.h>

#include <vector>

#include "FrameProbe.h"
#include "CentredPicture.h"

namespace {

constexpr int kWipeFromLeftTop = 150;
constexpr int kWipeFromLeftTopRightBottom = 151;
constexpr int kWipeToLeftTopRightBottom = 155;
constexpr int kWipeToRightTopLeftBottom = 156;

TEST(Wipe, FromLeftTopAt800x600Takes800FramesAndShowsTheTriangle400By300AtV400)
{
    ProbeSetup s;
    s.Effect = kWipeFromLeftTop;
    s.W = 800;
    s.H = 600;
    s.Probes = {201};  // v = 400
    const ProbeResult r = RunProbe(s);

    // v = 0, 2, ..., 1598.
    ASSERT_EQ(r.Frames, 800);
    EXPECT_EQ(r.Pauses, std::vector<int>(800, 2));
    // The triangle (0, 0), (400, 0), (0, 300); pixels within 2 px of its diagonal may go either way.
    const Snapshot& shot = r.Shots.at(201);
    int wrong = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const double d = (3.0 * (x + 0.5) + 4.0 * (y + 0.5) - 1200.0) / 5.0;  // distance to the diagonal
            if (d < -2)
                wrong += !ShowsOwn(shot, x, y);
            else if (d > 2)
                wrong += !ShowsBackground(shot, x, y);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0);
}

TEST(Wipe, TwoCornerAndToWipesAt800x600Take400Frames)
{
    for (int effect : {kWipeFromLeftTopRightBottom, kWipeToLeftTopRightBottom, kWipeToRightTopLeftBottom}) {
        ProbeSetup s;
        s.Effect = effect;
        s.W = 800;
        s.H = 600;
        s.Probes = {1, 400};
        const ProbeResult r = RunProbe(s);
        ASSERT_EQ(r.Frames, 400) << effect;
        EXPECT_EQ(r.Pauses, std::vector<int>(400, 2)) << effect;
        const int hidden1 = Mismatches(r.Shots.at(1), [](int, int) { return true; });
        const int hidden400 = Mismatches(r.Shots.at(400), [](int, int) { return true; });
        if (effect == kWipeFromLeftTopRightBottom) {
            // The last frame (v = 798) leaves at most a thin band along the diagonal.
            EXPECT_LT(hidden400, 800 * 4) << effect;
            EXPECT_GT(hidden1, 800 * 600 - 10) << effect;
        } else {
            // The first frame (v = 800) reveals at most a thin line along the diagonal; the last (v = 2)
            // leaves two small corner triangles.
            EXPECT_GT(hidden1, 800 * 600 - 800 * 4) << effect;
            EXPECT_LT(hidden400, 10) << effect;
        }
        EXPECT_EQ(Mismatches(r.End, [](int, int) { return true; }), 0) << effect;
    }
}

TEST(Wipe, LegsAreTheTruncatedProductsWithTheSinglePrecisionRatio)
{
    // 300 / 700 in single precision lies just above 3 / 7 (in double just below): the legs of v = 14 and
    // v = 700 are 6 and 300, where a double ratio would give 5 and 299.
    ProbeSetup s;
    s.Effect = kWipeFromLeftTop;
    s.W = 700;
    s.H = 300;
    s.Probes = {8, 351};
    const ProbeResult r = RunProbe(s);
    EXPECT_TRUE(ShowsOwn(r.Shots.at(8), 0, 5));
    EXPECT_TRUE(ShowsBackground(r.Shots.at(8), 0, 6));
    EXPECT_TRUE(ShowsOwn(r.Shots.at(351), 0, 299));
}

TEST(Wipe, EveryMemberPausesAsItsRowOfTheEffectListSays)
{
    ExpectPausePerFrame({
        {149, 2},
        {150, 2},
        {151, 2},
        {152, 2},
        {153, 2},
        {154, 2},
        {155, 2},
        {156, 2},
    });
}

} // namespace

// A picture smaller than the window, centred in it: the triangles are clipped where the picture lies.
TEST(Wipe, ACentredSmallerPictureIsRevealedInItsPlace)
{
    ExpectCentredPictureRevealedInPlace(149, 156);
}
