// When a Flash slide is over, for each end mode, against a movie whose frames are scripted.
#include "runtime/FlashEndRule.h"

#include <gtest/gtest.h>

namespace {

// Each reading of a playing movie advances it by Step frames; it stops by itself at StopAt (0: never),
// or with Loops starts again at frame 1.
struct TScriptedMovie : IFlashMovie {
    int Step = 10;
    int StopAt = 0;
    bool Loops = false;
    bool Playing = true;
    int Frame = 0;
    int StopPlays = 0;

    int CurrentFrame() override
    {
        if (Playing) {
            Frame += Step;
            if (StopAt && Frame >= StopAt) {
                Frame = Loops ? 1 : StopAt;
                Playing = Loops;
            }
        }
        return Frame;
    }
    bool IsPlaying() override { return Playing; }
    void StopPlay() override
    {
        Playing = false;
        ++StopPlays;
    }
};

// The tick on which the rule ends the movie; 0 when it has not within 100 ticks.
int EndingTick(CFlashEndRule& rule, TScriptedMovie& movie)
{
    for (int tick = 1; tick <= 100; ++tick)
        if (rule.Tick(movie))
            return tick;
    return 0;
}

struct Case {
    const char* What;
    int EndMode, EndFrame, Seconds, TotalFrames;
    TScriptedMovie Movie;
    int EndsOnTick;
    int StopPlays;
};

TScriptedMovie Movie(int step, int stopAt = 0, bool loops = false, bool playing = true)
{
    TScriptedMovie m;
    m.Step = step;
    m.StopAt = stopAt;
    m.Loops = loops;
    m.Playing = playing;
    return m;
}

} // namespace

TEST(FlashEndRule, EachEndModeEndsOnItsTick)
{
    const Case cases[] = {
        {"end frame 0 with a movie still at frame 0", 0, 0, 0, 0, Movie(0), 1, 1},
        {"end frame 50, ten frames a second", 0, 50, 0, 0, Movie(10), 5, 1},
        {"end frame past the last of a movie that stops", 0, 100, 0, 40, Movie(10, 40), 6, 0},
        {"end frame past the last of a looping movie", 0, 100, 0, 40, Movie(10, 40, true), 4, 1},
        {"end frame 50 of a movie that never loads", 0, 50, 0, 0, Movie(10, 0, false, false), 3, 0},
        {"0 seconds", 1, 0, 0, 0, Movie(10), 1, 1},
        {"5 seconds", 1, 0, 5, 0, Movie(10), 6, 1},
        {"never", 2, 0, 0, 0, Movie(10, 40), 0, 0},
        {"a movie that stops by itself after showing frames", 3, 0, 0, 0, Movie(10, 40), 6, 0},
        {"a movie of 180 frames that never plays", 3, 0, 0, 180, Movie(10, 0, false, false), 13, 0},
        {"a looping movie, once it starts again", 7, 0, 0, 0, Movie(10, 40, true), 4, 1},
    };
    for (const Case& c : cases) {
        CFlashEndRule rule;
        TScriptedMovie movie = c.Movie;
        rule.Start(c.EndMode, c.EndFrame, c.Seconds, c.TotalFrames);
        EXPECT_EQ(EndingTick(rule, movie), c.EndsOnTick) << c.What;
        EXPECT_EQ(movie.StopPlays, c.StopPlays) << c.What;
    }
}

TEST(FlashEndRule, ANewMovieIsNotJudgedByTheFramesOfThePreviousOne)
{
    CFlashEndRule rule;
    TScriptedMovie first = Movie(10, 40);
    rule.Start(3, 0, 0, 0);
    ASSERT_EQ(EndingTick(rule, first), 6);

    // Still loading: it gets its frame count's allowance, not the three ticks of a movie that was seen.
    TScriptedMovie second = Movie(10, 0, false, false);
    rule.Start(3, 0, 0, 180);
    EXPECT_EQ(EndingTick(rule, second), 13);

    // Playing from frame 1 after the first movie's frame 40 is not a loop.
    TScriptedMovie third = Movie(1);
    rule.Start(3, 0, 0, 0);
    EXPECT_EQ(EndingTick(rule, third), 0);
}
