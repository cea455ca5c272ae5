// The class library's ActiveX host control: one in-process control object, activated in place as a child
// window of its parent, with its properties read and written by dispatch number and its methods called by
// name. A derived class names the control's class and wraps the properties it uses.
#pragma once

#include <ole2.h>
#include <wrl/client.h>

#include <string>

#include "classlib/Component.h"
#include "classlib/Exception.h"

class TOleSite;

// A COM call failed; Code is its result.
class EOleSysError : public Exception {
public:
    EOleSysError(const std::string& message, HRESULT code);
    HRESULT Code;
};

class TOleControl : public TComponent {
public:
    // Creates and initialises the control object; EOleSysError when it cannot be created, take its site or
    // be initialised.
    TOleControl(TComponent* owner, const CLSID& classId);
    ~TOleControl() override;

    // The window the control's window is a child of; set before the first Handle.
    void SetParent(HWND parent) { Parent_ = parent; }
    HWND Parent() const { return Parent_; }
    // The control's window: the first call activates the control in place. Null without a parent or when
    // the control makes no window.
    HWND Handle();

    void SetBounds(int left, int top, int width, int height);
    int Left() const { return Left_; }
    int Top() const { return Top_; }
    int Width() const { return Width_; }
    int Height() const { return Height_; }

    void SetVisible(bool visible);
    bool Visible() const { return Visible_; }

protected:
    // Property access by dispatch number. A failed read gives 0; failed writes are not reported.
    void SetIntProp(DISPID id, int value);
    void SetWideStringProp(DISPID id, const std::wstring& value);
    int GetIntProp(DISPID id);
    // A method without arguments, looked up by name; its result converted (0 or false when it fails).
    int CallIntMethod(const wchar_t* name);
    bool CallBoolMethod(const wchar_t* name);
    void CallMethod(const wchar_t* name);

private:
    // OLE stays initialised on this thread for the control's life.
    struct TOleInitialization {
        TOleInitialization();
        ~TOleInitialization();
        bool Done;
    };

    static void Check(HRESULT code, const char* what);
    // Lets go of the control object and the site.
    void ReleaseControl();
    HRESULT Call(const wchar_t* name, VARTYPE type, VARIANT* result);
    HRESULT PutProperty(DISPID id, VARIANT& value);
    RECT Bounds() const;

    TOleInitialization OleInitialization_;
    Microsoft::WRL::ComPtr<IOleObject> Object_;
    Microsoft::WRL::ComPtr<IDispatch> Dispatch_;
    Microsoft::WRL::ComPtr<IOleInPlaceObject> InPlace_;
    TOleSite* Site_ = nullptr;
    HWND Parent_ = nullptr;
    HWND Window_ = nullptr;
    bool Activated_ = false;
    bool Visible_ = true;
    int Left_ = 0;
    int Top_ = 0;
    int Width_ = 0;
    int Height_ = 0;
};
