#include "FrameProbe.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "OffscreenPictures.h"
#include "transitions/TransitionEffects.h"

ProbeResult RunProbe(const ProbeSetup& s)
{
    ProbeResult result;
    OffscreenPictures pictures(s.W, s.H);
    TThread thread;
    TransitionTestSeam seam;
    seam.FixedSeed = true;
    seam.OnPause = [&](int ms) { result.Pauses.push_back(ms); };
    seam.OnFrame = [&](CTransitionEffects&) {
        ++result.Frames;
        if (std::find(s.Probes.begin(), s.Probes.end(), result.Frames) != s.Probes.end())
            result.Shots[result.Frames] = pictures.ReadBuffer();
        if (result.Frames == s.StopAtFrame)
            thread.Terminate();
    };
    pictures.Run(s.Effect, s.Step, thread, seam);
    result.End = pictures.ReadBuffer();
    return result;
}

std::vector<int> AllFrames(int count)
{
    std::vector<int> frames;
    for (int f = 1; f <= count; ++f)
        frames.push_back(f);
    return frames;
}

void ExpectPausePerFrame(const std::vector<MemberPause>& members)
{
    for (const MemberPause& m : members) {
        ProbeSetup s;
        s.Effect = m.Effect;
        s.W = 23;
        s.H = 21;
        s.Step = 3;
        const ProbeResult r = RunProbe(s);
        EXPECT_GT(r.Frames, 0) << m.Effect;
        EXPECT_EQ(r.Pauses, std::vector<int>(r.Frames, m.Ms)) << m.Effect;
    }
}
