#pragma once
// An off-screen stand-in for a target DC: drawing goes into a memory bitmap, and the destructor
// copies the covered rectangle to the target in one BitBlt. On a printer DC drawing goes straight
// to the target and nothing is copied.

#include <windows.h>

// An off-screen bitmap for drawing with GDI and GDI+: 32 bits per pixel, rows top-down, its
// pixels at *bits when bits is given. A device-independent section rather than a bitmap of the
// display's own kind: Wine draws small text into display bitmaps with rows of its glyphs missing.
HBITMAP CreateOffScreenBitmap(HDC compatibleWith, int width, int height, void** bits = nullptr);

class CMyMemDC {
public:
    // An all-zero rectangle means the target's clip box. The rectangle is in the target's
    // logical coordinates, and so is drawing into this DC.
    CMyMemDC(HDC target, const RECT& rect);
    CMyMemDC(const CMyMemDC&) = delete;
    CMyMemDC& operator=(const CMyMemDC&) = delete;
    ~CMyMemDC();

    operator HDC() const { return m_hDC; }
    const RECT& Rect() const { return m_rect; }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HDC m_target;
    RECT m_rect;
    BOOL m_offScreen;
};
