#include "runtime/PicturePlayer.h"

#include <algorithm>

#include "data/FileLog.h"
#include "data/MediaSetting.h"
#include "data/Monitors.h"
#include "data/Random.h"
#include "data/SaverSettings.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/Background.h"
#include "runtime/Cursor.h"
#include "runtime/Messages.h"
#include "runtime/SlideShowThread.h"

TMonitorQuery g_PlayerMonitors = {GetMonitorCount, GetMonitorRect};

namespace {

const char kUnit[] = "ImageSlideShowPlayer";

int WidthOf(const CComPicture& picture)
{
    return picture.IsEmpty() ? 0 : picture.Bitmap()->Width();
}

int HeightOf(const CComPicture& picture)
{
    return picture.IsEmpty() ? 0 : picture.Bitmap()->Height();
}

// Monitor n in the window: the main window covers the virtual screen from its true origin, which lies left of
// or above the primary monitor's (0, 0) when another monitor does.
RECT MonitorInWindow(int n)
{
    int originX = 0, originY = 0, width = 0, height = 0;
    g_PlayerMonitors.Rect(0, originX, originY, width, height);
    int left = 0, top = 0;
    g_PlayerMonitors.Rect(n, left, top, width, height);
    return RECT{left - originX, top - originY, left - originX + width, top - originY + height};
}

// One axis of a clone, centred: all of monitor 1 on a larger monitor 2, the middle of it on a smaller one.
struct TCloneAxis {
    TCloneAxis(LONG from, LONG fromEnd, LONG to, LONG toEnd)
    {
        const int fromSize = fromEnd - from;
        const int toSize = toEnd - to;
        const int offset = (toSize - fromSize) / 2;
        Source = toSize >= fromSize ? from : from - offset;
        Dest = toSize >= fromSize ? to + offset : to;
        Length = std::min(fromSize, toSize);
    }
    int Source, Dest, Length;
};

} // namespace

TfImageSlideShowPlayer::TfImageSlideShowPlayer(TComponent* owner, HWND parent, TScrMode mode, CMedia* media,
                                               CZELTGlobeSettings* project, CSaverSettings* settings)
    : TForm(owner, parent), ScrMode(mode), Project(project), Settings(settings), Media(media)
{
    DoubleBuffered = true;
    FormCreate();
}

TfImageSlideShowPlayer::~TfImageSlideShowPlayer()
{
    FormDestroy();
}

