#include "runtime/UserMessage.h"

#include "classlib/Dialogs.h"
#include "data/FileLog.h"
#include "runtime/app.h"

void ShowUserMessage(const std::string& text)
{
    ZELT_LOG("main", "%s", text.c_str());
    if (g_ScreensaverApp.ScrMode != smSaver && g_ScreensaverApp.ScrMode != smPreview)
        ShowMessage(text);
}
