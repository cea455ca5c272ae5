// A video slide: a form over the main window showing the slide's background, and the video playing in a
// panel sized and placed by the slide's size mode. Polled once a second; at the end the video plays again
// when the project has one slide, otherwise the main window hears WM_NEXTMEDIA.
#pragma once

#include "classlib/Form.h"
#include "classlib/Timer.h"
#include "picture/ComPicture.h"
#include "runtime/MediaControl.h"
#include "runtime/PlayProgressWatch.h"
#include "runtime/ScrMode.h"

#include <string>

class CMedia;
class CMediaSetting;
class CSaverSettings;
class CVideoPanel;
class CZELTGlobeSettings;

// Where a video of the source size goes in a client area: left, top, width and height. Size modes 1 to 5
// double it, take a quarter, half or 0.7071 of the client width, or all of it (the height keeping the
// source's proportions); any other mode keeps the source size cut to the client. Centred, or at random.
struct VIDEO_BOUNDS {
    int Left;
    int Top;
    int Width;
    int Height;
};
VIDEO_BOUNDS VideoBounds(int sourceWidth, int sourceHeight, int clientWidth, int clientHeight, int sizeMode,
                         bool randomPlace);

class Tfvideoplayer : public TForm {
public:
    Tfvideoplayer(TComponent* owner, CZELTGlobeSettings* project, CSaverSettings* settings, TScrMode mode,
                  HWND parent, MciSendCommandFn send = mciSendCommandA);
    ~Tfvideoplayer() override;

    void SetFile(const std::string& path) { File = path; }
    void SetMedia(CMediaSetting* slide) { Slide = slide; }
    void SetMediaStore(CMedia* media) { Media = media; }
    // Composes the slide's background (with its title and text outside a preview) and shows it.
    void PaintBackground();
    // The window's parent, the main window: where its input and its end notice go.
    HWND ParentWindow();
    void StartPoll();
    void StopPoll();
    // Stops the poll and the video; a flag of 0 leaves the video playing.
    void Stop(int flag);
    // Stops and closes the video; a flag of 0 leaves the device to the form's destruction.
    void Close(int flag);

    TTimer* timer;

protected:
    void WndProc(TMessage& message) override;
    void FormPaint(HDC dc) override;

private:
    void FormCreate();
    void FormDestroy();
    void timerTimer();
    void StartVideo(int loop);
    // Plays from the start, the end rule starting afresh.
    void Play();
    bool Ended();
    int SizeMode() const;

    CComPicture Background;
    std::string File;
    CVideoPanel* Panel = nullptr;
    TScrMode ScrMode;
    CSaverSettings* SaverSettings;
    CMediaSetting* Slide = nullptr;
    CZELTGlobeSettings* GlobeSettings;
    CMedia* Media = nullptr;
    int Loop = 0;
    CMMPlayer Player;
    int TimerTag = 0;  // 0 start pending, 1 playing
    TPlayProgressWatch Progress;
};
