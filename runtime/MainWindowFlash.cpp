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

std::string Tfmain::ExtractFlashMovie()
{
    const std::string movie = TempFilePath(std::to_string(GetTickCount()) + ".swf");
    TMemoryStream stream;
    // The stored name is no file of its own: without the extracted movie the slide cannot be shown.
    if (movie.empty() || !Media.LoadByFileName(MediaSetting.FileName, stream) || !stream.SaveToFile(movie)) {
        ZELT_LOG("main", "no movie extracted for %.200s", MediaSetting.FileName.c_str());
        return std::string();
    }
    AddTempFile(movie);
    for (const std::string& file : MediaSetting.ExtractAccFiles(ExtractFilePath(movie), 1))
        AddTempFile(file);
    return movie;
}

void Tfmain::PlayFlash()
{
    CreateFlashPlayer();
    std::string path, movie;
    // Where no control would play the movie nothing is extracted or looked for.
    if (FlashPlayer->HasControl() && GlobeSettings->ProjectData.EmbeddedMedia) {
        path = movie = ExtractFlashMovie();
    } else if (FlashPlayer->HasControl()) {
        path = ExternalMediaPath(MediaSetting.FileName);
        if (ShowEnded())
            return;
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
    // The control may hold its last movie until it has the next one.
    if (!movie.empty()) {
        if (!FlashTempFile.empty() && FlashTempFile != movie)
            DropTempFile(FlashTempFile);
        FlashTempFile = movie;
    }
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
