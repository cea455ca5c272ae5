#include "classlib/FileUtils.h"
#include "data/MyXMLDb.h"
#include "dialogs/about.h"
#include "tests/data/DbTestFiles.h"
#include "tests/data/LeWords.h"
#include "tests/data/RegistryValues.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/picture/BmpWriter.h"
#include "transitions/EffectNames.h"

#include <gtest/gtest.h>


namespace {

enum TBanner { bnNone, bnGood, bnBroken };

// A project database with one "project" record, read as the start-up reads it, and its user settings.
class TTestProject {
public:
    TTestProject(const std::string& name, TBanner banner, bool pictures, bool publisher) : Path("dlg_" + name + ".db")
    {
        std::string data(80, '\0');
        data[37] = banner != bnNone;
        data[38] = publisher;
        data[58] = 1;  // embedded media
        data[76] = pictures;
        TBmpLayout layout;
        layout.Width = 151;
        layout.Height = 354;
        const std::vector<uint8_t> bmp = MakeTestBmp(layout);
        const std::string bannerBytes = banner == bnGood ? std::string(bmp.begin(), bmp.end()) : "not a picture";
        WriteBytes(Path, DatabaseBytes({{"project",
                                         {"data", "banner", "projectname", "authorname", "authoremail",
                                          "authorwebsite", "version", "copyright", "description", "dialogpicture"},
                                         {false, true, false, false, false, false, false, false, false, false},
                                         {{data, bannerBytes, name, "Ann Author", "ann@example.org",
                                           "http://example.org/", "1.2.3", "(c) 2024 Ann Author",
                                           "Pictures of a summer.", "banner.bmp"}}}}));
        EXPECT_EQ(Db.Open(Path, 0), 1);
        Project.SetDatabase(&Db);
        Project.Open();
        Project.ReadProject();
        Settings.SetRegistryKey(name);
        DeleteKey(name);
    }
    ~TTestProject()
    {
        Project.Close();
        Db.Clear();
        DeleteFileA(Path.c_str());
        DeleteKey(Project.ProjectName);
    }
    // The stored value; a terminator the system appends to a text is dropped.
    std::string Value(const char* name) const
    {
        DWORD type = 0;
        std::string bytes;
        if (!GetRaw(Project.ProjectName, name, type, bytes))
            return "(missing)";
        if (type == REG_EXPAND_SZ && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        return bytes;
    }

    std::string Path;
    CMyXMLDb Db;
    CZELTGlobeSettings Project;
    CSaverSettings Settings;
};

const std::string kUserBlock = Words({42, 0, 1, 1, 0, 0, 0, 1, 1, 'z', 0, 1, 15, 33, 1, 0, 9, 1});

// The user's own settings in the registry, loaded as the start-up loads them.
void StoreUserSettings(TTestProject& p, const std::string& effects)
{
    SetRaw(p.Project.ProjectName, "data", REG_BINARY, kUserBlock);
    SetRaw(p.Project.ProjectName, "transition effects", REG_EXPAND_SZ, effects);
    SetRaw(p.Project.ProjectName, "screenmode", REG_DWORD, Words({3}));
    p.Settings.Load();
}

std::vector<std::string> TabTexts(HWND tabs)
{
    std::vector<std::string> texts;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        TabCtrl_GetItem(tabs, i, &item);
        texts.push_back(text);
    }
    return texts;
}

std::string ScreenPath(const std::string& name)
{
    CreateDirectoryA("screens", nullptr);
    return "screens\\" + name + ".png";
}

} // namespace

TEST(ConfigureDialog, OkSavesWhatTheControlsShow)
{
    TTestProject p("DlgOk", bnGood, true, true);
    TDialogDriver d(p.Settings, p.Project);
    ASSERT_NE(d.Window(), nullptr);
    EXPECT_EQ(WindowText(d.Window()), "DlgOk - Screensaver Settings");

    d.Tick(IDC_CKBANY, false);
    d.Tick(IDC_CKBMOUSELEFTCLICK, true);
    d.Tick(IDC_CKBSPECIFIEDKEY, true);
    d.SetText(IDC_EDTKEY, "q");
    SendMessageW(d.Find(IDC_TBTHRESHOLD), TBM_SETPOS, TRUE, 64);
    d.Tick(IDC_CKBMUTE, true);
    d.Tick(IDC_CKBMAXTIME, true);
    d.SetText(IDC_EDTMAXTIME, "30");
    d.Select(IDC_CMBSCREENMODE, 2);
    d.Select(IDC_CMBSCREEN, 1);
    EXPECT_FALSE(IsWindowEnabled(d.Find(IDC_CMBSCREENMODE)));
    d.Tick(IDC_CKBEFFECT, true);
    d.Tick(IDC_CKBRANDOM, false);
    d.Click(IDC_BTNTOGGLE);  // all ticked by default: none now
    d.Click(IDC_BTNSELECTALL);
    d.Click(IDC_BTNTOGGLE);
    ListView_SetCheckState(d.Find(IDC_CKBEFFECTS), 3, TRUE);
    ListView_SetCheckState(d.Find(IDC_CKBEFFECTS), 160, TRUE);
    d.Command(IDOK);
    EXPECT_TRUE(d.Finish());

    EXPECT_EQ(p.Value("data"), Words({64, 0, 1, 1, 1, 1, 1, 1, 1, 'q', 0, 1, 30, 64, 1, 0, 25, 1}));
    EXPECT_EQ(p.Value("transition effects"), "3;160;");
    EXPECT_EQ(p.Value("screenmode"), Words({2}));

    // The next run shows the stored monitor; the whole screen chosen there replaces it.
    TDialogDriver again(p.Settings, p.Project);
    EXPECT_EQ(SendMessageW(again.Find(IDC_CMBSCREEN), CB_GETCURSEL, 0, 0), 1);
    again.Select(IDC_CMBSCREEN, 0);
    EXPECT_TRUE(IsWindowEnabled(again.Find(IDC_CMBSCREENMODE)));
    again.Command(IDOK);
    EXPECT_TRUE(again.Finish());
    EXPECT_EQ(p.Value("data").substr(68, 4), Words({0}));
}

