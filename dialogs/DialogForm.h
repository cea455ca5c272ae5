// A window made from a dialog template in the program's resources, its dialog procedure bound to the
// object. Modal forms end with a result; pages are modeless children of their form.
#pragma once

#include <windows.h>

#include <string>

class TDialogForm {
public:
    explicit TDialogForm(const wchar_t* templateName) : Template_(templateName) {}
    virtual ~TDialogForm();
    TDialogForm(const TDialogForm&) = delete;
    TDialogForm& operator=(const TDialogForm&) = delete;

    // Runs the modal loop; the result handed to EndModal, or -1 when the window cannot be made.
    INT_PTR ShowModal(HWND owner);
    // Makes the window as a child or modeless popup of parent; null when it cannot be made.
    HWND Create(HWND parent);

    HWND Handle() const { return Handle_; }
    HWND Item(int id) const { return GetDlgItem(Handle_, id); }
    void SetCaption(const std::string& text) { SetWindowTextA(Handle_, text.c_str()); }

protected:
    void EndModal(INT_PTR result) { EndDialog(Handle_, result); }
    // WM_INITDIALOG, once the window and its controls exist.
    virtual void FormCreate() {}
    // A command from a control or the menu.
    virtual void Command(int id, int code) {}
    // Any message, asked first: true when handled, with the message's result.
    virtual bool Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return false; }

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    const wchar_t* Template_;
    HWND Handle_ = nullptr;
};

// A page of a form: a child dialog whose commands and static colours its form handles.
class TDialogPage : public TDialogForm {
public:
    using TDialogForm::TDialogForm;

protected:
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};

// Window texts in the system code page.
std::string WindowText(HWND window);
// Checks of a check box.
bool IsChecked(HWND box);
void SetChecked(HWND box, bool checked);
