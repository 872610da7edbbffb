#include "MyMemDC.h"

HBITMAP CreateOffScreenBitmap(HDC compatibleWith, int width, int height, void** bits)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    const HBITMAP bitmap = width > 0 && height > 0
                               ? ::CreateDIBSection(compatibleWith, &format, DIB_RGB_COLORS, &pixels, nullptr, 0)
                               : nullptr;
    if (bits)
        *bits = bitmap ? pixels : nullptr;
    return bitmap;
}

CMyMemDC::CMyMemDC(HDC target, const RECT& rect)
    : m_target(target), m_rect(rect), m_offScreen(::GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER)
{
    if (!m_offScreen) {
        m_hDC = target;
        return;
    }
    m_hDC = ::CreateCompatibleDC(target);
    if (rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0)
        ::GetClipBox(target, &m_rect);
    m_bitmap = CreateOffScreenBitmap(target, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
    m_oldBitmap = ::SelectObject(m_hDC, m_bitmap);
    ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
}

CMyMemDC::~CMyMemDC()
{
    if (!m_offScreen)
        return;  // the target's own DC: nothing to copy or release
    ::BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hDC,
             m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_hDC);
}
