#include "dialogs/about.h"

#include "classlib/FileUtils.h"
#include "classlib/Library.h"
#include "data/ZELTGlobeSettings.h"
#include "dialogs/DialogIds.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? ExtractFilePath(path) : std::string();
}

void CentreOver(HWND window, HWND owner)
{
    RECT area;
    if (!owner || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT box;
    GetWindowRect(window, &box);
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

} // namespace

std::string MemoryLabelUsing(TGlobalMemoryStatusExFn statusEx, TGlobalMemoryStatusFn status)
{
    unsigned long long total = 0;
    MEMORYSTATUSEX ex = {};
    ex.dwLength = sizeof ex;
    if (statusEx && statusEx(&ex)) {
        total = ex.ullTotalPhys;
    } else if (status) {
        MEMORYSTATUS old = {};
        old.dwLength = sizeof old;
        status(&old);
        total = old.dwTotalPhys;
    }
    return std::to_string(total / 1048576) + " M";
}

std::string MemoryLabel()
{
    TLibrary kernel("kernel32.dll");
    return MemoryLabelUsing(kernel.Find<TGlobalMemoryStatusExFn>("GlobalMemoryStatusEx"), GlobalMemoryStatus);
}

Tfabout::Tfabout(CZELTGlobeSettings* project, HWND owner)
    : TDialogForm(L"TFABOUT"), Project(project), Owner(owner)
{
}

Tfabout::~Tfabout()
{
    if (Icon)
        DestroyIcon(Icon);
}

void Tfabout::FormCreate()
{
    SetCaption("About " + Project->ProjectName);
    SetDlgItemTextA(Handle(), IDC_LBPRODUCT, Project->ProjectName.c_str());
    const std::string version = Project->ProjectTable.FieldAsString("version");
    SetDlgItemTextA(Handle(), IDC_LBVERSION, ("Version : " + version).c_str());
    SetDlgItemTextA(Handle(), IDC_LBCOPYRIGHT, Project->ProjectTable.FieldAsString("copyright").c_str());
    SetDlgItemTextA(Handle(), IDC_LBMEORY, MemoryLabel().c_str());

    LOGFONTW font = {};
    font.lfHeight = -15;
    font.lfWeight = FW_BOLD;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    ProductFont.Reset(CreateFontIndirectW(&font));
    if (ProductFont)
        SendMessageW(Item(IDC_LBPRODUCT), WM_SETFONT, reinterpret_cast<WPARAM>(ProductFont.Get()), FALSE);

    LoadPicture();
    CentreOver(Handle(), Owner);
}

void Tfabout::LoadPicture()
{
    const std::string folder = ProgramFolder();
    if (FileExists(folder + "app.bmp") && Bitmap.LoadFromFile(folder + "app.bmp"))
        return;
    if (FileExists(folder + "app.ico"))
        Icon = static_cast<HICON>(
            LoadImageA(nullptr, (folder + "app.ico").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
}

void Tfabout::DrawPicture(const DRAWITEMSTRUCT& item)
{
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (!Bitmap.IsEmpty()) {
        const int bw = Bitmap.Bitmap()->Width();
        const int bh = Bitmap.Bitmap()->Height();
        BitBlt(item.hDC, r.left + (w - bw) / 2, r.top + (h - bh) / 2, bw, bh, Bitmap.DC()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    const int iw = GetSystemMetrics(SM_CXICON);
    const int ih = GetSystemMetrics(SM_CYICON);
    DrawIconEx(item.hDC, r.left + (w - iw) / 2, r.top + (h - ih) / 2, Icon ? Icon : LoadIcon(nullptr, IDI_APPLICATION),
               iw, ih, 0, nullptr, DI_NORMAL);
}

void Tfabout::Command(int id, int code)
{
    if (id == IDOK || id == IDCANCEL)
        Button1Click();
}

bool Tfabout::Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg != WM_DRAWITEM || wParam != IDC_IMG)
        return false;
    DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void ShowAboutDialog(CZELTGlobeSettings* project, HWND owner)
{
    Tfabout about(project, owner);
    about.ShowModal(owner);
}
