#include "OffscreenPictures.h"

#include "transitions/TransitionEffects.h"

OffscreenPictures::OffscreenPictures(int w, int h, int frameW, int frameH)
{
    frameW = frameW ? frameW : w;
    frameH = frameH ? frameH : h;
    X_ = (frameW - w) / 2;
    Y_ = (frameH - h) / 2;
    FillCoordPicture(Picture_, w, h, kPictureMark);
    FillCoordPicture(Background_, frameW, frameH, kBackgroundMark);
    FillCoordPicture(Buffer_, frameW, frameH, kStaleMark);
}

int OffscreenPictures::Run(int effect, int step, TThread& thread, TransitionTestSeam& seam)
{
    TransitionParams params = {};
    params.Background = &Background_;
    params.Picture = &Picture_;
    params.BackBuffer = &Buffer_;
    params.EffectIndex = effect;
    params.EffectsOn = 1;
    params.X = X_;
    params.Y = Y_;
    params.Step = step;
    params.Thread = &thread;

    return RunWithSeam(params, seam);
}
