// The main window's video slides. Until the video player is built, a video slide ends at once.
#include "runtime/MainWindow.h"
#include "runtime/Messages.h"

void Tfmain::PlayVideo()
{
    PostMessageW(Handle(), WM_NEXTMEDIA, 0, 0);
}

void Tfmain::StopVideo(int) {}
void Tfmain::HideVideo(bool) {}
void Tfmain::FreeVideoPlayers() {}
