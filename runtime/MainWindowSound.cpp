// The main window's background music and slide sounds.
#include "runtime/MainWindow.h"

#include "data/FileLog.h"
#include "data/SaverSettings.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/Messages.h"
#include "runtime/SoundPlayer.h"

#include <algorithm>
#include <cstdint>

void Tfmain::CreateMusicPlayer()
{
    if (MusicPlayer)
        return;
    MusicPlayer = new CSoundPlayer(this);
    MusicPlayer->SetNotify(WM_MUSICDONE, Handle());
}

void Tfmain::PlayBackgroundMusic(bool play)
{
    if (SaverSettings->Data.BackgroundSound == 0 || !MusicPlayer)
        return;
    const PROJECT_DATA& project = GlobeSettings->ProjectData;
    const std::string path = SoundTable.GetNext(GlobeSettings->FilePath, project.RandomMusic, project.LoopMusic,
                                                project.EmbeddedMusic, project.RelativePaths);
    if (path.empty())
        return;
    if (project.EmbeddedMusic)
        AddTempFile(path);
    ZELT_LOG("main", "music track : %s", path.c_str());
    MusicPlayer->Play(path);
    if (!play)
        MusicPlayer->Pause();
}

void Tfmain::OnMusicDone()
{
    if (MusicPlayer)
        MusicPlayer->Stop();
    const std::int32_t seconds = GlobeSettings->ProjectData.MusicGap;
    if (seconds > 0)
        StartMusicGapTimer(seconds);
    else
        PlayBackgroundMusic(true);
}

void Tfmain::StartMusicGapTimer(int seconds)
{
    if (MusicGapTimerRunning)
        return;
    const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
    timer2->SetInterval(static_cast<UINT>(std::min<std::int64_t>(ms, USER_TIMER_MAXIMUM)));
    timer2->SetEnabled(true);
    MusicGapTimerRunning = 1;
}

void Tfmain::StopMusicGapTimer()
{
    if (!MusicGapTimerRunning)
        return;
    timer2->SetEnabled(false);
    MusicGapTimerRunning = 0;
}

void Tfmain::PauseMusic()
{
    if (MusicPlayer)
        MusicPlayer->Pause();
}

void Tfmain::ResumeMusic()
{
    if (MusicPlayer)
        MusicPlayer->Resume();
}

std::string Tfmain::FindMediaSound(const std::string& name)
{
    const PROJECT_DATA& project = GlobeSettings->ProjectData;
    const std::string path =
        SoundTable.GetByName(name, GlobeSettings->FilePath, project.EmbeddedMedia, project.RelativePaths);
    if (!path.empty() && project.EmbeddedMedia)
        AddTempFile(path);
    return path;
}

int Tfmain::PlayMediaSound(const std::string& path)
{
    return MediaSoundPlayer ? MediaSoundPlayer->Play(path) : 0;
}

void Tfmain::CreateMediaSoundPlayer()
{
    if (MediaSoundPlayer)
        return;
    MediaSoundPlayer = new CSoundPlayer(this);
    MediaSoundPlayer->SetNotify(WM_MEDIASOUNDDONE, Handle());
}

void Tfmain::FreeMediaSoundPlayer()
{
    delete MediaSoundPlayer;
    MediaSoundPlayer = nullptr;
}

void Tfmain::FreeMusicPlayer()
{
    delete MusicPlayer;
    MusicPlayer = nullptr;
}