// A broken stored effect list and an undecodable banner cost only themselves; failed checks save nothing.
TEST(ConfigureDialog, CorruptStoredSettingsLoseNothingElseAndFailedChecksSaveNothing)
{
    TTestProject p("DlgChecks", bnBroken, true, true);
    StoreUserSettings(p, "3;x;200;-1;;7;");
    TDialogDriver d(p.Settings, p.Project);
    ASSERT_NE(d.Window(), nullptr);
    EXPECT_EQ(WindowText(d.Find(IDC_LBAUTHOR)), "Ann Author");

    d.SetText(IDC_EDTKEY, " ");
    d.Command(IDOK);
    EXPECT_EQ(d.TakeMessage(), "Please specified a key to close screensaver.");
    d.SetText(IDC_EDTKEY, "k");
    d.SetText(IDC_EDTMAXTIME, "12a");
    d.Command(ID_SAVE1);
    EXPECT_EQ(d.TakeMessage(), "Invalid maximum runtime number.");
    d.SetText(IDC_EDTMAXTIME, "0");  // a runtime limit of no minutes ends nothing
    for (int id : {IDC_CKBANY, IDC_CKBMOUSEMOVE, IDC_CKBMOUSELEFTCLICK, IDC_CKBMOUSERIGHTCLICK, IDC_CKBMOUSEDBLCLICK,
                   IDC_CKBESC, IDC_CKBENTER, IDC_CKBSPECIFIEDKEY})
        d.Tick(id, false);
    d.Command(IDOK);
    EXPECT_EQ(d.TakeMessage(), "Please select at least one event to close screensaver.");
    EXPECT_TRUE(IsWindowVisible(d.Window()));
    EXPECT_EQ(p.Value("data"), kUserBlock);

    // Esc alone closes the saver.
    d.SetText(IDC_EDTMAXTIME, "12 ");
    d.Tick(IDC_CKBESC, true);
    d.Command(IDOK);
    ASSERT_TRUE(d.Ended()) << d.TakeMessage();
    EXPECT_TRUE(d.Finish());
    EXPECT_EQ(p.Value("data"), Words({33, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 12, 33, 1, 0, 9, 1}));
    EXPECT_EQ(p.Value("transition effects"), "3;7;");
    EXPECT_EQ(p.Value("screenmode"), Words({3}));
}

TEST(ConfigureDialog, CancelSavesNothingFileSaveStaysOpenAFailedSaveIsShown)
{
    TTestProject p("DlgCancel", bnNone, false, false);
    {
        TDialogDriver d(p.Settings, p.Project);
        d.SetText(IDC_EDTMAXTIME, "7");
        d.Command(IDCANCEL);
        EXPECT_FALSE(d.Finish());
        EXPECT_EQ(p.Value("data"), "(missing)");
    }
    {
        TDialogDriver d(p.Settings, p.Project);
        d.SetText(IDC_EDTMAXTIME, "7");
        d.Click(ID_SAVE1);
        EXPECT_TRUE(IsWindowVisible(d.Window()));
        EXPECT_EQ(p.Value("data").substr(48, 4), Words({7}));
        d.Command(ID_EXIT1);
        EXPECT_FALSE(d.Finish());
    }
    p.Settings.SetRegistryKey(std::string(300, 'n'));  // longer than a key name may be
    TDialogDriver d(p.Settings, p.Project);
    d.SetText(IDC_EDTMAXTIME, "8");
    d.Command(IDOK);
    EXPECT_EQ(d.TakeMessage().rfind("Cannot save screensaver settings (error ", 0), 0u);
    EXPECT_TRUE(IsWindowVisible(d.Window()));
    EXPECT_EQ(p.Settings.Data.MaxRuntimeMinutes, 7);
}

