#include "runtime/Background.h"

#include "data/Monitors.h"
#include "picture/ComPicture.h"
#include "picture/DC.h"

#include <windows.h>

void CaptureScreen(CComPicture* picture, int monitor)
{
    int left = 0, top = 0, width = 0, height = 0;
    GetMonitorRect(monitor, left, top, width, height);
    HDC screen = GetDC(nullptr);
    if (picture->Create(width, height, 0) && screen)
        picture->DC()->BitBltFromHandle(0, 0, width, height, screen, left, top, SRCCOPY);
    if (screen)
        ReleaseDC(nullptr, screen);
}
