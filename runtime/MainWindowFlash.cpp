// The main window's Flash slides. Until the Flash player is built, a Flash slide ends at once.
#include "runtime/MainWindow.h"
#include "runtime/Messages.h"

void Tfmain::CreateFlashPlayer() {}

void Tfmain::PlayFlash()
{
    PostMessageW(Handle(), WM_NEXTMEDIA, 0, 0);
}

void Tfmain::StopFlash() {}
void Tfmain::HideFlash(bool) {}
void Tfmain::FreeFlashPlayer() {}
