// The settings dialog: edits the user's settings for the project and saves them to the registry.
#pragma once

#include "data/SaverSettings.h"
#include "dialogs/ConfigureValues.h"
#include "dialogs/DialogForm.h"
#include "picture/ComPicture.h"

#include <windows.h>

#include <string>
#include <vector>

class CZELTGlobeSettings;

// Runs the dialog modally over owner (null: the desktop). True when it ended with OK, which saves through
// CSaverSettings::Save; File > Save saves while it stays open.
bool ShowConfigDialog(CSaverSettings* settings, CZELTGlobeSettings* project, HWND owner = nullptr);

class Tfconfigure : public TDialogForm {
public:
    // Neither is owned.
    Tfconfigure(CZELTGlobeSettings* project, CSaverSettings* settings);

protected:
    void FormCreate() override;
    void Command(int id, int code) override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void LoadSettings();
    // Checks the controls, writes them into the settings and saves; shows the reason and changes nothing
    // when it cannot. True when saved.
    bool SaveSettings();
    void FillEffectList();
    void CheckSelectedEffects(const std::vector<bool>& ticks);

    void LoadBanner();
    void DropBanner();
    void DrawBanner(const DRAWITEMSTRUCT& item);
    void MakePages();
    void ShowPage(int tab);
    void FillMonitorList();
    void ShowValues(const TConfigureValues& values);
    TConfigureValues CollectValues() const;
    void SetAllEffects(bool toggle);
    // Opens a web or mail address of the project with the shell; anything else is logged and ignored.
    void Open(const std::string& address);
    // A control of one of the pages.
    HWND Control(int id) const;

    void btnokClick();
    void lbhomeClick();
    void Visitwebsite1Click();
    void cmbscreenCloseUp();

    CZELTGlobeSettings* Project;
    CSaverSettings* Settings;
    CComPicture Banner;
    TDialogPage General{L"TFCONFIGURE_GENERAL"};
    TDialogPage Effects{L"TFCONFIGURE_EFFECTS"};
    TDialogPage Publisher{L"TFCONFIGURE_PUBLISHER"};
    std::vector<TDialogPage*> Tabs;  // the pages shown, in tab order
};
