#include "RadureLogin.h"

#include "QuitConfirmation.h"
#include "install/Installation.h"
#include "skin/MyMemDC.h"
#include "res/resource.h"
#include "wnd/Text.h"

CRadureLogin::CRadureLogin() : Dialog(IDD_LOGIN) {}

BOOL CRadureLogin::OnInitDialog()
{
    Dialog::OnInitDialog();
    ::SetWindowTextW(m_hWnd, wnd::LoadResourceString(IDS_WINDOW_TITLE).c_str());

    if (m_background.LoadPng(IDP_LOGIN_BACKGROUND)) {
        m_pictureWidth = static_cast<int>(m_background.m_pBitmap->GetWidth());
        m_pictureHeight = static_cast<int>(m_background.m_pBitmap->GetHeight());
    }
    ShowLayeredPicture();

    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | WS_MINIMIZEBOX);
    wnd::CenterWindow(m_hWnd, nullptr);

    m_popup = std::make_unique<CLoginPopupDlg>(this);
    m_popup->Create(m_hWnd);
    m_popup->PlaceOverLoginWindow();

    SetUpInstallation();
    return TRUE;
}

// The window's content is the picture with its alpha channel, given once to the system: the
// window takes the picture's size and outline, and fully transparent pixels are neither drawn nor
// hit. The off-screen bitmap is 32-bit premultiplied ARGB, as the system blends it.
void CRadureLogin::ShowLayeredPicture()
{
    const HDC windowDc = ::GetDC(m_hWnd);
    const HDC memoryDc = ::CreateCompatibleDC(windowDc);

    void* bits = nullptr;
    const HBITMAP bitmap = CreateOffScreenBitmap(memoryDc, m_pictureWidth, m_pictureHeight, &bits);
    const HGDIOBJ previous = bitmap ? ::SelectObject(memoryDc, bitmap) : nullptr;
    if (bitmap && bits) {
        Gdiplus::Bitmap surface(m_pictureWidth, m_pictureHeight, m_pictureWidth * 4, PixelFormat32bppPARGB,
                                static_cast<BYTE*>(bits));
        Gdiplus::Graphics graphics(&surface);
        const Gdiplus::Point corners[] = {{0, 0}, {m_pictureWidth, 0}, {0, m_pictureHeight}};
        graphics.DrawImage(m_background.m_pBitmap, corners, 3);
    }

    if (!(::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED))
        ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    POINT destination = {window.left, window.top};
    POINT source = {0, 0};
    SIZE size = {m_pictureWidth, m_pictureHeight};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_hWnd, windowDc, &destination, &size, memoryDc, &source, 0, &blend, ULW_ALPHA);

    if (previous)
        ::SelectObject(memoryDc, previous);
    if (bitmap)
        ::DeleteObject(bitmap);
    ::DeleteDC(memoryDc);
    ::ReleaseDC(m_hWnd, windowDc);
}

BOOL CRadureLogin::PreTranslateMessage(MSG* msg)
{
    if (msg->wParam == VK_MENU)
        return FALSE;
    return Dialog::PreTranslateMessage(msg);
}

bool CRadureLogin::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_NCHITTEST:
        result = wnd::CaptionHitTest(m_hWnd, wParam, lParam);
        return true;
    case WM_WINDOWPOSCHANGED:
        // The popup keeps its place over the panel while the window is dragged.
        if (m_popup)
            m_popup->PlaceOverLoginWindow();
        return false;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            ConfirmQuit(m_hWnd);
        return false;  // refused: the default handling reaches the empty OnCancel
    default:
        return false;
    }
}
