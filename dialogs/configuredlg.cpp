#include "dialogs/configuredlg.h"

#include "classlib/Dialogs.h"
#include "classlib/FileUtils.h"
#include "data/FileLog.h"
#include "data/Monitors.h"
#include "data/ZELTGlobeSettings.h"
#include "dialogs/DialogIds.h"
#include "dialogs/WebAddress.h"
#include "dialogs/about.h"
#include "transitions/EffectNames.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The check boxes and the values they show.
const std::pair<int, bool TConfigureValues::*> kCheckBoxes[] = {
    {IDC_CKBANY, &TConfigureValues::AnyEvent},
    {IDC_CKBMOUSEMOVE, &TConfigureValues::MouseMove},
    {IDC_CKBMOUSELEFTCLICK, &TConfigureValues::LeftClick},
    {IDC_CKBMOUSERIGHTCLICK, &TConfigureValues::RightClick},
    {IDC_CKBMOUSEDBLCLICK, &TConfigureValues::DoubleClick},
    {IDC_CKBESC, &TConfigureValues::Esc},
    {IDC_CKBENTER, &TConfigureValues::Enter},
    {IDC_CKBSPECIFIEDKEY, &TConfigureValues::SpecifiedKey},
    {IDC_CKBMUTE, &TConfigureValues::Mute},
    {IDC_CKBMAXTIME, &TConfigureValues::MaxTime},
    {IDC_CKBRANDOM, &TConfigureValues::RandomEffects},
    {IDC_CKBEFFECT, &TConfigureValues::OnlySelectedEffects},
};

const char* const kScreenModes[] = {"Different images on dual monitors", "Display same image on dual monitors",
                                    "Clone mode", "Cross screens"};

} // namespace

bool ShowConfigDialog(CSaverSettings* settings, CZELTGlobeSettings* project, HWND owner)
{
    if (!settings || !project) {
        ZELT_LOG("configuredlg", "no settings to show");
        return false;
    }
    ZELT_LOG_AT("configuredlg", 18, "Show configuration dialog.");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Tfconfigure form(project, settings);
    const bool confirmed = form.ShowModal(owner) == IDOK;
    ZELT_LOG_AT("configuredlg", 35, "Exit configuration dialog.");
    return confirmed;
}

Tfconfigure::Tfconfigure(CZELTGlobeSettings* project, CSaverSettings* settings)
    : TDialogForm(L"TFCONFIGURE"), Project(project), Settings(settings)
{
}

void Tfconfigure::FormCreate()
{
    LoadSettings();
}

HWND Tfconfigure::Control(int id) const
{
    for (const TDialogPage* page : {&General, &Effects, &Publisher}) {
        if (const HWND control = page->Item(id))
            return control;
    }
    return nullptr;
}

void Tfconfigure::LoadSettings()
{
    SetCaption(Project->ProjectName + " - Screensaver Settings");
    if (Project->ProjectData.ShowBanner)
        LoadBanner();
    else
        DropBanner();

    MakePages();
    FillMonitorList();
    for (const char* mode : kScreenModes)
        SendMessageA(Control(IDC_CMBSCREENMODE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
    FillEffectList();
    ShowValues(ValuesFromSettings(*Settings));

    SetDlgItemTextA(Publisher.Handle(), IDC_LBAUTHOR, Project->AuthorName.c_str());
    SetDlgItemTextA(Publisher.Handle(), IDC_LBHOME, Project->AuthorWebsite.c_str());
    SetDlgItemTextA(Publisher.Handle(), IDC_LBEMAIL, Project->AuthorEmail.c_str());
    SetDlgItemTextA(Publisher.Handle(), IDC_MEMPROJECTDESC, Project->Description.c_str());
}

void Tfconfigure::LoadBanner()
{
    const std::string name = Project->ProjectTable.FieldAsString("dialogpicture");
    int loaded = 0;
    if (Project->ProjectData.EmbeddedMedia) {
        TMemoryStream bytes;
        loaded = Project->ProjectTable.BlobToStream("banner", bytes) && Banner.LoadFromStream(bytes, name);
    } else {
        const std::string path =
            Project->ProjectData.RelativePaths ? ExtractFilePath(Project->FilePath) + ExtractFileName(name) : name;
        loaded = Banner.LoadFromFile(path);
    }
    // An undecodable banner leaves the panel empty; the settings still load.
    if (!loaded) {
        ZELT_LOG("configuredlg", "banner \"%s\" cannot be shown", name.c_str());
        Banner.Free();
    }
}

void Tfconfigure::DropBanner()
{
    const HWND banner = Item(IDC_PLBANNER);
    RECT r;
    GetWindowRect(banner, &r);
    const int width = r.right - r.left;
    ShowWindow(banner, SW_HIDE);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == banner)
            continue;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left - width, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, r.left + width / 2, r.top, r.right - r.left - width, r.bottom - r.top,
                 SWP_NOZORDER);
}

