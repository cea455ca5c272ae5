// A borderless form in the class library's manner: a window made on first use, its bounds, visibility,
// background colour, popup menu and close protocol. A derived form calls its own FormCreate at the end of its
// constructor and its own FormDestroy at the start of its destructor.
#pragma once

#include "classlib/Colors.h"
#include "classlib/Component.h"
#include "classlib/Messages.h"

#include <windows.h>

#include <string>

class TPopupMenu;

enum TCloseAction { caNone, caHide };

class TForm : public TComponent {
public:
    // A top-level popup owned by the application window, or a child of parent when one is given.
    explicit TForm(TComponent* owner, HWND parent = nullptr);
    ~TForm() override;

    // The window, made on first use; null once it was destroyed (a form whose window went with its parent
    // does not make another).
    HWND Handle();
    HWND ParentWindow() const { return Parent_; }

    int Left() const { return Left_; }
    int Top() const { return Top_; }
    int Width() const { return Width_; }
    int Height() const { return Height_; }
    int ClientWidth();
    int ClientHeight();
    void SetBounds(int left, int top, int width, int height);

    void Show();
    void Hide();
    void SetCaption(const std::string& caption);

    // Asks FormCloseQuery, then FormClose; the main form's close ends the application's message loop,
    // any other form is hidden unless FormClose set caNone.
    void Close();
    // FormClose without the query, unless a close has run it since the form was last shown: for a form that
    // ends otherwise (the application gives it to its main form when the message loop is over).
    void DoClose();

    TColor Color = 0xFF00000F;  // clBtnFace
    bool DoubleBuffered = false;
    TPopupMenu* PopupMenu = nullptr;

protected:
    // The form's own message handling; an override calls it for what it does not handle itself.
    virtual void WndProc(TMessage& message);
    // Runs the window's default procedure for the message.
    void DefaultHandler(TMessage& message);

    virtual void FormShow() {}
    virtual void FormResize() {}
    virtual void FormPaint(HDC dc) {}
    virtual void FormCloseQuery(bool& canClose) {}
    virtual void FormClose(TCloseAction& action) {}

private:
    static LRESULT CALLBACK FormWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Handle_ = nullptr;
    bool WindowGone_ = false;
    bool Closed_ = false;
    HWND Parent_;
    int Left_ = 0, Top_ = 0, Width_ = 0, Height_ = 0;
    std::string Caption_;
};
