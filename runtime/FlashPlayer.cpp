#include "runtime/FlashPlayer.h"

#include "classlib/Form.h"
#include "classlib/GdiObject.h"
#include "classlib/Timer.h"
#include "data/FileLog.h"
#include "data/MediaSetting.h"
#include "runtime/Background.h"
#include "runtime/Messages.h"
#include "runtime/ShockwaveFlash.h"

namespace {

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
    return wide;
}

} // namespace

TFlashPlayer::TFlashPlayer(TForm* owner, TScrMode mode, CSaverSettings* settings, CZELTGlobeSettings* project)
    : timer(std::make_unique<TTimer>()), Owner(owner), ScrMode(mode), Settings(settings), Project(project)
{
    timer->SetEnabled(false);
    timer->OnTimer = [this] { timerTimer(); };
    try {
        Flash = std::make_unique<TShockwaveFlash>(nullptr);
    } catch (const EOleSysError& e) {
        ZELT_LOG("FlashPlayer", "No Flash control (%s): Flash slides are skipped", e.what());
        return;
    }
    Flash->SetParent(Owner->Handle());
    FitToForm();
    // Without its window, or with input over it not reaching the main window, the control is no use.
    if (!Flash->ReplaceWndProc()) {
        ZELT_LOG("FlashPlayer", "The Flash control made no usable window: Flash slides are skipped");
        Flash.reset();
        return;
    }
    Flash->SetScrMode(mode);
    Flash->SetSaverSettings(settings);
}

TFlashPlayer::~TFlashPlayer()
{
    Flash.reset();
    StopPoll();
}

void TFlashPlayer::SetScrMode(TScrMode mode)
{
    ScrMode = mode;
    if (Flash)
        Flash->SetScrMode(mode);
}

void TFlashPlayer::SetSettings(CSaverSettings* settings, CZELTGlobeSettings* project)
{
    Settings = settings;
    Project = project;
    if (Flash)
        Flash->SetSaverSettings(settings);
}

void TFlashPlayer::Play()
{
    PaintBackground();
    // Nothing to play: the slide ends now instead of holding the show.
    if (!CanPlay()) {
        Finish();
        return;
    }
    const MEDIA_SETTING_DATA& slide = Media->Data;
    Flash->SetMovie(ToWide(Movie));
    Flash->SetScaleMode(slide.FlashScaleMode);
    Flash->SetAlignMode(slide.FlashAlignMode);
    Flash->SetAcceptMouseClick(slide.FlashMouseClicks);
    Flash->SetAcceptMouseMove(slide.FlashMouseMoves);
    EndRule.Start(slide.FlashEndMode, slide.FlashEndFrame, slide.FlashSeconds, Flash->TotalFrames());
    Flash->Play();
    StopPoll();
    StartPoll(1000);
}

void TFlashPlayer::PaintBackground()
{
    HWND window = Owner->Handle();
    RECT client;
    GetClientRect(window, &client);
    Background.Create(client.right - client.left, client.bottom - client.top, Media->Data.FlashBackColor);
    CBackground texts;
    texts.Target = &Background;
    texts.SetParams(Media, Project);
    texts.DrawTitle();
    texts.DrawTextBlock();
    TWindowDC dc(window);
    TCanvas canvas(dc.Get());
    CDC target(&canvas);
    Background.Draw(0, 0, &target, SRCCOPY);
}

void TFlashPlayer::Repaint(HDC dc)
{
    // The control covers the form but for what the texts need; without it the background is all there is.
    if (!Media || (Flash && !Media->Data.TitleShown && !Media->Data.DescShown))
        return;
    TCanvas canvas(dc);
    CDC target(&canvas);
    Background.Draw(0, 0, &target, SRCCOPY);
}

void TFlashPlayer::Stop()
{
    if (Flash)
        Flash->StopPlay();
    StopPoll();
}

void TFlashPlayer::StartPoll(int interval)
{
    timer->SetInterval(interval);
    timer->SetEnabled(true);
}

void TFlashPlayer::StopPoll()
{
    timer->SetEnabled(false);
}

void TFlashPlayer::Finish()
{
    StopPoll();
    PostMessageW(Owner->Handle(), WM_NEXTMEDIA, 0, 0);
}

void TFlashPlayer::Show()
{
    if (Flash)
        Flash->SetVisible(true);
}

void TFlashPlayer::Hide()
{
    if (Flash)
        Flash->SetVisible(false);
}

void TFlashPlayer::FitToForm()
{
    if (Flash)
        Flash->SetBounds(0, 0, Owner->Width(), Owner->Height());
}

void TFlashPlayer::timerTimer()
{
    if (Flash && EndRule.Tick(*Flash))
        Finish();
}
