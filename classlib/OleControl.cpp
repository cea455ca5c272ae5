#include "classlib/OleControl.h"

#include "classlib/OleSite.h"

#include <ocidl.h>

#include <cstdio>

namespace {

struct TVariant : VARIANT {
    TVariant() { VariantInit(this); }
    ~TVariant() { VariantClear(this); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
};

std::string HResultText(const char* what, HRESULT code)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (0x%08lX)", what, static_cast<unsigned long>(code));
    return text;
}

} // namespace

EOleSysError::EOleSysError(const std::string& message, HRESULT code) : Exception(message), Code(code) {}

TOleControl::TOleInitialization::TOleInitialization() : Done(SUCCEEDED(OleInitialize(nullptr))) {}

TOleControl::TOleInitialization::~TOleInitialization()
{
    if (Done)
        OleUninitialize();
}

TOleControl::TOleControl(TComponent* owner, const CLSID& classId) : TComponent(owner)
{
    // A control that cannot be set up counts as none; what was made so far is let go.
    try {
        Check(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               reinterpret_cast<void**>(Object_.GetAddressOf())),
              "Creating the control");
        Check(Object_.As(&Dispatch_), "The control's dispatch interface");
        Site_ = new TOleSite;
        Check(Object_->SetClientSite(Site_), "Giving the control its site");
        Microsoft::WRL::ComPtr<IPersistStreamInit> persist;
        if (SUCCEEDED(Object_.As(&persist)))
            Check(persist->InitNew(), "Initialising the control");
    } catch (...) {
        ReleaseControl();
        throw;
    }
}

TOleControl::~TOleControl()
{
    ReleaseControl();
}

void TOleControl::Check(HRESULT code, const char* what)
{
    if (FAILED(code))
        throw EOleSysError(HResultText(what, code), code);
}

void TOleControl::ReleaseControl()
{
    if (InPlace_)
        InPlace_->InPlaceDeactivate();
    if (Object_) {
        Object_->Close(OLECLOSE_NOSAVE);
        Object_->SetClientSite(nullptr);
    }
    if (Site_) {
        Site_->Detach();
        Site_->Release();
        Site_ = nullptr;
    }
}

HWND TOleControl::Handle()
{
    if (Activated_ || !Parent_)
        return Window_;
    Activated_ = true;
    RECT bounds = Bounds();
    Site_->Attach(Parent_);
    Site_->SetPosition(bounds);
    if (FAILED(Object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, Site_, 0, Parent_, &bounds)))
        return nullptr;
    if (FAILED(Object_.As(&InPlace_)) || FAILED(InPlace_->GetWindow(&Window_)))
        Window_ = nullptr;
    if (Window_ && !Visible_)
        ShowWindow(Window_, SW_HIDE);
    return Window_;
}

RECT TOleControl::Bounds() const
{
    return {Left_, Top_, Left_ + Width_, Top_ + Height_};
}

void TOleControl::SetBounds(int left, int top, int width, int height)
{
    Left_ = left;
    Top_ = top;
    Width_ = width;
    Height_ = height;
    RECT bounds = Bounds();
    Site_->SetPosition(bounds);
    if (InPlace_)
        InPlace_->SetObjectRects(&bounds, &bounds);
}

void TOleControl::SetVisible(bool visible)
{
    Visible_ = visible;
    if (Window_)
        ShowWindow(Window_, visible ? SW_SHOWNA : SW_HIDE);
}

HRESULT TOleControl::PutProperty(DISPID id, VARIANT& value)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    return Dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                             nullptr);
}

void TOleControl::SetIntProp(DISPID id, int value)
{
    TVariant v;
    v.vt = VT_I4;
    v.lVal = value;
    PutProperty(id, v);
}

void TOleControl::SetWideStringProp(DISPID id, const std::wstring& value)
{
    TVariant v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    if (v.bstrVal)
        PutProperty(id, v);
}

int TOleControl::GetIntProp(DISPID id)
{
    TVariant v;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    HRESULT hr = Dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v, nullptr,
                                   nullptr);
    if (FAILED(hr) || FAILED(VariantChangeType(&v, &v, 0, VT_I4)))
        return 0;
    return v.lVal;
}

HRESULT TOleControl::Call(const wchar_t* name, VARTYPE type, VARIANT* result)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = Dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    hr = Dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result, nullptr, nullptr);
    if (FAILED(hr) || !result)
        return hr;
    return VariantChangeType(result, result, 0, type);
}

int TOleControl::CallIntMethod(const wchar_t* name)
{
    TVariant v;
    return SUCCEEDED(Call(name, VT_I4, &v)) ? v.lVal : 0;
}

bool TOleControl::CallBoolMethod(const wchar_t* name)
{
    TVariant v;
    return SUCCEEDED(Call(name, VT_BOOL, &v)) && v.boolVal != VARIANT_FALSE;
}

void TOleControl::CallMethod(const wchar_t* name)
{
    Call(name, VT_EMPTY, nullptr);
}
