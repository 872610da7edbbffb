#include "CustomMessageBox.h"

#include "MyMemDC.h"
#include "SkinText.h"
#include "res/resource.h"

namespace {

constexpr int kBoxWidth = 258;  // the background picture's size
constexpr int kBoxHeight = 112;
const Gdiplus::Color kTextColour(0xFF, 0xDA, 0xC2, 0x9D);

}  // namespace

CCustomMessageBox::CCustomMessageBox(HWND parent) : Dialog(IDD_MESSAGE_BOX, parent) {}

void CCustomMessageBox::SetText(const std::wstring& title, const std::wstring& message)
{
    m_title = title;
    m_message = message;
}

void CCustomMessageBox::DoDataExchange()
{
    m_okButton.SubclassDlgItem(IDOK, m_hWnd);
    m_cancelButton.SubclassDlgItem(IDCANCEL, m_hWnd);
    m_closeButton.SubclassDlgItem(IDC_MESSAGE_CLOSE, m_hWnd);
}

BOOL CCustomMessageBox::OnInitDialog()
{
    Dialog::OnInitDialog();
    DoDataExchange();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, kBoxWidth, kBoxHeight, SWP_NOMOVE | SWP_NOZORDER);
    const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    ::SetWindowLongW(m_hWnd, GWL_STYLE, (style | WS_SYSMENU | WS_MINIMIZEBOX) & ~WS_CAPTION);

    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    ::MoveWindow(m_closeButton.m_hWnd, w - 25, 10, 28, 26, FALSE);
    m_closeButton.SetImages(IDP_MESSAGE_CLOSE, IDP_MESSAGE_CLOSE, IDP_MESSAGE_CLOSE);
    ::MoveWindow(m_okButton.m_hWnd, 45, h - 45, 82, 34, FALSE);
    m_okButton.SetImages(IDP_MESSAGE_OK, IDP_MESSAGE_OK_HOVER, IDP_MESSAGE_OK_HOVER);
    ::MoveWindow(m_cancelButton.m_hWnd, 137, h - 45, 82, 34, FALSE);
    m_cancelButton.SetImages(IDP_MESSAGE_CANCEL, IDP_MESSAGE_CANCEL_HOVER, IDP_MESSAGE_CANCEL_HOVER);
    m_background = LoadPngImage(IDP_MESSAGE_BACKGROUND);
    return TRUE;
}

bool CCustomMessageBox::OnCommand(UINT id, UINT, HWND)
{
    if (id != IDC_MESSAGE_CLOSE)
        return false;
    OnCancel();
    return true;
}

bool CCustomMessageBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND:
        Paint(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
    case WM_NCHITTEST:
        result = wnd::CaptionHitTest(m_hWnd, wParam, lParam);
        return true;
    default:
        return false;
    }
}

void CCustomMessageBox::Paint(HDC dc)
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    {
        CMyMemDC memory(dc, client);  // composed off-screen, copied in one BitBlt
        Gdiplus::Graphics graphics(memory);
        if (m_background)
            graphics.DrawImage(m_background, 0, 0, m_background->GetWidth(), m_background->GetHeight());
        const auto titleFamily = FontFamilyOrSansSerif(L"微软雅黑");
        const auto messageFamily = FontFamilyOrSansSerif(L"arial");
        const Gdiplus::Font titleFont(titleFamily.get(), 15, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        const Gdiplus::Font messageFont(messageFamily.get(), 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentNear);
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
        const Gdiplus::SolidBrush titleBrush(kTextColour);
        const Gdiplus::SolidBrush messageBrush(kTextColour);
        graphics.DrawString(m_title.c_str(), -1, &titleFont, Gdiplus::RectF(85, 7, 100, 25), &format, &titleBrush);
        graphics.DrawString(m_message.c_str(), -1, &messageFont, Gdiplus::RectF(28, 33, 220, 30), &format,
                            &messageBrush);
    }
}
