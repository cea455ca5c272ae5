// The main window's Flash slides: the movie file (extracted when embedded) with its accessory files, and the
// Flash player's share of resizing and painting.
#include "runtime/MainWindow.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "data/TempDir.h"
#include "data/ZELTGlobeSettings.h"

void Tfmain::CreateFlashPlayer()
{
    if (FlashPlayer)
        return;
    FlashPlayer = std::make_unique<TFlashPlayer>(this, ScrMode, SaverSettings, GlobeSettings);
    FlashPlayer->SetScrMode(ScrMode);
    FlashPlayer->SetSettings(SaverSettings, GlobeSettings);
    FlashPlayer->SetMedia(&MediaSetting);
}

void Tfmain::PlayFlash()
{
    CreateFlashPlayer();
    std::string path = MediaSetting.FileName;
    if (GlobeSettings->ProjectData.EmbeddedMedia) {
        if (!FlashTempFile.empty())
            DeleteFileIfExists(FlashTempFile);
        const std::string movie = TempFilePath(std::to_string(GetTickCount()) + ".swf");
        path.clear();
        if (!movie.empty()) {
            MediaSetting.ExtractAccFiles(ExtractFilePath(movie), 1);
            TMemoryStream stream;
            if (Media.LoadByFileName(MediaSetting.FileName, stream)) {
                FlashTempFile = movie;
                if (stream.SaveToFile(movie))
                    path = movie;
            }
        }
        // The stored name is no file of its own: without the extracted movie the slide cannot be shown.
        if (path.empty())
            ZELT_LOG("main", "no movie extracted for %.200s", MediaSetting.FileName.c_str());
    } else {
        path = ExternalMediaPath(path);
        if (!path.empty())
            MediaSetting.ExtractAccFiles(ExtractFilePath(path), 0);
    }
    FlashPlayer->SetMovie(path);
    FlashPlayer->SetMedia(&MediaSetting);
    FlashPlayer->SetSettings(SaverSettings, GlobeSettings);
    // A slide that ends without playing waits like any slide that cannot be shown, so a project of them
    // does not spin.
    if (!FlashPlayer->CanPlay())
        MediaFailed = 1;
    FlashPlayer->Play();
    FlashPlayer->Show();
}

void Tfmain::StopFlash()
{
    if (FlashPlayer)
        FlashPlayer->Stop();
}

void Tfmain::HideFlash(bool kindChanged)
{
    if (FlashPlayer && kindChanged)
        FlashPlayer->Hide();
}

void Tfmain::FreeFlashPlayer()
{
    FlashPlayer.reset();
}

void Tfmain::FormResize()
{
    if (FlashPlayer)
        FlashPlayer->FitToForm();
}

void Tfmain::FormPaint(HDC dc)
{
    if (FlashPlayer)
        FlashPlayer->Repaint(dc);
}
