// The Flash player on our control host, against the fake Flash control registered for this test only, and
// without any control (the normal case on a system without Flash).
#include "classlib/Bitmap.h"
#include "classlib/Form.h"
#include "data/MediaSetting.h"
#include "data/SaverSettings.h"
#include "runtime/FlashPlayer.h"
#include "runtime/Messages.h"
#include "tests/runtime/FakeFlashControl.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t kClassKey[] = L"Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
const CLSID kFlashClass = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

std::wstring FakeDllPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"fake_flash.dll";
}

bool WriteServerKey(HKEY root, const std::wstring& dll)
{
    HKEY key;
    const std::wstring name = std::wstring(kClassKey) + L"\\InprocServer32";
    if (RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const wchar_t model[] = L"Apartment";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                   static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof model);
    RegCloseKey(key);
    return true;
}

void DeleteServerKey(HKEY root)
{
    RegDeleteKeyW(root, (std::wstring(kClassKey) + L"\\InprocServer32").c_str());
    RegDeleteKeyW(root, kClassKey);
}

bool ClassRegistered()
{
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(kFlashClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    factory->Release();
    return true;
}

// The fake control registered for the current user. Wine's COM reads only the machine's classes, so there
// the registration goes into this test prefix's machine classes as well. Removed again at the end.
class TFakeFlashRegistration {
public:
    TFakeFlashRegistration()
    {
        const std::wstring dll = FakeDllPath();
        Module = LoadLibraryW(dll.c_str());
        WriteServerKey(HKEY_CURRENT_USER, dll);
        if (!ClassRegistered())
            InMachine = WriteServerKey(HKEY_LOCAL_MACHINE, dll);
    }
    ~TFakeFlashRegistration()
    {
        DeleteServerKey(HKEY_CURRENT_USER);
        if (InMachine)
            DeleteServerKey(HKEY_LOCAL_MACHINE);
        if (Module)
            FreeLibrary(Module);
    }
    FakeFlashState* State()
    {
        auto get = reinterpret_cast<FakeFlashStateFunction>(
            reinterpret_cast<void*>(GetProcAddress(Module, "FakeFlashStateOf")));
        return get ? get() : nullptr;
    }

private:
    HMODULE Module = nullptr;
    bool InMachine = false;
};

// The main window's part: it hears WM_NEXTMEDIA and the input the control hands on.
class TListeningForm : public TForm {
public:
    using TForm::TForm;
    std::vector<TMessage> Heard;
    int Count(UINT msg) const
    {
        int n = 0;
        for (const TMessage& m : Heard)
            n += m.Msg == msg;
        return n;
    }

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_NEXTMEDIA || (message.Msg >= WM_KEYFIRST && message.Msg <= WM_KEYLAST) ||
            (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST))
            Heard.push_back(message);
        TForm::WndProc(message);
    }
};

// One main window for the whole program, shown once: hiding a window costs about 2 s under Wine without a
// window manager.
std::unique_ptr<TListeningForm> g_Form;

class FormCleanup : public testing::Environment {
public:
    void TearDown() override { g_Form.reset(); }
};
const auto* const g_Cleanup = testing::AddGlobalTestEnvironment(new FormCleanup);

TListeningForm& ProgramForm()
{
    if (!g_Form) {
        g_Form = std::make_unique<TListeningForm>(nullptr);
        g_Form->SetBounds(0, 0, 320, 240);
        g_Form->Show();
    }
    g_Form->Heard.clear();
    return *g_Form;
}

template <class Done>
bool PumpUntil(Done done, DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        else
            Sleep(1);
    }
    return true;
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// The display count: the cursor shows while it is 0 or more.
int CursorCount()
{
    const int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

class FlashPlayer : public testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(nullptr);
        Slide.Data = {};
        Slide.Data.MediaType = 1;
        Slide.Data.FlashBackColor = 0x0000FF;
    }
    void TearDown() override { OleUninitialize(); }

    std::unique_ptr<TFlashPlayer> MakePlayer(TScrMode mode = smSaver)
    {
        auto player = std::make_unique<TFlashPlayer>(&Form, mode, &Settings, nullptr);
        player->SetMedia(&Slide);
        player->SetMovie("C:\\movies\\intro.swf");
        return player;
    }

    TListeningForm& Form = ProgramForm();
    CMediaSetting Slide;
    CSaverSettings Settings;
};

