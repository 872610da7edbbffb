#include "LoginPopupDlg.h"

#include "AdapterMac.h"
#include "LoginUrl.h"
#include "QuitConfirmation.h"
#include "RadureLogin.h"
#include "res/resource.h"
#include "wnd/Text.h"

namespace {

constexpr int kPopupWidth = 619;  // bitmap 318's size
constexpr int kPopupHeight = 422;
constexpr int kOffsetFromLoginLeft = 326;
constexpr int kOffsetFromLoginTop = 168;
const COLORREF kTransparentColour = RGB(0, 255, 0);

// The buttons' pictures: normal, hover, pressed.
constexpr UINT kMinimizePictures[] = {320, 321, 322};
constexpr UINT kClosePictures[] = {323, 324, 325};
constexpr int kButtonSize = 22;

// The page's address: string 114 with this adapter's hardware address in its path.
std::wstring LoginPageAddress()
{
    std::string mac;
    GetAdapterMac(mac);
    const std::wstring wideMac(mac.begin(), mac.end());  // hexadecimal digits and hyphens only
    return BuildLoginUrl(wnd::LoadResourceString(IDS_LOGIN_URL), wideMac);
}

bool IsPageKey(WPARAM key)
{
    if (key == VK_TAB)
        return true;
    const bool letter = key == 'A' || key == 'C' || key == 'V' || key == 'X';
    return letter && ::GetAsyncKeyState(VK_CONTROL) != 0;
}

}  // namespace

CLoginPopupDlg::CLoginPopupDlg(wnd::Window* parent)
    : Dialog(IDD_LOGIN_POPUP, parent ? parent->GetSafeHwnd() : nullptr),
      m_loginWindow(dynamic_cast<CRadureLogin*>(parent))
{
}

CLoginPopupDlg::~CLoginPopupDlg()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    if (m_backgroundBrush)
        ::DeleteObject(m_backgroundBrush);
}

void CLoginPopupDlg::DoDataExchange()
{
    m_minimizeButton.SubclassDlgItem(IDC_LOGIN_MINIMIZE, m_hWnd);
    m_closeButton.SubclassDlgItem(IDC_LOGIN_CLOSE, m_hWnd);
}

BOOL CLoginPopupDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    DoDataExchange();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, kPopupWidth, kPopupHeight, SWP_NOZORDER);
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, kTransparentColour, 255, LWA_COLORKEY | LWA_ALPHA);

    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    CreateBrowserSite(w, h);

    m_minimizeButton.SetImages(kMinimizePictures[0], kMinimizePictures[1], kMinimizePictures[2]);
    ::MoveWindow(m_minimizeButton.m_hWnd, w - 51, 10, kButtonSize, kButtonSize, FALSE);
    m_closeButton.SetImages(kClosePictures[0], kClosePictures[1], kClosePictures[2]);
    ::MoveWindow(m_closeButton.m_hWnd, w - 22, 0, kButtonSize, kButtonSize, FALSE);

    if (HBITMAP background = static_cast<HBITMAP>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGIN_POPUP), IMAGE_BITMAP, 0, 0, 0))) {
        m_backgroundBrush = ::CreatePatternBrush(background);
        ::DeleteObject(background);
    }
    return TRUE;
}

// The control stays without a visible area until its first document has loaded; until then the
// background's loading notice shows.
void CLoginPopupDlg::CreateBrowserSite(int width, int height)
{
    m_site = std::make_unique<WebFormLogin>();
    m_site->SetHostWindow(m_hWnd);
    m_site->ClearUpdateStarted();
    m_site->CreateBrowser();
    m_site->SetPlacement(RECT{0, 26, width - 52, height});
    m_site->NavigateTo(LoginPageAddress());

    m_site->MoveBrowser(RECT{0, 0, 0, 0});
}

void CLoginPopupDlg::PlaceOverLoginWindow()
{
    if (!m_hWnd)
        return;
    RECT login = {};
    if (m_parent)
        ::GetWindowRect(m_parent, &login);
    ::MoveWindow(m_hWnd, login.left + kOffsetFromLoginLeft, login.top + kOffsetFromLoginTop, kPopupWidth,
                 kPopupHeight, TRUE);
    if (!::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOW);
}

void CLoginPopupDlg::HandOverGameAddress()
{
    if (g_strLastUrl.find(kGameAddressMarker) == std::wstring::npos || !m_loginWindow)
        return;
    m_loginWindow->SetGameUrl(g_strLastUrl);
    m_loginWindow->EndDialog(0);
}

bool CLoginPopupDlg::OnCommand(UINT id, UINT, HWND)
{
    switch (id) {
    case IDC_LOGIN_MINIMIZE:
        if (m_loginWindow)
            ::ShowWindow(m_loginWindow->GetSafeHwnd(), SW_MINIMIZE);
        return true;
    case IDC_LOGIN_CLOSE:
        ConfirmQuit(m_hWnd);
        return true;
    case kLoginNavigatedCommand:
        HandOverGameAddress();
        return true;
    default:
        return false;
    }
}

bool CLoginPopupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE)
            return false;
        ConfirmQuit(m_hWnd);
        result = 0;
        return true;
    case WM_CTLCOLORDLG:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd || !m_backgroundBrush)
            return false;
        result = reinterpret_cast<LRESULT>(m_backgroundBrush);
        return true;
    case WM_DESTROY:
        // The control goes while its window and ours still exist.
        if (m_site)
            m_site->CloseBrowser();
        return false;
    default:
        return false;
    }
}

int CLoginPopupDlg::TranslateKeyInPage(const MSG& msg)
{
    IWebBrowser2* browser = m_site ? m_site->WebBrowser() : nullptr;
    IDispatch* document = nullptr;
    if (!browser || FAILED(browser->get_Document(&document)) || !document)
        return -1;
    IOleInPlaceActiveObject* active = nullptr;
    const HRESULT queried = document->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active));
    document->Release();
    if (FAILED(queried) || !active)
        return -1;
    MSG pageMessage = msg;
    pageMessage.hwnd = m_site->FindServerWindow();
    pageMessage.message = WM_KEYDOWN;
    const HRESULT translated = active->TranslateAccelerator(&pageMessage);
    active->Release();
    return translated == S_OK ? 1 : 0;
}

BOOL CLoginPopupDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
        case VK_RETURN:
            return FALSE;
        case VK_SPACE:
        case VK_ESCAPE:
            return TRUE;
        default:
            if (IsPageKey(msg->wParam)) {
                const int taken = TranslateKeyInPage(*msg);
                if (taken >= 0)
                    return taken == 1;
            }
            break;
        }
    }
    return Dialog::PreTranslateMessage(msg);
}
