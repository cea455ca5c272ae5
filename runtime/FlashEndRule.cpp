#include "runtime/FlashEndRule.h"

void CFlashEndRule::Start(int endMode, int endFrame, int seconds, int totalFrames)
{
    EndMode = endMode;
    EndFrame = endFrame;
    SecondsLimit = seconds;
    TotalFrames = totalFrames;
    // A frame seen in an earlier movie says nothing about this one.
    LastFrame = 0;
    Ticks = 0;
    NotPlayingTicks = 0;
}

bool CFlashEndRule::Tick(IFlashMovie& movie)
{
    const int frame = movie.CurrentFrame();
    bool over = false;
    switch (EndMode) {
    case emEndFrame:
        // An end frame past the movie's last, or a movie the control could not load, is never reached: the
        // movie then ends as one without an end frame does.
        if (frame < EndFrame)
            return TickUntilStopped(movie, frame);
        over = true;
        break;
    case emSeconds:
        over = ++Ticks > SecondsLimit;
        break;
    case emNever:
        LastFrame = movie.CurrentFrame();
        return false;
    default:
        return TickUntilStopped(movie, frame);
    }
    LastFrame = frame;
    if (over)
        movie.StopPlay();
    return over;
}

// The movie ends when it has stopped by itself, or when it starts again from an earlier frame (it loops, so
// it has been shown once). A movie that has not shown a frame yet may still be loading: it gets a second for
// every 18 frames before it counts as stopped.
bool CFlashEndRule::TickUntilStopped(IFlashMovie& movie, int frame)
{
    if (movie.IsPlaying()) {
        const bool looped = frame < LastFrame;
        LastFrame = frame;
        if (looped)
            movie.StopPlay();
        return looped;
    }
    ++NotPlayingTicks;
    const int wait = LastFrame != 0 ? 3 : TotalFrames / 18 + 3;
    return NotPlayingTicks >= wait;
}
