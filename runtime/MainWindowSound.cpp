// The main window's background music and slide sounds.
#include "runtime/MainWindow.h"

#include "data/FileLog.h"
#include "data/SaverSettings.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/Messages.h"
#include "runtime/SoundPlayer.h"

#include <algorithm>
#include <cstdint>
#include <utility>

void Tfmain::CreateMusicPlayer()
{
    if (MusicPlayer)
        return;
    MusicPlayer = new CSoundPlayer(this);
    MusicPlayer->SetNotify(WM_MUSICDONE, Handle());
}

void Tfmain::PlayBackgroundMusic(bool play)
{
    const int count = SoundTable.TrackCount();
    if (SaverSettings->Data.BackgroundSound == 0 || !MusicPlayer || count == 0)
        return;
    const PROJECT_DATA& project = GlobeSettings->ProjectData;
    // A track that cannot be had or played gives way to the next, until each track of the list has failed.
    while (static_cast<int>(FailedTracks.size()) < count) {
        const std::string path = SoundTable.GetNext(GlobeSettings->FilePath, project.RandomMusic,
                                                    project.LoopMusic, project.EmbeddedMusic, project.RelativePaths);
        if (SoundTable.PlayedOut())
            return;
        if (!path.empty()) {
            if (project.EmbeddedMusic)
                AddTempFile(path);
            ZELT_LOG("main", "music track : %s", path.c_str());
            if (MusicPlayer->Play(path)) {
                if (!play)
                    MusicPlayer->Pause();
                return;
            }
            ZELT_LOG("main", "could not play %s", path.c_str());
        }
        FailedTracks.insert(SoundTable.TrackRow());
    }
    // A looping list would go round for ever; the device or the files may do better later.
    ZELT_LOG("main", "no track of the music list plays; trying again at the next slide");
    MusicStalled = 1;
}

void Tfmain::OnMusicDone()
{
    if (!MusicPlayer)
        return;
    MusicPlayer->Stop();
    // A track the device accepted and never played has failed like one it refused: the next one now.
    if (MusicPlayer->Failed()) {
        FailedTracks.insert(SoundTable.TrackRow());
        PlayBackgroundMusic(true);
        return;
    }
    FailedTracks.clear();
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

// Each slide pauses or resumes the music: also where a list that failed throughout gets its next try.
void Tfmain::PauseMusic()
{
    if (std::exchange(MusicStalled, 0)) {
        FailedTracks.clear();
        PlayBackgroundMusic(false);
    }
    else if (MusicPlayer)
        MusicPlayer->Pause();
}

void Tfmain::ResumeMusic()
{
    if (std::exchange(MusicStalled, 0)) {
        FailedTracks.clear();
        PlayBackgroundMusic(true);
    }
    else if (MusicPlayer)
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
