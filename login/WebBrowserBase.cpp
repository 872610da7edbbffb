#include "WebBrowserBase.h"

#include "LoginUrl.h"

#include <exdispid.h>
#include <ocidl.h>
#include <servprov.h>
#include <shellapi.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace {

// The text of an event argument: a BSTR, possibly behind a VARIANT or BSTR reference.
std::wstring StringArgument(const VARIANT& argument)
{
    if (argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal)
        return StringArgument(*argument.pvarVal);
    if (argument.vt == VT_BSTR && argument.bstrVal)
        return std::wstring(argument.bstrVal, ::SysStringLen(argument.bstrVal));
    if (argument.vt == (VT_BYREF | VT_BSTR) && argument.pbstrVal && *argument.pbstrVal)
        return std::wstring(*argument.pbstrVal, ::SysStringLen(*argument.pbstrVal));
    return std::wstring();
}

// The event's cancel flag, or null when the argument is not one.
VARIANT_BOOL* CancelFlag(const VARIANT& argument)
{
    return argument.vt == (VT_BYREF | VT_BOOL) ? argument.pboolVal : nullptr;
}

void SetCancel(const VARIANT& argument)
{
    if (VARIANT_BOOL* cancel = CancelFlag(argument))
        *cancel = VARIANT_TRUE;
}

// An argument of any type as text, the way the automation rules convert it.
std::wstring ConvertedToString(const VARIANT& argument)
{
    VARIANT text;
    ::VariantInit(&text);
    std::wstring result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(&argument), 0, VT_BSTR)))
        result = StringArgument(text);
    ::VariantClear(&text);
    return result;
}

// Opens a page that asked for a window of its own in Internet Explorer, never in the control.
void OpenInSeparateBrowser(const std::wstring& address)
{
    if (address.empty())
        return;
    ::ShellExecuteW(nullptr, L"Open", L"iexplore.exe", QuotedBrowserArgument(address).c_str(), nullptr,
                    SW_SHOWNORMAL);
}

template <typename T>
void ReleaseAndClear(T*& pointer)
{
    if (pointer) {
        pointer->Release();
        pointer = nullptr;
    }
}

}  // namespace

CWebBrowserBase::CWebBrowserBase()
{
    if (FAILED(::OleInitialize(nullptr)))
        return;
    m_oleInitialized = true;
    // A nameless storage is a temporary file; it goes when the storage is released.
    if (FAILED(::StgCreateDocfile(nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_DELETEONRELEASE,
                                  0, &m_storage)))
        return;
    if (FAILED(::OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                           static_cast<IOleClientSite*>(this), m_storage, reinterpret_cast<void**>(&m_oleObject)))) {
        m_oleObject = nullptr;
        return;
    }
    if (FAILED(m_oleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_inPlaceObject))))
        m_inPlaceObject = nullptr;
}

CWebBrowserBase::~CWebBrowserBase()
{
    CloseBrowser();
    if (m_oleInitialized)
        ::OleUninitialize();
}

void CWebBrowserBase::CloseBrowser()
{
    if (m_eventSource) {
        m_eventSource->Unadvise(m_eventCookie);
        ReleaseAndClear(m_eventSource);
    }
    ReleaseAndClear(m_webBrowser);
    if (m_inPlaceObject) {
        m_inPlaceObject->InPlaceDeactivate();
        ReleaseAndClear(m_inPlaceObject);
    }
    if (m_oleObject) {
        m_oleObject->Close(OLECLOSE_NOSAVE);
        m_oleObject->SetClientSite(nullptr);
        ReleaseAndClear(m_oleObject);
    }
    ReleaseAndClear(m_storage);
    m_created = 0;
}

IWebBrowser2* CWebBrowserBase::WebBrowser()
{
    if (!m_webBrowser && m_oleObject &&
        FAILED(m_oleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_webBrowser))))
        m_webBrowser = nullptr;
    return m_webBrowser;
}

void CWebBrowserBase::SetSiteRectToHostClient()
{
    ::GetClientRect(GetHostWindow(), &m_siteRect);
}

BOOL CWebBrowserBase::CreateBrowser()
{
    if (!m_oleObject)
        return FALSE;
    if (m_siteRect.right - m_siteRect.left == 0 || m_siteRect.bottom - m_siteRect.top == 0)
        SetSiteRectToHostClient();
    if (m_created)
        return TRUE;
    m_created = 1;
    if (FAILED(m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                                   GetHostWindow(), &m_siteRect)))
        return FALSE;

    IWebBrowser2* browser = WebBrowser();
    IConnectionPointContainer* container = nullptr;
    if (!browser || FAILED(browser->QueryInterface(IID_IConnectionPointContainer,
                                                   reinterpret_cast<void**>(&container))))
        return FALSE;
    IConnectionPoint* source = nullptr;
    const HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &source);
    container->Release();
    if (FAILED(found))
        return FALSE;
    if (FAILED(source->Advise(static_cast<IDispatch*>(this), &m_eventCookie))) {
        source->Release();
        return FALSE;
    }
    m_eventSource = source;
    return TRUE;
}

BOOL CWebBrowserBase::MoveBrowser(const RECT& rect)
{
    if (!m_created) {
        m_siteRect = rect;
        return TRUE;
    }
    if (!m_oleObject || !m_inPlaceObject)
        return FALSE;
    SIZEL extent = {rect.right - rect.left, rect.bottom - rect.top};
    if (FAILED(m_oleObject->SetExtent(DVASPECT_CONTENT, &extent)) ||
        FAILED(m_inPlaceObject->SetObjectRects(&rect, &rect)))
        return FALSE;
    m_siteRect = rect;
    return TRUE;
}

