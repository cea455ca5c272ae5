#include "runtime/VideoPlayer.h"

#include "data/FileLog.h"
#include "data/MediaSetting.h"
#include "data/ZELTGlobeSettings.h"
#include "runtime/Background.h"
#include "runtime/Messages.h"
#include "runtime/VideoPanel.h"

#include <algorithm>

namespace {

const char kUnit[] = "VideoPlayer";

// The offset of a video in free pixels of space: at random, or centred (negative when it does not fit).
int PlaceOnAxis(int space, bool randomPlace)
{
    if (!randomPlace)
        return space / 2;
    return space <= 0 ? 0 : static_cast<int>(GetTickCount() % static_cast<DWORD>(space));
}

} // namespace

VIDEO_BOUNDS VideoBounds(int sourceWidth, int sourceHeight, int clientWidth, int clientHeight, int sizeMode,
                         bool randomPlace)
{
    // A source without a width has no proportions: it is taken as square.
    const float aspect = sourceHeight > 0 && sourceWidth > 0
                             ? static_cast<float>(sourceHeight) / static_cast<float>(sourceWidth)
                             : 1.0f;
    const int w = std::min(sourceWidth, clientWidth), h = std::min(sourceHeight, clientHeight);
    int width = w, height = h;
    switch (sizeMode) {
    case 1: width = 2 * w; height = 2 * h; break;
    case 2: width = clientWidth / 4; break;
    case 3: width = clientWidth / 2; break;
    case 4: width = static_cast<int>(clientWidth * 0.7071135624381276125L); break;
    case 5: width = clientWidth; break;
    default: break;
    }
    if (sizeMode >= 2 && sizeMode <= 5)
        height = static_cast<int>(static_cast<long double>(width) * aspect);
    const int left = PlaceOnAxis(clientWidth - width, randomPlace);
    const int top = PlaceOnAxis(clientHeight - height, randomPlace);
    return VIDEO_BOUNDS{left, top, width, height};
}

Tfvideoplayer::Tfvideoplayer(TComponent* owner, CZELTGlobeSettings* project, CSaverSettings* settings,
                             TScrMode mode, HWND parent, MciSendCommandFn send)
    : TForm(owner, parent), ScrMode(mode), SaverSettings(settings), GlobeSettings(project), Player(send)
{
    timer = new TTimer(this);
    timer->SetEnabled(false);
    timer->OnTimer = [this] { timerTimer(); };
    FormCreate();
}

Tfvideoplayer::~Tfvideoplayer()
{
    FormDestroy();
}

void Tfvideoplayer::FormCreate()
{
    Panel = new CVideoPanel(this, SaverSettings, ScrMode, Handle());
    RECT client = {};
    GetClientRect(ParentWindow(), &client);
    MoveWindow(Handle(), 0, 0, client.right, client.bottom, TRUE);
    Background.Create(client.right, client.bottom, 0);
    timer->SetInterval(10);
    TimerTag = 0;
    timer->SetEnabled(true);
}

void Tfvideoplayer::FormDestroy()
{
    // Also a device that Close(0) left open goes with its form, before the window it plays in.
    Close(1);
    delete Panel;
    Panel = nullptr;
}

int Tfvideoplayer::SizeMode() const
{
    return Slide ? Slide->Data.VideoSizeMode : 0;
}

void Tfvideoplayer::PaintBackground()
{
    if (Slide) {
        CBackground background;
        background.Target = &Background;
        background.SetParams(Slide, GlobeSettings);
        background.Media = Media;
        background.Draw(ScrMode);
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Tfvideoplayer::FormPaint(HDC dc)
{
    if (!Slide || SizeMode() == 5 || Background.IsEmpty())
        return;
    const RECT r = Background.GetRect();
    BitBlt(dc, 0, 0, r.right, r.bottom, Background.DC()->Handle(), 0, 0, SRCCOPY);
}

HWND Tfvideoplayer::ParentWindow()
{
    return GetParent(Handle());
}

void Tfvideoplayer::StartPoll()
{
    timer->SetEnabled(false);
    timer->SetInterval(1000);
    TimerTag = 1;
    timer->SetEnabled(true);
}

void Tfvideoplayer::StopPoll()
{
    timer->SetEnabled(false);
}

void Tfvideoplayer::Stop(int flag)
{
    Player.Stop(flag);
    StopPoll();
}

void Tfvideoplayer::Close(int flag)
{
    Stop(flag);
    Player.Close(flag);
}

void Tfvideoplayer::timerTimer()
{
    if (TimerTag == 0) {
        timer->SetEnabled(false);
        StartVideo(Slide && Slide->Count() == 1 ? 1 : 0);
        return;
    }
    if (!Ended())
        return;
    if (Loop) {
        ZELT_LOG_AT(kUnit, 245, "Movie stops , Loop Media!");
        PaintBackground();
        if (SizeMode() != 5) {
            Panel->Hide();
            Panel->Show();
        }
        Play();
        return;
    }
    StopPoll();
    ZELT_LOG_AT(kUnit, 276, "Movie stops , Show Next Media!");
    PostMessageW(ParentWindow(), WM_NEXTMEDIA, 0, 0);
}

void Tfvideoplayer::Play()
{
    Player.Play();
    Progress.Restart();
}

bool Tfvideoplayer::Ended()
{
    const DWORD position = Player.GetPosition(), length = Player.GetLength();
    if (length < 20 ? position >= length : position >= length - 20)
        return true;
    // Stopped after moving is the end: Wine's AVI driver stops one frame short of the length. A video that
    // stands still (not started yet, stalled, paused by the device) is waited for until the watch says it
    // will not go on, and then it has ended too, so the show goes on.
    const TPlayState state = Progress.Poll(Player.GetMode(), position);
    if (state == TPlayState::Failed)
        ZELT_LOG(kUnit, "%.200s did not start playing", File.c_str());
    return state != TPlayState::Going;
}

void Tfvideoplayer::StartVideo(int loop)
{
    Loop = loop;
    // A file that cannot be opened (or none) leaves the player closed; the first poll then finds it ended.
    Player.Open(File, nullptr);
    const VIDEO_BOUNDS b = VideoBounds(Player.SourceWidth(), Player.SourceHeight(), ClientWidth(), ClientHeight(),
                                       SizeMode(), GlobeSettings && GlobeSettings->ProjectData.RandomPosition);
    Panel->SetBounds(b.Left, b.Top, b.Width, b.Height);
    Player.SetDisplayWindow(Panel->Handle());
    Player.PutDestination(0, 0, b.Width, b.Height);
    Play();
    Player.PutDestination(0, 0, b.Width, b.Height);
    StartPoll();
}

void Tfvideoplayer::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        ZELT_LOG_AT(kUnit, 385, "video palayer mouse move");
        break;
    case WM_KEYDOWN:
        PostMessageW(ParentWindow(), message.Msg, message.WParam, message.LParam);
        // Enter and Esc go to the main window only.
        if (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) {
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    if (!ForwardVideoInput(Handle(), ParentWindow(), message, ScrMode, SaverSettings))
        TForm::WndProc(message);
}