TEST(ConfigureDialog, PagesAndBannerFollowTheProjectFlags)
{
    TTestProject full("DlgFull", bnGood, true, true);
    TTestProject bare("DlgBare", bnNone, false, false);
    SetRaw("DlgBare", "transition effects", REG_EXPAND_SZ, "4;9;");
    bare.Settings.Load();
    TDialogDriver withAll(full.Settings, full.Project);
    TDialogDriver without(bare.Settings, bare.Project);
    ASSERT_TRUE(withAll.Window() && without.Window());
    EXPECT_EQ(TabTexts(withAll.Find(IDC_PCMAIN)),
              (std::vector<std::string>{"General", "Transition Effects", "Publisher"}));
    EXPECT_EQ(TabTexts(without.Find(IDC_PCMAIN)), std::vector<std::string>{"General"});

    RECT a, b, banner;
    GetWindowRect(withAll.Window(), &a);
    GetWindowRect(without.Window(), &b);
    GetWindowRect(withAll.Find(IDC_PLBANNER), &banner);
    EXPECT_EQ((a.right - a.left) - (b.right - b.left), banner.right - banner.left);
    EXPECT_FALSE(IsWindowVisible(without.Find(IDC_PLBANNER)));

    // The hidden effect page still saves what it loaded.
    without.Command(IDOK);
    EXPECT_TRUE(without.Finish());
    EXPECT_EQ(bare.Value("transition effects"), "4;9;");
}

TEST(ConfigureDialog, ListsMonitorsAndEffectsAndShowsEveryPage)
{
    TTestProject p("DlgLists", bnGood, true, true);
    TDialogDriver d(p.Settings, p.Project);
    ASSERT_NE(d.Window(), nullptr);

    // Wine reports one monitor, the primary screen.
    const HWND screens = d.Find(IDC_CMBSCREEN);
    char text[96] = {};
    ASSERT_EQ(SendMessageW(screens, CB_GETCOUNT, 0, 0), 2);
    SendMessageA(screens, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Entire virtual screen");
    SendMessageA(screens, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(text, "Monitor 1 : (0,0," + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "*" +
                        std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")");

    const HWND effects = d.Find(IDC_CKBEFFECTS);
    ASSERT_EQ(ListView_GetItemCount(effects), kEffectCount);
    for (int i = 0; i < kEffectCount; ++i) {
        ListView_GetItemText(effects, i, 0, text, sizeof text);
        EXPECT_STREQ(text, g_EffectNames[i]) << i;
    }

    EXPECT_EQ(WindowText(d.Find(IDC_LBHOME)), "http://example.org/");
    EXPECT_EQ(WindowText(d.Find(IDC_LBEMAIL)), "ann@example.org");
    EXPECT_EQ(WindowText(d.Find(IDC_MEMPROJECTDESC)), "Pictures of a summer.");
    const char* const pages[] = {"general", "effects", "publisher"};
    for (int tab = 0; tab < 3; ++tab) {
        d.ShowTab(tab);
        EXPECT_TRUE(SaveScreenshot(d.Window(), ScreenPath(pages[tab])));
    }
}

TEST(AboutBox, ShowsTheProjectTheMemoryAndTheBitmapBesideTheProgram)
{
    TTestProject p("DlgAbout", bnGood, true, true);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string folder = ExtractFilePath(program);
    const TColor kBlue = 0xC06030;
    CComPicture picture;
    picture.Create(48, 48, kBlue);
    ASSERT_EQ(picture.SaveToFile(folder + "app.bmp"), 1);
    WriteBytes(folder + "app.ico", "an icon that loses to the bitmap");

    TDialogDriver d(p.Settings, p.Project);
    d.Command(ID_ABOUT1);
    const HWND about = d.WaitPopup(d.Window());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "About DlgAbout");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_LBPRODUCT)), "DlgAbout");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_LBVERSION)), "Version : 1.2.3");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_LBCOPYRIGHT)), "(c) 2024 Ann Author");
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_LBMEORY)), std::to_string(status.ullTotalPhys >> 20) + " M");
    EXPECT_TRUE(SaveScreenshot(about, ScreenPath("about")));
    const HWND img = GetDlgItem(about, IDC_IMG);
    RECT r;
    GetClientRect(img, &r);
    const HDC dc = GetDC(img);
    EXPECT_EQ(GetPixel(dc, r.right / 2, r.bottom / 2), kBlue);
    ReleaseDC(img, dc);
    DeleteFileA((folder + "app.bmp").c_str());
    DeleteFileA((folder + "app.ico").c_str());
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    while (IsWindow(about))
        Sleep(10);
    EXPECT_TRUE(IsWindowVisible(d.Window()));
}

namespace {

BOOL WINAPI SixGigabytes(LPMEMORYSTATUSEX status)
{
    status->ullTotalPhys = 6ULL << 30;
    return TRUE;
}

void WINAPI TwoGigabytesAndABit(LPMEMORYSTATUS status)
{
    status->dwTotalPhys = (2u << 30) + 1048575;
}

} // namespace

TEST(AboutBox, MemoryLabelCountsPastTheOldLimit)
{
    EXPECT_EQ(MemoryLabelUsing(SixGigabytes, TwoGigabytesAndABit), "6144 M");
    EXPECT_EQ(MemoryLabelUsing(nullptr, TwoGigabytesAndABit), "2048 M");
}
