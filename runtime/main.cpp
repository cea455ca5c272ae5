// Program entry of the screen saver.
#include "classlib/Application.h"
#include "data/FileLog.h"
#include "runtime/MainWindow.h"
#include "runtime/app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_FileLog = new CFileLog();
    g_ScreensaverApp.RunGuarded([] {
        Application.Initialize();
        Application.MainFormOnTaskBar = false;
        if (g_ScreensaverApp.Init())
            Application.CreateForm<Tfmain>();
        Application.Run();
    });
    // The windows go before the project they read from is closed, however the run ended.
    Application.DestroyComponents();
    g_ScreensaverApp.Exit();
    delete g_FileLog;
    g_FileLog = nullptr;
    return 0;
}
