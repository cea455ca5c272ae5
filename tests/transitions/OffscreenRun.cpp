#include "OffscreenRun.h"

#include "classlib/Thread.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

OffscreenResult RunOffscreen(const OffscreenSetup& s)
{
    OffscreenResult result;
    CComPicture picture, background, buffer;
    FillCoordPicture(picture, s.W, s.H, kPictureMark);
    FillCoordPicture(background, s.W, s.H, kBackgroundMark);
    FillCoordPicture(buffer, s.W, s.H, kStaleMark);

    TThread thread;
    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.Seed = s.Seed;
    seam.OnPause = [&](int ms) { result.Pauses.push_back(ms); };
    seam.OnFrame = [&](CTransitionEffects& fx) {
        ++result.Frames;
        result.StepInFrames.push_back(fx.Step);
        if (s.KeepFrames)
            result.Shots.push_back(ReadPicture(buffer));
        if (result.Frames == s.StopAtFrame)
            thread.Terminate();
    };

    TransitionParams params = {};
    params.Background = &background;
    params.Picture = &picture;
    params.BackBuffer = &buffer;
    params.EffectIndex = s.Effect;
    params.EffectsOn = 1;
    params.Step = s.Step;
    params.Thread = &thread;

    g_TransitionTestSeam = &seam;
    CTransitionEffects fx;
    fx.LoadParams(params);
    fx.ShowTransition();
    g_TransitionTestSeam = nullptr;

    result.StepAfter = fx.Step;
    result.End = ReadPicture(buffer);
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