void Tfconfigure::DrawBanner(const DRAWITEMSTRUCT& item)
{
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (Banner.IsEmpty())
        return;
    const int previous = SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, Banner.DC()->Handle(), 0, 0,
               Banner.Bitmap()->Width(), Banner.Bitmap()->Height(), SRCCOPY);
    SetStretchBltMode(item.hDC, previous);
}

void Tfconfigure::MakePages()
{
    const HWND tabs = Item(IDC_PCMAIN);
    Tabs = {&General};
    if (Project->ProjectData.HasPictures) {
        ZELT_LOG_AT("configuredlg", 128, "hasimagemedia = true");
        Tabs.push_back(&Effects);
    }
    if (Project->ProjectData.HasPublisher)
        Tabs.push_back(&Publisher);

    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    // Every page is made, shown or not, so that saving writes back what a hidden page holds.
    const char* const names[] = {"General", "Transition Effects", "Publisher"};
    TDialogPage* const pages[] = {&General, &Effects, &Publisher};
    for (int i = 0; i < 3; ++i) {
        pages[i]->Create(Handle());
        if (std::find(Tabs.begin(), Tabs.end(), pages[i]) == Tabs.end())
            continue;
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, TabCtrl_GetItemCount(tabs), reinterpret_cast<LPARAM>(&tab));
    }
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    for (TDialogPage* page : pages)
        SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    ShowPage(0);
}

void Tfconfigure::ShowPage(int tab)
{
    for (TDialogPage* page : {&General, &Effects, &Publisher})
        ShowWindow(page->Handle(), tab >= 0 && tab < static_cast<int>(Tabs.size()) && Tabs[tab] == page ? SW_SHOW
                                                                                                     : SW_HIDE);
}