class FlashPlayerOnFakeControl : public FlashPlayer {
protected:
    void SetUp() override
    {
        FlashPlayer::SetUp();
        Registration = std::make_unique<TFakeFlashRegistration>();
        State = Registration->State();
        ASSERT_NE(State, nullptr);
        *State = FakeFlashState{};
        State->TotalFrames = 100;
        State->FramesPerReading = 10;
    }
    void TearDown() override
    {
        Registration.reset();
        FlashPlayer::TearDown();
    }

    std::unique_ptr<TFakeFlashRegistration> Registration;
    FakeFlashState* State = nullptr;
};

} // namespace

TEST_F(FlashPlayerOnFakeControl, TheMovieGetsItsPropertiesPlaysAndEndsAtItsFrameAndTheControlIsReleased)
{
    Slide.Data.FlashScaleMode = 2;
    Slide.Data.FlashAlignMode = 5;
    Slide.Data.FlashEndMode = 0;
    Slide.Data.FlashEndFrame = 30;
    auto player = MakePlayer();
    ASSERT_NE(State->Window, nullptr);
    EXPECT_EQ(GetParent(State->Window), Form.Handle());
    EXPECT_EQ(State->ActivatedIn, Form.Handle());
    EXPECT_EQ(State->AmbientAnswer, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(State->Position.right, 320);
    EXPECT_EQ(State->Position.bottom, 240);

    player->Play();
    player->Show();
    EXPECT_STREQ(State->Movie, L"C:\\movies\\intro.swf");
    EXPECT_EQ(State->ScaleMode, 2);
    EXPECT_EQ(State->AlignMode, 5);
    EXPECT_EQ(State->PlayCalls, 1);
    EXPECT_TRUE(IsWindowVisible(State->Window));

    // Frames 10, 20, 30: the third poll ends it.
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return Form.Count(WM_NEXTMEDIA) > 0; }, 6000));
    EXPECT_GE(GetTickCount() - start, 2500u);
    EXPECT_EQ(State->Frame, 30);
    EXPECT_EQ(State->StopPlayCalls, 1);
    PumpFor(1500);
    EXPECT_EQ(Form.Count(WM_NEXTMEDIA), 1);

    player->Hide();
    EXPECT_FALSE(IsWindowVisible(State->Window));
    player.reset();
    EXPECT_EQ(State->LiveObjects, 0);
    EXPECT_FALSE(State->HoldsSite);
    EXPECT_EQ(State->Window, nullptr);
}

