#include "OffscreenPictures.h"

#include "transitions/TransitionEffects.h"

OffscreenPictures::OffscreenPictures(int w, int h)
{
    FillCoordPicture(Picture_, w, h, kPictureMark);
    FillCoordPicture(Background_, w, h, kBackgroundMark);
    FillCoordPicture(Buffer_, w, h, kStaleMark);
}

int OffscreenPictures::Run(int effect, int step, TThread& thread, TransitionTestSeam& seam)
{
    TransitionParams params = {};
    params.Background = &Background_;
    params.Picture = &Picture_;
    params.BackBuffer = &Buffer_;
    params.EffectIndex = effect;
    params.EffectsOn = 1;
    params.Step = step;
    params.Thread = &thread;

    return RunWithSeam(params, seam);
}