void Tfconfigure::FillMonitorList()
{
    const HWND list = Control(IDC_CMBSCREEN);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Entire virtual screen"));
    int left = 0, top = 0, width = 0, height = 0;
    if (!GetMonitorRect(1, left, top, width, height))
        return;
    for (int n = 1; n <= g_MonitorCount; ++n) {
        const RECT& r = g_MonitorRects[n - 1];
        char text[96];
        std::snprintf(text, sizeof text, "Monitor %d : (%d,%d,%d*%d)", n, static_cast<int>(r.left),
                      static_cast<int>(r.top), static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void Tfconfigure::FillEffectList()
{
    const HWND list = Control(IDC_CKBEFFECTS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT r;
    GetClientRect(list, &r);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = r.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < kEffectCount; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(g_EffectNames[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void Tfconfigure::CheckSelectedEffects(const std::vector<bool>& ticks)
{
    const HWND list = Control(IDC_CKBEFFECTS);
    for (int i = 0; i < kEffectCount; ++i)
        ListView_SetCheckState(list, i, ticks[i]);
}

void Tfconfigure::SetAllEffects(bool toggle)
{
    const HWND list = Control(IDC_CKBEFFECTS);
    for (int i = 0; i < kEffectCount; ++i)
        ListView_SetCheckState(list, i, toggle ? !ListView_GetCheckState(list, i) : TRUE);
}

void Tfconfigure::ShowValues(const TConfigureValues& v)
{
    SendMessageW(Control(IDC_CMBSCREEN), CB_SETCURSEL, v.ScreenIndex, 0);
    SendMessageW(Control(IDC_CMBSCREENMODE), CB_SETCURSEL, v.ScreenMode, 0);
    cmbscreenCloseUp();
    for (const auto& box : kCheckBoxes)
        SetChecked(Control(box.first), v.*box.second);
    SendMessageW(Control(IDC_EDTKEY), EM_LIMITTEXT, 1, 0);
    SetWindowTextA(Control(IDC_EDTKEY), v.Key.c_str());
    SetWindowTextA(Control(IDC_EDTMAXTIME), v.MaxTimeText.c_str());
    const HWND threshold = Control(IDC_TBTHRESHOLD);
    SendMessageW(threshold, TBM_SETRANGE, FALSE, MAKELPARAM(1, 100));
    SendMessageW(threshold, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(threshold, TBM_SETPOS, TRUE, v.Threshold);
    CheckSelectedEffects(v.Effects);
}

TConfigureValues Tfconfigure::CollectValues() const
{
    TConfigureValues v;
    v.Threshold = static_cast<int>(SendMessageW(Control(IDC_TBTHRESHOLD), TBM_GETPOS, 0, 0));
    for (const auto& box : kCheckBoxes)
        v.*box.second = IsChecked(Control(box.first));
    v.Key = WindowText(Control(IDC_EDTKEY));
    v.MaxTimeText = WindowText(Control(IDC_EDTMAXTIME));
    v.ScreenIndex = static_cast<int>(SendMessageW(Control(IDC_CMBSCREEN), CB_GETCURSEL, 0, 0));
    v.ScreenMode = static_cast<int>(SendMessageW(Control(IDC_CMBSCREENMODE), CB_GETCURSEL, 0, 0));
    const HWND list = Control(IDC_CKBEFFECTS);
    v.Effects.resize(kEffectCount);
    for (int i = 0; i < kEffectCount; ++i)
        v.Effects[i] = ListView_GetCheckState(list, i) != 0;
    return v;
}

bool Tfconfigure::SaveSettings()
{
    const CSaverPreferences before = *Settings;
    const TConfigureCheck check = ApplyValues(CollectValues(), *Settings);
    if (check != ccOk) {
        ShowMessage(CheckMessage(check));
        return false;
    }
    const TSaveResult saved = Settings->Save();
    if (saved.Error != 0) {
        // What was not saved is not kept either: the settings stay as they are on disk.
        static_cast<CSaverPreferences&>(*Settings) = before;
        const char* const which = saved.Partial ? "Some of them were saved, some not." : "Nothing was saved.";
        ZELT_LOG("configuredlg", "cannot save settings to %s, error %ld: %s", Settings->RegistryKey().c_str(),
                 saved.Error, which);
        ShowMessage("Cannot save screensaver settings (error " + std::to_string(saved.Error) + "). " + which);
        return false;
    }
    return true;
}

void Tfconfigure::Open(const std::string& address)
{
    if (!IsWebAddress(address)) {
        ZELT_LOG("configuredlg", "not a web or mail address, not opened: \"%s\"", address.c_str());
        return;
    }
    ShellExecuteA(Handle(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Tfconfigure::btnokClick()
{
    if (SaveSettings())
        EndModal(IDOK);
}

void Tfconfigure::lbhomeClick()
{
    Open(WindowText(Control(IDC_LBHOME)));
}

void Tfconfigure::Visitwebsite1Click()
{
    Open(Project->ProjectTable.FieldAsString("authorwebsite"));
}

void Tfconfigure::cmbscreenCloseUp()
{
    const bool whole = SendMessageW(Control(IDC_CMBSCREEN), CB_GETCURSEL, 0, 0) == 0;
    EnableWindow(Control(IDC_LBSCREENMODE), whole);
    EnableWindow(Control(IDC_CMBSCREENMODE), whole);
}

void Tfconfigure::Command(int id, int code)
{
    switch (id) {
    case IDOK:
        btnokClick();
        break;
    case IDCANCEL:
    case ID_EXIT1:
        EndModal(IDCANCEL);
        break;
    case ID_SAVE1:
        SaveSettings();
        break;
    case ID_VISITWEBSITE1:
        Visitwebsite1Click();
        break;
    case ID_ABOUT1:
        ShowAboutDialog(Project, Handle());
        break;
    case IDC_BTNSELECTALL:
        SetAllEffects(false);
        break;
    case IDC_BTNTOGGLE:
        SetAllEffects(true);
        break;
    case IDC_LBHOME:
        if (code == STN_CLICKED)
            lbhomeClick();
        break;
    case IDC_CMBSCREEN:
        if (code == CBN_SELCHANGE)
            cmbscreenCloseUp();
        break;
    }
}

bool Tfconfigure::Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg == WM_DRAWITEM && wParam == IDC_PLBANNER) {
        DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_PCMAIN && header->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(header->hwndFrom));
            return true;
        }
    }
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Control(IDC_LBHOME)) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false;
}
