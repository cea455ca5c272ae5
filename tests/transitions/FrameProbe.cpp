#include "FrameProbe.h"

#include <algorithm>

#include "classlib/Thread.h"
#include "transitions/TransitionEffects.h"
#include "transitions/TransitionTestSeam.h"

ProbeResult RunProbe(const ProbeSetup& s)
{
    ProbeResult result;
    CComPicture picture, background, buffer;
    FillCoordPicture(picture, s.W, s.H, kPictureMark);
    FillCoordPicture(background, s.W, s.H, kBackgroundMark);
    FillCoordPicture(buffer, s.W, s.H, kStaleMark);

    TThread thread;
    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.OnPause = [&](int ms) { result.Pauses.push_back(ms); };
    seam.OnFrame = [&](CTransitionEffects&) {
        ++result.Frames;
        if (std::find(s.Probes.begin(), s.Probes.end(), result.Frames) != s.Probes.end())
            result.Shots[result.Frames] = ReadPicture(buffer);
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
    {
        CTransitionEffects fx;
        fx.LoadParams(params);
        fx.ShowTransition();
    }
    g_TransitionTestSeam = nullptr;
    result.End = ReadPicture(buffer);
    return result;
}