void TfImageSlideShowPlayer::FormCreate()
{
    RECT client = {};
    GetClientRect(ParentWindow(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    MoveWindow(Handle(), 0, 0, width, height, TRUE);
    BackgroundPicture.Create(width, height, 0);
    BackBuffer.Create(width, height, 0);
    if (Settings->Data.ScreenIndex == 0 && g_PlayerMonitors.Count() >= 2) {
        int left = 0, top = 0, w = 0, h = 0;
        g_PlayerMonitors.Rect(1, left, top, w, h);
        Monitor1Picture.Create(w, h, 0);
        g_PlayerMonitors.Rect(2, left, top, w, h);
        Monitor2Picture.Create(w, h, 0);
    }
    Hook.Install(Handle(), [this](TMessage& m) { SlideWndProc(m); });
}

void TfImageSlideShowPlayer::FormDestroy()
{
    StopThread();
    Hook.Remove();
}

bool TfImageSlideShowPlayer::ShowMedia(CMediaSetting* slide)
{
    Slide = slide;
    if (!Slide)
        return false;
    // Monitors counted after the form was made have no pictures to compose into: one composition then.
    const bool dual = Settings->Data.ScreenIndex == 0 && g_PlayerMonitors.Count() >= 2 &&
                      Settings->DualMonitorMode != 3 && !Monitor1Picture.IsEmpty() && !Monitor2Picture.IsEmpty();
    // Hidden since its last slide (its own flag: a hidden preview parent hides nothing here), the form was
    // covered by a video or Flash slide: the back buffer, which painting shows and transitions start from, no
    // longer holds what the screen does.
    const bool covered = ShownBefore && !(GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE);
    if (covered)
        BackBuffer.FillRect(BackBuffer.GetRect(), clBlack);
    if (!(dual ? ShowDualMonitor() : ShowWholeArea(covered)))
        return false;
    Show();
    ShownBefore = true;
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void TfImageSlideShowPlayer::StopThread()
{
    if (!Thread)
        return;
    // Its end notice must not reach this player, which may be gone by then.
    Thread->OnTerminate = nullptr;
    Thread->Terminate();
    Thread = nullptr;
}

bool TfImageSlideShowPlayer::LoadPicture(TPlacement& p)
{
    if (!LoadMediaPicture(&p.Picture, Slide->FileName, Media, Project) || WidthOf(p.Picture) <= 0 ||
        HeightOf(p.Picture) <= 0) {
        ZELT_LOG(kUnit, "cannot show the picture \"%s\"", Slide->FileName.c_str());
        return false;
    }
    return true;
}

void TfImageSlideShowPlayer::FitPicture(TPlacement& p, int frameW, int frameH, bool logFit)
{
    const int imgW = WidthOf(p.Picture);
    const int imgH = HeightOf(p.Picture);
    const bool larger = imgW > frameW || imgH > frameH;
    p.SourceW = p.W = imgW;
    p.SourceH = p.H = imgH;
    switch (Project->ProjectData.FitMode) {
    case 0:
        if (larger)
            FitSize(&p.W, &p.H, imgW, imgH, frameW, frameH);
        break;
    case 1:
        FitSize(&p.W, &p.H, imgW, imgH, frameW, frameH);
        if (logFit && g_FileLog) {
            g_FileLog->Where(kUnit, 677);
            g_FileLog->Print("neww=%d , newh=%d , imgw=%d , imgh=%d , framew=%d , frameh=%d", p.W, p.H, imgW, imgH,
                             frameW, frameH);
        }
        break;
    case 2:
        // A region of the frame's proportions from the top-left corner fills the frame: the one that shares a
        // smaller picture's shorter side where that fits in the picture, else the largest one inside it (an
        // 800 x 600 photo in a 1920 x 1080 frame would otherwise take 1066 columns of its 800).
        if (!larger)
            ScaleSize(&p.SourceW, &p.SourceH, imgW, imgH, frameW, frameH);
        if (larger || p.SourceW > imgW || p.SourceH > imgH)
            FitSize(&p.SourceW, &p.SourceH, frameW, frameH, imgW, imgH);
        p.W = frameW;
        p.H = frameH;
        break;
    case 3:
        p.W = frameW;
        p.H = frameH;
        break;
    default:
        break;
    }
    p.X = (frameW - p.W) / 2;
    p.Y = (frameH - p.H) / 2;
    if (Project->ProjectData.RandomPosition) {
        p.X = RandomInt(frameW - p.W);
        p.Y = RandomInt(frameH - p.H);
    }
}

void TfImageSlideShowPlayer::PutPicture(CComPicture& dest, TPlacement& p, int x, int y)
{
    if (Slide->Data.DrawTransparent)
        p.Picture.StretchTransparentDraw(dest.DC(), x, y, p.W, p.H);
    else
        HalftoneStretch(dest.DC(), x, y, p.W, p.H, &p.Picture, p.SourceW, p.SourceH);
}

bool TfImageSlideShowPlayer::ShowWholeArea(bool covered)
{
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    const int frameW = frame.right - frame.left;
    const int frameH = frame.bottom - frame.top;
    // The picture is loaded first, so a slide that cannot be shown changes nothing on the screen.
    TPlacement p;
    if (!LoadPicture(p))
        return false;
    const int backgroundMode = Project->ProjectData.BackgroundMode;
    CBackground background;
    background.SetParams(Slide, Project);
    background.Media = Media;
    if (backgroundMode == 0) {
        background.Target = &BackgroundPicture;
        background.Draw(ScrMode);
        BackgroundPicture.DrawToPicture(0, 0, &BackBuffer, SRCCOPY);
    }
    FitPicture(p, frameW, frameH, true);
    int x = p.X;
    int y = p.Y;
    if (backgroundMode == 1) {
        // The transition starts from what the screen shows and reveals a whole composed frame; after a video
        // or Flash slide, from this slide's background.
        if (!NewPicture.Create(WidthOf(BackgroundPicture), HeightOf(BackgroundPicture), 0))
            return false;
        background.Target = &NewPicture;
        background.DrawBackground();
        if (covered)
            NewPicture.DrawToPicture(0, 0, &BackBuffer, SRCCOPY);
        BackBuffer.DrawToPicture(0, 0, &BackgroundPicture, SRCCOPY);
        PutPicture(NewPicture, p, p.X, p.Y);
        if (ScrMode != smPreview) {
            background.DrawTitle();
            background.DrawTextBlock();
        }
        x = y = 0;
    } else {
        if (!NewPicture.Create(p.W, p.H, 0)) {
            ZELT_LOG(kUnit, "no room for the picture \"%s\" (%d x %d)", Slide->FileName.c_str(), p.W, p.H);
            return false;
        }
        // A colour-keyed picture shows the background through its key colour.
        if (Slide->Data.DrawTransparent && !BackgroundPicture.IsEmpty())
            NewPicture.DC()->BitBlt(0, 0, p.W, p.H, BackgroundPicture.DC(), p.X, p.Y, SRCCOPY);
        PutPicture(NewPicture, p, 0, 0);
    }
    return StartThread(x, y);
}

bool TfImageSlideShowPlayer::ShowDualMonitor()
{
    switch (Settings->DualMonitorMode) {
    case 1:
        if (!ComposeMonitor(1) || !ComposeMonitor(2))
            return false;
        break;
    case 2:
        if (!ComposeMonitor(1))
            return false;
        CloneToMonitor2();
        break;
    default:
        if (!ComposeMonitor(1))
            return false;
        Slide->MoveNext(Project->ProjectData.ShuffleSlides);
        // A next slide that is no picture plays after this one, so the records go back to where the main
        // window expects them; it, or a picture that cannot be shown, leaves monitor 2 the same slide.
        if (Slide->Data.MediaType != 0) {
            Slide->TakeBackMove();
            CloneToMonitor2();
        } else if (!ComposeMonitor(2)) {
            CloneToMonitor2();
        }
        break;
    }
    return StartThread(0, 0);
}

bool TfImageSlideShowPlayer::ComposeMonitor(int n)
{
    const RECT place = MonitorInWindow(n);
    const int frameW = place.right - place.left;
    const int frameH = place.bottom - place.top;
    TPlacement p;
    if (!LoadPicture(p))
        return false;
    FitPicture(p, frameW, frameH, false);
    const CComPicture& size = n == 1 ? Monitor1Picture : Monitor2Picture;
    CComPicture monitor;
    if (!monitor.Create(WidthOf(size), HeightOf(size), 0))
        return false;
    CBackground background;
    background.Target = &monitor;
    background.SetParams(Slide, Project);
    background.Media = Media;
    // The capture covers the virtual screen from the window's origin: this monitor's part of it.
    background.DesktopOrigin = {place.left, place.top};
    background.DrawBackground();
    PutPicture(monitor, p, p.X, p.Y);
    if (ScrMode != smPreview) {
        background.DrawTitle();
        background.DrawTextBlock();
    }
    if (n == 1 && !NewPicture.Create(WidthOf(BackgroundPicture), HeightOf(BackgroundPicture), 0))
        return false;
    monitor.DrawToPicture(place.left, place.top, &NewPicture, SRCCOPY);
    return true;
}

void TfImageSlideShowPlayer::CloneToMonitor2()
{
    const RECT one = MonitorInWindow(1);
    const RECT two = MonitorInWindow(2);
    const TCloneAxis x(one.left, one.right, two.left, two.right);
    const TCloneAxis y(one.top, one.bottom, two.top, two.bottom);
    CDC* dc = NewPicture.DC();
    if (dc)
        dc->BitBlt(x.Dest, y.Dest, x.Length, y.Length, dc, x.Source, y.Source, SRCCOPY);
}

bool TfImageSlideShowPlayer::StartThread(int x, int y)
{
    Params.Wnd = Handle();
    Params.Background = &BackgroundPicture;
    Params.Picture = &NewPicture;
    Params.BackBuffer = &BackBuffer;
    Params.EffectIndex = Slide->NextEffect();
    Params.EffectsOn = Slide->Data.EffectOn;
    Params.X = x;
    Params.Y = y;
    Params.Step = Slide->Data.Step;
    auto* thread = new TSlideShowThread(&Params);
    thread->OnTerminate = [this](TThread* t) { OnThreadTerminate(t); };
    thread->FreeOnTerminate = true;
    if (!thread->Start()) {
        ZELT_LOG(kUnit, "cannot start the slideshow thread");
        delete thread;
        return false;
    }
    Thread = thread;
    return true;
}

void TfImageSlideShowPlayer::OnThreadTerminate(TThread* thread)
{
    // The notice of a thread stopped earlier must not forget the one running now.
    if (thread == Thread)
        Thread = nullptr;
}

void TfImageSlideShowPlayer::FormPaint(HDC dc)
{
    if (!BackBuffer.IsEmpty())
        BitBlt(dc, 0, 0, WidthOf(BackBuffer), HeightOf(BackBuffer), BackBuffer.DC()->Handle(), 0, 0, SRCCOPY);
}

void TfImageSlideShowPlayer::SlideWndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_KEYDOWN:
    case WM_CHAR:
        PostMessageW(ParentHandle(), message.Msg, message.WParam, message.LParam);
        break;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_SETCURSOR:
        ApplyCursorRule(ScrMode, Settings->PasswordPrompt != 0);
        break;
    case WM_HELP:
        SendMessageW(ParentHandle(), message.Msg, message.WParam, message.LParam);  // it carries a pointer: no post
        message.Result = 0;
        return;
    case WM_TRANSITIONDONE:
        PostMessageW(ParentHandle(), WM_NEXTMEDIA, 0, 0);
        break;
    case WM_DESTROY:
        // Gone with its parent (a preview whose display settings closed): the transition draws no more frames.
        StopThread();
        break;
    default:
        if (message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_MBUTTONUP)
            PostMessageW(ParentHandle(), message.Msg, message.WParam, message.LParam);
        break;
    }
    Hook.CallOld(message);
}

HWND TfImageSlideShowPlayer::ParentHandle()
{
    return GetParent(Handle());
}
