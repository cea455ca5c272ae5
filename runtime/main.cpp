// Program entry of the screen saver.
#include "classlib/Application.h"
#include "data/FileLog.h"
#include "runtime/MainWindow.h"
#include "runtime/app.h"

#include <windows.h>

#include <stdexcept>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_FileLog = new CFileLog();
    try {
        Application.Initialize();
        Application.MainFormOnTaskBar = false;
        if (g_ScreensaverApp.Init())
            Application.CreateForm<Tfmain>();
        Application.Run();
        // The windows go before the project they read from is closed.
        Application.DestroyComponents();
    } catch (const std::exception& e) {
        Application.ShowException(e);
    } catch (...) {
        Application.ShowException(std::runtime_error(""));
    }
    g_ScreensaverApp.Exit();
    delete g_FileLog;
    g_FileLog = nullptr;
    return 0;
}
