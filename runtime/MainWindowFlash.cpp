// The main window's Flash slides: the movie file (extracted when embedded) with its accessory files, and the
// Flash player's share of resizing and painting.
#include "runtime/MainWindow.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/TempDir.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/UserMessage.h"

namespace {

// The temporary folder ending in exactly one separator; "" when there is none.
std::string TempFolder()
{
    std::string folder = GetTempDir();
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder.empty() ? folder : folder + "\\";
}

} // namespace

void Tfmain::CreateFlashPlayer()
{
    if (FlashPlayer)
        return;
    FlashPlayer = std::make_unique<TFlashPlayer>(this, ScrMode, SaverSettings, GlobeSettings);
    FlashPlayer->SetScrMode(ScrMode);
    FlashPlayer->SetSettings(SaverSettings, GlobeSettings);
    FlashPlayer->SetMedia(&MediaSetting);
}

std::string Tfmain::ResolveMediaPath(const std::string& name)
{
    if (GlobeSettings->ProjectData.RelativePaths)
        return ExtractFilePath(GlobeSettings->FilePath) + ExtractFileName(name);
    return Media.FindStoredName(name);
}

void Tfmain::PlayFlash()
{
    std::string path = MediaSetting.FileName;
    if (GlobeSettings->ProjectData.EmbeddedMedia) {
        TMemoryStream stream;
        if (!FlashTempFile.empty())
            DeleteFileIfExists(FlashTempFile);
        const std::string folder = TempFolder();
        if (!folder.empty()) {
            MediaSetting.ExtractAccFiles(folder, 1);
            if (Media.LoadByFileName(path, stream)) {
                FlashTempFile = folder + std::to_string(GetTickCount()) + ".swf";
                stream.SaveToFile(FlashTempFile);
                path = FlashTempFile;
            }
        }
    } else {
        path = ResolveMediaPath(path);
        MediaSetting.ExtractAccFiles(ExtractFilePath(path), 0);
        if (!FileExists(path)) {
            ShowUserMessage("File not found : " + path);
            path.clear();
        }
    }
    FlashPlayer->SetMovie(path);
    FlashPlayer->SetMedia(&MediaSetting);
    FlashPlayer->SetSettings(SaverSettings, GlobeSettings);
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
