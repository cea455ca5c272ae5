// The about box: the project's name, version and copyright, the computer's memory and a picture.
#pragma once

#include "dialogs/DialogForm.h"
#include "classlib/GdiObject.h"
#include "picture/ComPicture.h"

#include <windows.h>

#include <string>

class CZELTGlobeSettings;

class Tfabout : public TDialogForm {
public:
    // The project is not owned; the box is centred over owner.
    Tfabout(CZELTGlobeSettings* project, HWND owner);
    ~Tfabout() override;

protected:
    void FormCreate() override;
    void Command(int id, int code) override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void Button1Click() { EndModal(IDOK); }
    void LoadPicture();
    void DrawPicture(const DRAWITEMSTRUCT& item);

    CZELTGlobeSettings* Project;
    HWND Owner;
    CComPicture Bitmap;          // "app.bmp" beside the program
    HICON Icon = nullptr;        // "app.ico" beside the program, owned
    TGdiObject<HFONT> ProductFont;
};

// Shows the about box modally over owner (null: the desktop) and frees it.
void ShowAboutDialog(CZELTGlobeSettings* project, HWND owner);

typedef BOOL(WINAPI* TGlobalMemoryStatusExFn)(LPMEMORYSTATUSEX);
typedef void(WINAPI* TGlobalMemoryStatusFn)(LPMEMORYSTATUS);

// Total physical memory in whole megabytes followed by " M": from the extended status when there is one,
// else from the old status, which cannot count past its 32-bit fields.
std::string MemoryLabelUsing(TGlobalMemoryStatusExFn statusEx, TGlobalMemoryStatusFn status);
// The same with the system's functions, the extended one looked up by name.
std::string MemoryLabel();
