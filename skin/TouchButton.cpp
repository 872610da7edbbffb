#include "TouchButton.h"

#include "MyMemDC.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kToolTipDelayMilliseconds = 2000;

// Brightens red, green and blue: each times 1.05 plus 0.05; alpha unchanged.
const Gdiplus::ColorMatrix kHoverMatrix = {{
    {1.05f, 0, 0, 0, 0},
    {0, 1.05f, 0, 0, 0},
    {0, 0, 1.05f, 0, 0},
    {0, 0, 0, 1, 0},
    {0.05f, 0.05f, 0.05f, 0, 1},
}};

}  // namespace

CTouchButton::Picture::~Picture()
{
    if (dc) {
        ::SelectObject(dc, previous);
        ::DeleteDC(dc);
    }
    if (bitmap)
        ::DeleteObject(bitmap);
}

void CTouchButton::Picture::Create(HDC compatibleWith, int width, int height)
{
    dc = ::CreateCompatibleDC(compatibleWith);
    bitmap = ::CreateCompatibleBitmap(compatibleWith, width, height);
    previous = ::SelectObject(dc, bitmap);
}

CTouchButton::~CTouchButton()
{
    if (m_toolTip)
        ::DestroyWindow(m_toolTip);
}

void CTouchButton::PreSubclassWindow()
{
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | BS_OWNERDRAW);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool CTouchButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId)
{
    m_hoverImage = std::make_unique<CGdiPlusBitmapResource>();
    m_normalImage = std::make_unique<CGdiPlusBitmapResource>();
    m_pressedImage = std::make_unique<CGdiPlusBitmapResource>();
    const bool hoverLoaded = m_hoverImage->LoadPng(hoverId);
    m_normalImage->LoadPng(normalId);
    m_pressedImage->LoadPng(pressedId);
    return hoverLoaded;
}

BOOL CTouchButton::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    if (m_toolTip)
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return SubclassedWindow::PreTranslateMessage(msg);
}

void CTouchButton::SetToolTipText(const std::wstring& text, BOOL activate)
{
    if (text.empty())
        return;
    if (!m_toolTip) {
        m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (!m_toolTip)
            return;
        ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    }
    m_toolTipText = text;

    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hWnd;
    tool.uId = kToolId;
    tool.lpszText = const_cast<wchar_t*>(m_toolTipText.c_str());
    if (::SendMessageW(m_toolTip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        ::GetClientRect(m_hWnd, &tool.rect);
        ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_toolTip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(kToolTipDelayMilliseconds, 0));
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, activate, 0);
}

bool CTouchButton::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CTLCOLORBTN:
        // The button asks for its colours just before it paints: the moment to compose. The
        // colours themselves stay the parent's choice.
        ComposePictures(reinterpret_cast<HDC>(wParam));
        return false;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CTouchButton::ComposeState(Picture& picture, HDC work, int width, int height, CGdiPlusBitmapResource* image,
                                const Gdiplus::ImageAttributes* attributes)
{
    ::BitBlt(work, 0, 0, width, height, m_background.dc, 0, 0, SRCCOPY);
    if (Gdiplus::Bitmap* bitmap = image->m_pBitmap) {
        Gdiplus::Graphics graphics(work);
        const INT w = static_cast<INT>(bitmap->GetWidth());
        const INT h = static_cast<INT>(bitmap->GetHeight());
        graphics.DrawImage(bitmap, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel, attributes);
    }
    picture.Create(work, width, height);
    ::BitBlt(picture.dc, 0, 0, width, height, work, 0, 0, SRCCOPY);
}

void CTouchButton::ComposePictures(HDC dc)
{
    if (m_picturesBuilt || !m_hoverImage || !m_normalImage || !m_pressedImage)
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    CMyMemDC work(dc, client);

    if (!m_background.dc) {
        const HWND parent = ::GetParent(m_hWnd);
        HDC parentDC = ::GetDC(parent);
        RECT place = {};
        ::GetWindowRect(m_hWnd, &place);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        m_background.Create(parentDC, width, height);
        ::BitBlt(m_background.dc, 0, 0, width, height, parentDC, place.left, place.top, SRCCOPY);
        ::ReleaseDC(parent, parentDC);
    }
    if (!m_normal.dc) {
        ComposeState(m_normal, work, width, height, m_normalImage.get(), nullptr);
        if (!m_pressed.dc)
            ComposeState(m_pressed, work, width, height, m_pressedImage.get(), nullptr);
        if (!m_hoverPicture.dc) {
            Gdiplus::ImageAttributes brighter;
            brighter.SetColorMatrix(&kHoverMatrix, Gdiplus::ColorMatrixFlagsDefault, Gdiplus::ColorAdjustTypeDefault);
            ComposeState(m_hoverPicture, work, width, height, m_hoverImage.get(), &brighter);
        }
    }
    if (!m_current)
        m_current = &m_normal;
    m_picturesBuilt = TRUE;
}

void CTouchButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemState & ODS_SELECTED)
        m_current = &m_pressed;
    else if (m_hover)
        m_current = &m_hoverPicture;
    else
        m_current = &m_normal;
    if (!m_current->dc)
        return;  // not composed yet: the parent's pixels stay
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    ::BitBlt(item.hDC, 0, 0, client.right - client.left, client.bottom - client.top, m_current->dc, 0, 0, SRCCOPY);
}

LRESULT CTouchButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_MOUSEMOVE:
        if (!m_tracking) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
            m_tracking = ::TrackMouseEvent(&track);
        }
        break;
    case WM_MOUSEHOVER:
        m_hover = TRUE;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        // A fresh tooltip for every visit.
        if (m_toolTip) {
            ::DestroyWindow(m_toolTip);
            m_toolTip = nullptr;
        }
        SetToolTipText(m_toolTipText, TRUE);
        if (m_toolTip && ::IsWindow(m_toolTip))
            ::SendMessageW(m_toolTip, TTM_UPDATE, 0, 0);
        return 0;
    case WM_MOUSELEAVE:
        m_tracking = FALSE;
        m_hover = FALSE;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    }
    return SubclassedWindow::WindowProc(message, wParam, lParam);
}
