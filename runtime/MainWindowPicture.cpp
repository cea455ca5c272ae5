// The main window's picture slides, shown by the picture player.
#include "classlib/Application.h"
#include "runtime/MainWindow.h"
#include "runtime/PicturePlayer.h"

void Tfmain::CreatePicturePlayer()
{
    if (!ImageSlideShowPlayer)
        ImageSlideShowPlayer =
            new TfImageSlideShowPlayer(&Application, Handle(), ScrMode, &Media, GlobeSettings, SaverSettings);
}

void Tfmain::ShowPicture()
{
    if (!ImageSlideShowPlayer->ShowMedia(&MediaSetting))
        SkipFailedMedia();
}

void Tfmain::StopPicture()
{
    if (ImageSlideShowPlayer)
        ImageSlideShowPlayer->StopThread();
}

void Tfmain::ShowPicturePlayer(bool kindChanged)
{
    if (!ImageSlideShowPlayer)
        return;
    if (kindChanged)
        ImageSlideShowPlayer->Hide();
    else
        ImageSlideShowPlayer->Show();
}
