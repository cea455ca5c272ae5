// When a Flash slide is over: the rule of the slide's end mode, applied at each tick of the player's poll.
#pragma once

// What the rule reads from the playing movie, and how it stops it.
class IFlashMovie {
public:
    virtual int CurrentFrame() = 0;
    virtual bool IsPlaying() = 0;
    virtual void StopPlay() = 0;

protected:
    ~IFlashMovie() = default;
};

class CFlashEndRule {
public:
    // Any other mode ends when the movie stops or starts again, and so does the end frame's while it is not
    // reached.
    enum { emEndFrame = 0, emSeconds = 1, emNever = 2 };

    // A new movie: its slide's end mode, end frame and seconds, and the movie's frame count.
    void Start(int endMode, int endFrame, int seconds, int totalFrames);
    // One poll tick (a second). True when the movie is over; a movie still running has been stopped.
    bool Tick(IFlashMovie& movie);

private:
    bool TickUntilStopped(IFlashMovie& movie, int frame);

    int EndMode = emNever;
    int EndFrame = 0;
    int SecondsLimit = 0;
    int TotalFrames = 0;
    int LastFrame = 0;   // frame of the previous tick of this movie
    int Ticks = 0;
    int NotPlayingTicks = 0;
};
