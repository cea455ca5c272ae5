#include "classlib/OleSite.h"

STDMETHODIMP TOleSite::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TOleSite::AddRef()
{
    return InterlockedIncrement(&References_);
}

STDMETHODIMP_(ULONG) TOleSite::Release()
{
    LONG left = InterlockedDecrement(&References_);
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP TOleSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP TOleSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP TOleSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP TOleSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = Host_;
    return Host_ ? S_OK : E_FAIL;
}

STDMETHODIMP TOleSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::CanInPlaceActivate()
{
    return Host_ ? S_OK : S_FALSE;
}

STDMETHODIMP TOleSite::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP TOleSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP TOleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;  // the frame is the only UI window
    *position = Position_;
    *clip = Position_;
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = Host_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP TOleSite::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP TOleSite::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP TOleSite::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP TOleSite::DeactivateAndUndo()
{
    return S_OK;
}

STDMETHODIMP TOleSite::OnPosRectChange(LPCRECT)
{
    // The host decides the control's place; it keeps the one it gave.
    return S_OK;
}

STDMETHODIMP TOleSite::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP TOleSite::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP TOleSite::SetBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP TOleSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP TOleSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP TOleSite::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP TOleSite::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP TOleSite::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}

STDMETHODIMP TOleSite::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP TOleSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TOleSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP TOleSite::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    // Every ambient property is unknown here, so the control takes its own defaults.
    return DISP_E_MEMBERNOTFOUND;
}
