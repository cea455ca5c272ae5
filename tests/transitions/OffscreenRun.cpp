#include "OffscreenRun.h"

#include "OffscreenPictures.h"
#include "transitions/TransitionEffects.h"

OffscreenResult RunOffscreen(const OffscreenSetup& s)
{
    OffscreenResult result;
    OffscreenPictures pictures(s.W, s.H);
    TThread thread;
    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.Seed = s.Seed;
    seam.OnPause = [&](int ms) { result.Pauses.push_back(ms); };
    seam.OnFrame = [&](CTransitionEffects& fx) {
        ++result.Frames;
        result.StepInFrames.push_back(fx.Step);
        if (s.KeepFrames)
            result.Shots.push_back(pictures.ReadBuffer());
        if (result.Frames == s.StopAtFrame)
            thread.Terminate();
    };
    result.StepAfter = pictures.Run(s.Effect, s.Step, thread, seam);
    result.End = pictures.ReadBuffer();
    return result;
}

int HiddenPixels(const Snapshot& shot)
{
    int hidden = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x)
            hidden += !Revealed(shot, x, y);
    return hidden;
}
