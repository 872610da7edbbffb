#include "MenbanDlg.h"

#include "GdiPlusBitmap.h"
#include "MyMemDC.h"
#include "SkinText.h"
#include "res/resource.h"
#include "wnd/Text.h"

namespace {

constexpr BYTE kSheetOpacity = 229;
constexpr int kSpinnerAboveCentre = 40;
constexpr int kTextWidth = 200;
constexpr int kTextHeight = 31;
const Gdiplus::Color kTextColour(0xFF, 0xFF, 0xF5, 0xD3);

}  // namespace

CMenbanDlg::CMenbanDlg() : Dialog(IDD_OVERLAY) {}

UINT CMenbanDlg::CurrentPictureId() const
{
    for (int i = 1; i < 5; ++i) {
        if (m_current && m_current == m_images[i])
            return IDP_OVERLAY_BACKDROP + static_cast<UINT>(i);
    }
    return 0;
}

BOOL CMenbanDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    for (int i = 0; i < 5; ++i)
        m_images[i] = LoadPngImage(IDP_OVERLAY_BACKDROP + static_cast<UINT>(i));
    m_current = m_images[1];
    m_step = 1;
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, kSheetOpacity, LWA_ALPHA);
    return TRUE;
}

bool CMenbanDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND:
        result = TRUE;
        return true;
    case WM_TIMER:
        if (wParam == kAnimationTimer)
            Tick();
        result = 0;
        return true;
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    default:
        return false;
    }
}

RECT CMenbanDlg::SpinnerRect(const RECT& client) const
{
    const int width = m_current ? static_cast<int>(m_current->GetWidth()) : 0;
    const int height = m_current ? static_cast<int>(m_current->GetHeight()) : 0;
    const int x = (client.right - width) / 2;
    const int y = (client.bottom - height) / 2 - kSpinnerAboveCentre;
    return RECT{x, y, x + width, y + height};
}

void CMenbanDlg::Tick()
{
    if (m_step < 1 || m_step > 4)
        m_step = 1;
    m_current = m_images[m_step];
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const RECT spinner = SpinnerRect(client);
    ::InvalidateRect(m_hWnd, &spinner, TRUE);
    ::UpdateWindow(m_hWnd);
    ++m_step;
}

void CMenbanDlg::Paint()
{
    PAINTSTRUCT paint = {};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    {
        CMyMemDC memory(dc, client);  // composed off-screen, copied in one BitBlt
        HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::FillRect(memory, &client, white);
        Gdiplus::Graphics graphics(memory);
        if (m_images[0]) {
            Gdiplus::TextureBrush backdrop(m_images[0], Gdiplus::WrapModeTile);
            backdrop.TranslateTransform(static_cast<Gdiplus::REAL>(client.left), static_cast<Gdiplus::REAL>(client.top));
            graphics.FillRectangle(&backdrop, static_cast<INT>(client.left), static_cast<INT>(client.top),
                                   static_cast<INT>(client.right - client.left),
                                   static_cast<INT>(client.bottom - client.top));
        }
        if (m_current) {
            const RECT spinner = SpinnerRect(client);
            graphics.DrawImage(m_current, static_cast<INT>(spinner.left), static_cast<INT>(spinner.top),
                               static_cast<INT>(m_current->GetWidth()), static_cast<INT>(m_current->GetHeight()));
        }
        const std::wstring text = wnd::LoadResourceString(IDS_CACHE_WAIT);
        const auto family = FontFamilyOrSansSerif(L"arial");
        const Gdiplus::Font font(family.get(), 14, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        const Gdiplus::SolidBrush brush(kTextColour);
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
        const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>((client.right - kTextWidth) / 2),
                                    static_cast<Gdiplus::REAL>((client.bottom - kTextHeight) / 2), kTextWidth,
                                    kTextHeight);
        graphics.DrawString(text.c_str(), -1, &font, layout, &format, &brush);
    }
    ::EndPaint(m_hWnd, &paint);
}
