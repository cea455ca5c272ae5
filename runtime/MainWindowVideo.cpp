// The main window's video slides: the video file (a cached copy of an embedded one, or one beside the
// project) and the two video forms used in turn.
#include "runtime/MainWindow.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/CharCodes.h"
#include "data/FileLog.h"
#include "data/TempDir.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/UserMessage.h"
#include "runtime/VideoPlayer.h"

#include <algorithm>

namespace {
const char kUnit[] = "main";
}

std::string Tfmain::ExternalMediaPath(const std::string& name)
{
    const std::string path = GlobeSettings->ProjectData.RelativePaths
                                 ? ExtractFilePath(GlobeSettings->FilePath) + ExtractFileName(name)
                                 : Media.FindStoredName(name);
    if (FileExists(path))
        return path;
    ShowUserMessage("File not found : " + path);
    return std::string();
}

std::string Tfmain::ExtractVideo(const std::string& name)
{
    if (!VideoCacheFile.empty() && FileExists(VideoCacheFile))
        MoveFileA(VideoCacheFile.c_str(), ChangeFileExt(VideoCacheFile, "").c_str());
    // Only the file-name part of the stored name goes into the cache's name; the cache folder is named
    // after the program, so two savers never share one.
    const std::string file = SafeFileName(name);
    const std::string folder = TempFilePath(CharCodesString(ChangeFileExt(ExtractFileName(GlobeSettings->FilePath), "")));
    if (file.empty() || folder.empty()) {
        ZELT_LOG(kUnit, "no cache file for video \"%.200s\"", name.c_str());
        return std::string();
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    VideoCacheFile = folder + "\\" + CharCodesString(ChangeFileExt(file, "")) + ExtractFileExt(file);
    const std::string twin = ChangeFileExt(VideoCacheFile, "");
    // Only a copy this run made is reused: one left by an earlier run may hold another project's video.
    const bool ours = std::find(TempFiles.begin(), TempFiles.end(), VideoCacheFile) != TempFiles.end();
    if (!ours || !FileExists(VideoCacheFile)) {
        if (ours && FileExists(twin)) {
            MoveFileA(twin.c_str(), VideoCacheFile.c_str());
        } else {
            TFileStream out(VideoCacheFile, fmCreate);
            if (!out.IsOpen() || !Media.LoadByName(name, out))
                ZELT_LOG(kUnit, "could not extract video \"%.200s\"", name.c_str());
            out.Close();
            Sleep(1000);
        }
    }
    AddTempFile(twin);
    AddTempFile(VideoCacheFile);
    return VideoCacheFile;
}

void Tfmain::PlayVideo()
{
    const std::string& name = MediaSetting.FileName;
    const std::string path = GlobeSettings->ProjectData.EmbeddedMedia ? ExtractVideo(name) : ExternalMediaPath(name);
    if (ShowEnded())
        return;
    const int chosen = VideoAlternation == 0 ? 1 : 0;
    ZELT_LOG(kUnit, "Video Player%d working", chosen);
    Tfvideoplayer*& player = VideoPlayers[chosen];
    if (!player)
        player = new Tfvideoplayer(this, GlobeSettings, SaverSettings, ScrMode, Handle());
    player->SetFile(path);
    player->SetMedia(&MediaSetting);
    player->SetMediaStore(&Media);
    player->PaintBackground();
    player->Show();
    delete VideoPlayers[1 - chosen];
    VideoPlayers[1 - chosen] = nullptr;
    VideoAlternation = chosen;
    ZELT_LOG(kUnit, "Exit from PlayVideo()");
}

void Tfmain::StopVideo(int deviceFlag)
{
    if (Tfvideoplayer* player = CurrentVideoPlayer())
        player->Close(deviceFlag);
}

void Tfmain::HideVideo(bool kindChanged)
{
    Tfvideoplayer* player = CurrentVideoPlayer();
    if (!kindChanged || !player)
        return;
    SetWindowPos(player->Handle(), HWND_BOTTOM, 0, 0, ClientWidth(), ClientHeight(), SWP_HIDEWINDOW | SWP_NOACTIVATE);
}

void Tfmain::FreeVideoPlayers()
{
    for (Tfvideoplayer*& player : VideoPlayers) {
        delete player;
        player = nullptr;
    }
}
