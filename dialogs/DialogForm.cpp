#include "dialogs/DialogForm.h"

#include "classlib/Application.h"
#include "data/FileLog.h"

#include <vector>

TDialogForm::~TDialogForm()
{
    // A page or modeless form still on screen goes with its object.
    if (Handle_ && IsWindow(Handle_)) {
        SetWindowLongPtrW(Handle_, DWLP_USER, 0);
        DestroyWindow(Handle_);
    }
}

INT_PTR TDialogForm::ShowModal(HWND owner)
{
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), Template_, owner, Proc,
                                           reinterpret_cast<LPARAM>(this));
    if (result == -1)
        ZELT_LOG("DialogForm", "cannot make dialog, error %lu", GetLastError());
    Handle_ = nullptr;
    return result;
}

HWND TDialogForm::Create(HWND parent)
{
    const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), Template_, parent, Proc,
                                           reinterpret_cast<LPARAM>(this));
    if (!window)
        ZELT_LOG("DialogForm", "cannot make dialog, error %lu", GetLastError());
    return window;
}

INT_PTR CALLBACK TDialogForm::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        if (msg == WM_INITDIALOG) {
            auto* form = reinterpret_cast<TDialogForm*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            form->Handle_ = window;
            form->FormCreate();
            return TRUE;
        }
        auto* form = reinterpret_cast<TDialogForm*>(GetWindowLongPtrW(window, DWLP_USER));
        if (!form)
            return FALSE;
        if (msg == WM_NCDESTROY)
            form->Handle_ = nullptr;
        return form->Dispatch(msg, wParam, lParam);
    } catch (...) {
        Application.HandleException("dialog");
    }
    // A form that could not be filled is not shown: what it would save is not what the user has.
    if (msg == WM_INITDIALOG)
        EndDialog(window, IDCANCEL);
    return FALSE;
}

INT_PTR TDialogForm::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (Message(msg, wParam, lParam, result)) {
        // Colour messages return their brush; every other result travels in DWLP_MSGRESULT.
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
            return result;
        SetWindowLongPtrW(Handle_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

bool TDialogPage::Message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (msg != WM_COMMAND && msg != WM_CTLCOLORSTATIC)
        return false;
    result = SendMessageW(GetParent(Handle()), msg, wParam, lParam);
    return true;
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool IsChecked(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND box, bool checked)
{
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
