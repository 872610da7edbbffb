#pragma once
// A hand-written OLE container site for the WebBrowser control: it creates the control on a
// temporary storage, activates it in place inside a host window, answers the control's container
// calls and receives its DWebBrowserEvents2 through IDispatch.
//
// The object is owned by whoever creates it with new and freed with delete; COM references only
// count and never free it. Deleting it closes the control and drops every reference the site and
// the control hold on each other, so that nothing calls back into freed memory.
//
//   site->CreateBrowser();  site->NavigateTo(address);  site->MoveBrowser(rect);

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include <string>

// COM interfaces have no destructors; objects are freed through the class that implements them.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class CWebBrowserBase : public IDispatch,
                        public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IDocHostUIHandler {
public:
    CWebBrowserBase();
    CWebBrowserBase(const CWebBrowserBase&) = delete;
    CWebBrowserBase& operator=(const CWebBrowserBase&) = delete;

    // Activates the control in place inside the host window and connects the event sink.
    BOOL CreateBrowser();
    // Places the control in the host window's client coordinates; before activation only stores
    // the rectangle. An all-zero rectangle gives the control no visible area.
    BOOL MoveBrowser(const RECT& rect);
    // Starts navigation to the BSTR address in the VARIANT.
    BOOL NavigateTo(VARIANT* address);
    BOOL NavigateTo(const std::wstring& address);
    // The control's innermost document window ("Internet Explorer_Server"), or null.
    HWND FindServerWindow();
    // The control's IWebBrowser2, queried on first need and kept; null without a control.
    IWebBrowser2* WebBrowser();
    // Disconnects the event sink, deactivates and closes the control and releases every interface
    // of it, so that the control holds no reference to the site any more. The destructor does it
    // too; owners call it earlier while the host window still exists.
    void CloseBrowser();

    // Where the owner wants the control once a document has loaded.
    void SetPlacement(const RECT& rect) { m_placement = rect; }
    const RECT& Placement() const { return m_placement; }
    const RECT& SiteRect() const { return m_siteRect; }
    bool IsCreated() const { return m_created != 0; }
    LONG ReferenceCount() const { return m_references; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch: the browser's events arrive through Invoke.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // The window in which the control lives; this base has none.
    virtual HWND GetHostWindow();
    // A document (or frame) of the page has loaded.
    virtual void OnDocumentComplete(const std::wstring& address);
    // A navigation is about to start; setting *cancel to VARIANT_TRUE stops it.
    virtual void OnBeforeNavigate(const std::wstring& address, VARIANT_BOOL* cancel);
    // A navigation has failed; the control shows no page for it when it has no error page.
    virtual void OnNavigateError(const std::wstring& address);

    virtual ~CWebBrowserBase();

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow, shared by the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU shared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;  // also IDocHostUIHandler's
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD id, POINT* point, IUnknown* target, IDispatch* object) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                        IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* group, DWORD command) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    STDMETHODIMP GetDropTarget(IDropTarget* target, IDropTarget** replacement) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR address, LPWSTR* translated) override;
    STDMETHODIMP FilterDataObject(IDataObject* data, IDataObject** replacement) override;

private:
    void SetSiteRectToHostClient();

    LONG m_references = 0;
    RECT m_siteRect = {};
    BYTE m_created = 0;
    RECT m_placement = {};
    IOleObject* m_oleObject = nullptr;
    IOleInPlaceObject* m_inPlaceObject = nullptr;
    IStorage* m_storage = nullptr;
    IWebBrowser2* m_webBrowser = nullptr;
    IConnectionPoint* m_eventSource = nullptr;  // kept to disconnect the sink when the site goes
    DWORD m_eventCookie = 0;
    bool m_oleInitialized = false;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
