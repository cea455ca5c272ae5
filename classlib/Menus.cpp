#include "classlib/Menus.h"

#include <utility>

void TPopupMenu::Add(const std::string& caption, std::function<void()> onClick)
{
    Items_.push_back({caption, std::move(onClick)});
}

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (size_t i = 0; i < Items_.size(); ++i)
        AppendMenuA(menu, MF_STRING, i + 1, Items_[i].Caption.c_str());
    SetForegroundWindow(owner);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= Items_.size() && Items_[chosen - 1].OnClick)
        Items_[chosen - 1].OnClick();
}
