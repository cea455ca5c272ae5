// One media file played through the media control interface (MCI command messages): open by file name,
// play with a completion notice, pause, resume, stop, position and length, and the video picture's place.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <string>

// The command-message entry of the interface; tests hand in their own.
using MciSendCommandFn = MCIERROR(WINAPI*)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

// Left, top and the third and fourth values of an MCI rectangle (MCI keeps width and height there).
struct MCI_AREA {
    int Left;
    int Top;
    int Width;
    int Height;
};

class CMMPlayer {
public:
    explicit CMMPlayer(MciSendCommandFn send = mciSendCommandA);
    virtual ~CMMPlayer();
    CMMPlayer(const CMMPlayer&) = delete;
    CMMPlayer& operator=(const CMMPlayer&) = delete;

    // 1 when opened; an empty name gives 0 and leaves an open device as it is, and so does an open device
    // that cannot be closed. Video is shown in window.
    int Open(const std::string& fileName, HWND window);
    // Closes the device; a flag of 0 sends nothing and leaves it to the destructor. A device that refuses
    // to close stays open.
    void Close(int sendClose);
    int SetDisplayWindow(HWND window);
    void ReadDeviceCaps();

    // Not open: 0xFFFFFFFF. A failed query on an open device gives the same.
    DWORD GetPosition();
    DWORD GetLength();
    // The MCI mode (MCI_MODE_PLAY, ...); 0 when not open or unknown.
    DWORD GetMode();
    bool SeekToStart();
    // Plays with a completion notice to the notify window; 1 when MCI accepted the command.
    int Play();
    int Pause();
    // Resumes, or plays when the device cannot resume.
    int Resume();
    int TogglePause();
    // A flag of 0 leaves the media playing.
    int Stop(int sendStop);
    // Width and height both non-zero: that rectangle; otherwise the display window's client area.
    int PutDestination(int left, int top, int width, int height);
    // (100, 100, 200, 200) unless an open video device answers.
    MCI_AREA GetDestination();

    bool IsOpen() const { return Opened != 0; }
    bool HasVideo() const { return HasVideo_ != 0; }
    bool IsVisual() const { return Visual != 0; }
    int SourceWidth() const { return SourceWidth_; }
    int SourceHeight() const { return SourceHeight_; }
    const std::string& Name() const { return Name_; }
    // Cleared: Play goes on from the current position unless the media has played to its end.
    void SetRewindBeforePlay(int rewind) { RewindBeforePlay = rewind; }

private:
    DWORD Status(DWORD item, DWORD notOpen);
    DWORD DeviceCap(DWORD item);
    bool Send(UINT message, DWORD flags, void* params);

    MciSendCommandFn SendCommand;
    MCIDEVICEID DeviceId = 0;
    int Opened = 0;
    HWND NotifyWindow = nullptr;
    HWND DisplayWindow = nullptr;
    std::string Name_;
    DWORD CanPlay = 0;
    DWORD CanRecord = 0;
    DWORD CanEject = 0;
    DWORD HasVideo_ = 0;
    DWORD DeviceType = 0;
    int Visual = 0;
    int SourceWidth_ = 0;
    int SourceHeight_ = 0;
    int RewindBeforePlay = 1;
};
