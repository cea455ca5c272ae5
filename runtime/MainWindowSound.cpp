// The main window's background music and slide sounds. Until the sound player is built the show is silent.
#include "runtime/MainWindow.h"

void Tfmain::PlayBackgroundMusic(bool) {}
void Tfmain::OnMusicDone() {}
void Tfmain::StartMusicGapTimer(int) {}
void Tfmain::StopMusicGapTimer() {}
void Tfmain::PauseMusic() {}
void Tfmain::ResumeMusic() {}
std::string Tfmain::FindMediaSound(const std::string&) { return std::string(); }
int Tfmain::PlayMediaSound(const std::string&) { return 0; }
void Tfmain::CreateMediaSoundPlayer() {}
void Tfmain::FreeMediaSoundPlayer() {}
void Tfmain::FreeMusicPlayer() {}