BOOL CWebBrowserBase::NavigateTo(VARIANT* address)
{
    IWebBrowser2* browser = WebBrowser();
    return browser && address && address->vt == VT_BSTR &&
           SUCCEEDED(browser->Navigate(address->bstrVal, nullptr, nullptr, nullptr, nullptr));
}

BOOL CWebBrowserBase::NavigateTo(const std::wstring& address)
{
    VARIANT target;
    ::VariantInit(&target);
    target.vt = VT_BSTR;
    target.bstrVal = ::SysAllocString(address.c_str());
    const BOOL started = NavigateTo(&target);
    ::VariantClear(&target);
    return started;
}

HWND CWebBrowserBase::FindServerWindow()
{
    IWebBrowser2* browser = WebBrowser();
    IServiceProvider* services = nullptr;
    if (!browser || FAILED(browser->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))))
        return nullptr;
    IOleWindow* shellWindow = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(services->QueryService(SID_SShellBrowser, IID_IOleWindow, reinterpret_cast<void**>(&shellWindow)))) {
        shellWindow->GetWindow(&window);
        shellWindow->Release();
    }
    services->Release();
    for (; window; window = ::GetWindow(window, GW_CHILD)) {
        wchar_t className[260] = {};
        ::GetClassNameW(window, className, 260);
        if (std::wstring(className) == L"Internet Explorer_Server")
            return window;
    }
    return nullptr;
}

HWND CWebBrowserBase::GetHostWindow()
{
    return nullptr;
}

void CWebBrowserBase::OnDocumentComplete(const std::wstring&) {}

void CWebBrowserBase::OnBeforeNavigate(const std::wstring&, VARIANT_BOOL*) {}

void CWebBrowserBase::OnNavigateError(const std::wstring&) {}

// --- IUnknown -----------------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IDocHostUIHandler)
        *object = static_cast<IDocHostUIHandler*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CWebBrowserBase::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CWebBrowserBase::Release()
{
    // The owner frees the site; references only count.
    return static_cast<ULONG>(::InterlockedDecrement(&m_references));
}

// --- IDispatch ----------------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

// The arguments arrive last first: rgvarg[0] is the event's last parameter.
STDMETHODIMP CWebBrowserBase::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    const auto argumentsFit = [params](UINT count) { return params && params->rgvarg && params->cArgs >= count; };
    switch (id) {
    case DISPID_DOCUMENTCOMPLETE:  // (pDisp, URL)
        if (!argumentsFit(2))
            return DISP_E_BADPARAMCOUNT;
        OnDocumentComplete(StringArgument(params->rgvarg[0]));
        return S_OK;
    case DISPID_BEFORENAVIGATE2:  // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (!argumentsFit(7))
            return DISP_E_BADPARAMCOUNT;
        OnBeforeNavigate(StringArgument(params->rgvarg[5]), CancelFlag(params->rgvarg[0]));
        return S_OK;
    case DISPID_NEWWINDOW2:  // (ppDisp, Cancel)
        if (!argumentsFit(2))
            return DISP_E_BADPARAMCOUNT;
        SetCancel(params->rgvarg[0]);
        return E_NOTIMPL;
    case DISPID_NEWWINDOW3:  // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (!argumentsFit(5))
            return DISP_E_BADPARAMCOUNT;
        OpenInSeparateBrowser(ConvertedToString(params->rgvarg[0]));
        SetCancel(params->rgvarg[3]);
        return S_OK;
    case DISPID_NAVIGATEERROR:  // (pDisp, URL, Frame, StatusCode, Cancel)
        if (!argumentsFit(5))
            return DISP_E_BADPARAMCOUNT;
        OnNavigateError(StringArgument(params->rgvarg[3]));
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

// --- IOleClientSite -----------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::SaveObject()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_FAIL;
}

STDMETHODIMP CWebBrowserBase::ShowObject()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::RequestNewObjectLayout()
{
    return S_OK;
}

// --- IOleWindow ---------------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = GetHostWindow();
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// --- IOleInPlaceSite ----------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::CanInPlaceActivate()
{
    return m_created ? S_OK : S_FALSE;
}

STDMETHODIMP CWebBrowserBase::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    SetSiteRectToHostClient();
    *position = m_siteRect;
    *clip = m_siteRect;
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = ::GetParent(GetHostWindow());
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::DeactivateAndUndo()
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::OnPosRectChange(LPCRECT)
{
    return S_OK;
}

// --- IOleInPlaceUIWindow and IOleInPlaceFrame ---------------------------------------------------

STDMETHODIMP CWebBrowserBase::GetBorder(LPRECT border)
{
    if (!border)
        return E_POINTER;
    SetSiteRectToHostClient();
    *border = m_siteRect;
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::SetBorderSpace(LPCBORDERWIDTHS)
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::SetMenu(HMENU, HOLEMENU, HWND)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::SetStatusText(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::EnableModeless(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::TranslateAccelerator(LPMSG, WORD)
{
    return E_NOTIMPL;
}

// --- IDocHostUIHandler --------------------------------------------------------------------------

STDMETHODIMP CWebBrowserBase::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    return E_NOTIMPL;  // the control shows its own menu
}

STDMETHODIMP CWebBrowserBase::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->dwFlags |= DOCHOSTUIFLAG_NO3DOUTERBORDER;
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::HideUI()
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::UpdateUI()
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::OnDocWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::OnFrameWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetOptionKeyPath(LPOLESTR*, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetDropTarget(IDropTarget*, IDropTarget**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetExternal(IDispatch**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::TranslateUrl(DWORD, LPWSTR, LPWSTR*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::FilterDataObject(IDataObject*, IDataObject**)
{
    return E_NOTIMPL;
}
