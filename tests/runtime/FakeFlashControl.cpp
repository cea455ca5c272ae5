// The fake Flash control: IOleObject, IOleInPlaceObject, IPersistStreamInit and IDispatch over a scripted
// frame counter.
#include "tests/runtime/FakeFlashControl.h"

#include <ole2.h>
#include <olectl.h>

#include <cwchar>

namespace {

const CLSID kFlashClass = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const wchar_t kWindowClass[] = L"FakeFlashWindow";

enum : DISPID { kMovie = 102, kScaleMode = 120, kAlignMode = 121, kTotalFrames = 124 };
enum : DISPID { kPlay = 1001, kStopPlay, kCurrentFrame, kIsPlaying };

FakeFlashState g_State;
HINSTANCE g_Module;

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg < sizeof g_State.Received / sizeof g_State.Received[0])
        ++g_State.Received[msg];
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

int ReadFrame()
{
    if (g_State.Playing) {
        g_State.Frame += g_State.FramesPerReading;
        if (g_State.Frame >= g_State.TotalFrames) {
            g_State.Frame = g_State.Loops ? 1 : g_State.TotalFrames;
            g_State.Playing = g_State.Loops;
        }
    }
    return g_State.Frame;
}

class FakeFlash final : public IOleObject, public IOleInPlaceObject, public IPersistStreamInit, public IDispatch {
public:
    FakeFlash() { InterlockedIncrement(&g_State.LiveObjects); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleObject)
            *object = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
            *object = static_cast<IOleInPlaceObject*>(this);
        else if (iid == IID_IDispatch)
            *object = static_cast<IDispatch*>(this);
        else if (iid == IID_IPersistStreamInit || iid == IID_IPersist)
            *object = static_cast<IPersistStreamInit*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++References; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --References;
        if (left == 0) {
            LetGoOfMovie();
            DestroyOwnWindow();
            SetClientSite(nullptr);
            InterlockedDecrement(&g_State.LiveObjects);
            delete this;
        }
        return left;
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        if (site && g_State.FailsSetClientSite)
            return E_FAIL;
        if (site)
            site->AddRef();
        if (Site)
            Site->Release();
        Site = site;
        g_State.HoldsSite = site != nullptr;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override
    {
        *site = Site;
        if (Site)
            Site->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        DestroyOwnWindow();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) override
    {
        if (verb != OLEIVERB_INPLACEACTIVATE || !site)
            return E_NOTIMPL;
        if (g_State.FailsActivation)
            return E_FAIL;
        IOleInPlaceSite* inPlace = nullptr;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))))
            return E_FAIL;
        HRESULT hr = E_FAIL;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT position, clip;
        OLEINPLACEFRAMEINFO info = {};
        info.cb = sizeof info;
        HWND parent = nullptr;
        if (inPlace->CanInPlaceActivate() == S_OK && SUCCEEDED(inPlace->OnInPlaceActivate()) &&
            SUCCEEDED(inPlace->GetWindow(&parent)) &&
            SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &position, &clip, &info))) {
            AskAmbient(site);
            g_State.ActivatedIn = parent;
            g_State.Position = position;
            if (!g_State.MakesNoWindow)
                g_State.Window = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, position.left,
                                                 position.top, position.right - position.left,
                                                 position.bottom - position.top, parent, nullptr, g_Module, nullptr);
            hr = g_State.Window || g_State.MakesNoWindow ? S_OK : E_FAIL;
        }
        if (frame)
            frame->Release();
        if (document)
            document->Release();
        inPlace->Release();
        return hr;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* id) override
    {
        *id = kFlashClass;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = g_State.Window;
        return g_State.Window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        DestroyOwnWindow();
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override
    {
        g_State.Position = *position;
        if (g_State.Window)
            MoveWindow(g_State.Window, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* id) override { return GetUserClassID(id); }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(IStream*) override { return E_NOTIMPL; }
    STDMETHODIMP Save(IStream*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override { return g_State.FailsInitNew ? E_FAIL : S_OK; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const struct {
            const wchar_t* Name;
            DISPID Id;
        } methods[] = {{L"Play", kPlay}, {L"StopPlay", kStopPlay}, {L"CurrentFrame", kCurrentFrame},
                       {L"IsPlaying", kIsPlaying}};
        if (count != 1)
            return DISP_E_UNKNOWNNAME;
        for (const auto& m : methods) {
            if (_wcsicmp(names[0], m.Name) == 0) {
                ids[0] = m.Id;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        if (flags & DISPATCH_PROPERTYPUT)
            return Put(id, params);
        if (result)
            VariantInit(result);
        switch (id) {
        case kTotalFrames:
            return Answer(result, g_State.TotalFrames);
        case kPlay:
            if (!g_State.IgnoresPlay)
                g_State.Playing = true;
            ++g_State.PlayCalls;
            return S_OK;
        case kStopPlay:
            g_State.Playing = false;
            ++g_State.StopPlayCalls;
            return S_OK;
        case kCurrentFrame:
            return Answer(result, ReadFrame());
        case kIsPlaying:
            if (result) {
                result->vt = VT_BOOL;
                result->boolVal = g_State.Playing ? VARIANT_TRUE : VARIANT_FALSE;
            }
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    ~FakeFlash() = default;

    static HRESULT Answer(VARIANT* result, int value)
    {
        if (result) {
            result->vt = VT_I4;
            result->lVal = value;
        }
        return S_OK;
    }
    HRESULT Put(DISPID id, DISPPARAMS* params)
    {
        if (!params || params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        VARIANT& value = params->rgvarg[0];
        if (id == kMovie && value.vt == VT_BSTR) {
            wcsncpy(g_State.Movie, value.bstrVal, MAX_PATH - 1);
            // As a real control may: the movie stays open, and cannot be deleted, until the next one or the end.
            LetGoOfMovie();
            MovieFile =
                CreateFileW(value.bstrVal, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            return S_OK;
        }
        if ((id == kScaleMode || id == kAlignMode) && value.vt == VT_I4) {
            (id == kScaleMode ? g_State.ScaleMode : g_State.AlignMode) = value.lVal;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    void AskAmbient(IOleClientSite* site)
    {
        IDispatch* ambient = nullptr;
        if (FAILED(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))))
            return;
        VARIANT value;
        VariantInit(&value);
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        g_State.AmbientAnswer = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                                &value, nullptr, nullptr);
        ambient->Release();
    }
    void LetGoOfMovie()
    {
        if (MovieFile != INVALID_HANDLE_VALUE)
            CloseHandle(MovieFile);
        MovieFile = INVALID_HANDLE_VALUE;
    }
    void DestroyOwnWindow()
    {
        if (g_State.Window)
            DestroyWindow(g_State.Window);
        g_State.Window = nullptr;
    }

    ULONG References = 1;
    IOleClientSite* Site = nullptr;
    HANDLE MovieFile = INVALID_HANDLE_VALUE;
};

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        FakeFlash* control = new FakeFlash;
        HRESULT hr = control->QueryInterface(iid, object);
        control->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_Factory;

} // namespace

extern "C" {

__declspec(dllexport) FakeFlashState* FakeFlashStateOf()
{
    return &g_State;
}

__declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID id, REFIID iid, void** object)
{
    if (id != kFlashClass)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_Factory.QueryInterface(iid, object);
}

__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow()
{
    return S_FALSE;  // the test reads the state after the last object is gone
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_Module = module;
        g_State.TotalFrames = 10;
        g_State.FramesPerReading = 10;
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ControlWndProc;
        wc.hInstance = module;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        RegisterClassW(&wc);
    }
    return TRUE;
}

} // extern "C"
