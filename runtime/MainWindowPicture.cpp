// The main window's picture slides. Until the picture player is built, a picture slide ends at once.
#include "runtime/MainWindow.h"
#include "runtime/Messages.h"

void Tfmain::CreatePicturePlayer() {}

void Tfmain::ShowPicture()
{
    PostMessageW(Handle(), WM_NEXTMEDIA, 0, 0);
}

void Tfmain::StopPicture() {}

void Tfmain::ShowPicturePlayer(bool) {}
