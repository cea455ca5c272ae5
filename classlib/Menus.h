// A popup menu whose items call their handlers.
#pragma once

#include "classlib/Component.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner = nullptr) : TComponent(owner) {}

    void Add(const std::string& caption, std::function<void()> onClick);
    // Shows the menu at the screen point and runs the chosen item's handler.
    void Popup(int x, int y, HWND owner);

private:
    struct Item {
        std::string Caption;
        std::function<void()> OnClick;
    };
    std::vector<Item> Items_;
};