TEST_F(FlashPlayerOnFakeControl, InputOverTheMovieReachesTheMainWindowAndTheRightButtonNeverTheControl)
{
    Slide.Data.FlashEndMode = 2;
    auto player = MakePlayer();
    player->Play();
    HWND control = State->Window;
    const UINT sent[] = {WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONUP};
    for (UINT msg : sent)
        SendMessageW(control, msg, 0, MAKELPARAM(7, 9));
    PumpFor(200);
    for (UINT msg : sent)
        EXPECT_EQ(Form.Count(msg), 1) << msg;
    EXPECT_EQ(Form.Heard.back().LParam, MAKELPARAM(7, 9));
    EXPECT_EQ(State->Received[WM_KEYDOWN], 1);
    EXPECT_EQ(State->Received[WM_LBUTTONDOWN], 1);
    EXPECT_EQ(State->Received[WM_RBUTTONDOWN] + State->Received[WM_RBUTTONUP], 0);

    // A movie that takes the mouse keeps clicks and moves to itself; keys still go on, the right button
    // goes nowhere.
    Slide.Data.FlashMouseClicks = 1;
    Slide.Data.FlashMouseMoves = 1;
    player->Play();
    Form.Heard.clear();
    for (UINT msg : sent)
        SendMessageW(control, msg, 0, MAKELPARAM(7, 9));
    PumpFor(200);
    ASSERT_EQ(Form.Heard.size(), 1u);
    EXPECT_EQ(Form.Heard[0].Msg, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(State->Received[WM_LBUTTONDOWN], 2);
    EXPECT_EQ(State->Received[WM_RBUTTONDOWN] + State->Received[WM_RBUTTONUP], 0);
}

TEST_F(FlashPlayerOnFakeControl, TheCursorHidesOverAMovieWithoutMouseInputInSaverModeOnly)
{
    struct Case {
        TScrMode Mode;
        int Prompt, Clicks, Moves;
        bool Shown;
    } cases[] = {
        {smSaver, 0, 0, 0, false}, {smSaver, 1, 0, 0, true},    {smSaver, 0, 0, 1, true},
        {smSaver, 0, 1, 0, true},  {smRunAsExe, 0, 0, 0, true}, {smSaver, 0, 0, 0, false},
    };
    auto player = MakePlayer();
    for (const Case& c : cases) {
        player->SetScrMode(c.Mode);
        Settings.PasswordPrompt = c.Prompt;
        Slide.Data.FlashMouseClicks = static_cast<std::uint8_t>(c.Clicks);
        Slide.Data.FlashMouseMoves = static_cast<std::uint8_t>(c.Moves);
        player->Play();
        // Many moves over the movie move the display count once.
        for (int i = 0; i < 5; ++i)
            SendMessageW(State->Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(State->Window), HTCLIENT);
        EXPECT_EQ(CursorCount() >= 0, c.Shown) << c.Mode << c.Prompt << c.Clicks << c.Moves;
        EXPECT_GE(CursorCount(), -1);
    }
    // The cursor shown again for whatever runs next.
    player->SetScrMode(smRunAsExe);
    SendMessageW(State->Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(State->Window), HTCLIENT);
}

TEST_F(FlashPlayerOnFakeControl, AControlThatFailsItsSetUpCountsAsNone)
{
    bool FakeFlashState::*const steps[] = {&FakeFlashState::FailsSetClientSite, &FakeFlashState::FailsInitNew,
                                           &FakeFlashState::FailsActivation, &FakeFlashState::MakesNoWindow};
    for (bool FakeFlashState::*step : steps) {
        *State = FakeFlashState{};
        State->*step = true;
        Form.Heard.clear();
        auto player = MakePlayer();
        // Let go of at once, and the slide over at once as without a control.
        EXPECT_EQ(State->LiveObjects, 0);
        EXPECT_FALSE(State->HoldsSite);
        player->Play();
        EXPECT_TRUE(PumpUntil([&] { return Form.Count(WM_NEXTMEDIA) > 0; }, 1000));
        EXPECT_EQ(State->PlayCalls, 0);
    }
}

TEST_F(FlashPlayer, WithoutTheControlAFlashSlideEndsAtOnceOverItsBackgroundWithItsTitle)
{
    Slide.Title = "Flash";
    Slide.Data.TitleShown = 1;
    Slide.Data.TitleColor = 0xFFFFFF;
    Slide.Data.TitleFontSize = 20;
    auto player = MakePlayer();
    player->Play();
    player->Show();
    ASSERT_TRUE(PumpUntil([&] { return Form.Count(WM_NEXTMEDIA) > 0; }, 1000));
    HDC dc = GetDC(Form.Handle());
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
    ReleaseDC(Form.Handle(), dc);

    // What the form's paint shows: the background with the title on it.
    TBitmap painted;
    ASSERT_TRUE(painted.SetSize(320, 240));
    player->Repaint(painted.Canvas()->Handle());
    int red = 0, white = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const uint32_t pixel = painted.ScanLine(y)[x] & 0xFFFFFF;
            red += pixel == 0xFF0000;
            white += pixel == 0xFFFFFF;
        }
    EXPECT_GT(red, 320 * 240 / 2);
    EXPECT_GT(white, 20);

    player->SetMovie("");
    player->Play();
    EXPECT_TRUE(PumpUntil([&] { return Form.Count(WM_NEXTMEDIA) > 1; }, 1000));
}
