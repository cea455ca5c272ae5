// Program entry of the screen saver.
#include "classlib/Application.h"
#include "data/FileLog.h"
#include "runtime/MainWindow.h"
#include "runtime/app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_FileLog = new CFileLog();
    // At a log-off or shutdown Windows ends the process soon after telling it: what the end of the run gives
    // back goes at once, the main window's clean-up first.
    Application.OnEndSession = [] {
        if (Application.MainForm)
            Application.MainForm->DoClose();
        g_ScreensaverApp.Exit();
        delete g_FileLog;
        g_FileLog = nullptr;
    };
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
