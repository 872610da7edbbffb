#include "GdiPlusBitmap.h"

#include <cstring>

namespace {

// The bytes of PNG resource `id` of the executable; null when it is missing or empty.
const void* FindPng(UINT id, DWORD& size)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!resource)
        return nullptr;
    size = ::SizeofResource(module, resource);
    if (size == 0)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    return loaded ? ::LockResource(loaded) : nullptr;
}

}  // namespace

CGdiPlusBitmap::~CGdiPlusBitmap()
{
    delete m_pBitmap;
}

CGdiPlusBitmapResource::~CGdiPlusBitmapResource()
{
    Clear();
}

void CGdiPlusBitmapResource::Clear()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
    if (m_hBuffer) {
        ::GlobalUnlock(m_hBuffer);
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
    }
}

bool CGdiPlusBitmapResource::LoadPng(UINT id)
{
    Clear();
    DWORD size = 0;
    const void* bytes = FindPng(id, size);
    if (!bytes)
        return false;
    m_hBuffer = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hBuffer)
        return false;
    void* buffer = ::GlobalLock(m_hBuffer);
    if (!buffer) {
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    std::memcpy(buffer, bytes, size);

    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(m_hBuffer, FALSE, &stream))) {
        Clear();
        return false;
    }
    m_pBitmap = Gdiplus::Bitmap::FromStream(stream);
    stream->Release();
    if (m_pBitmap && m_pBitmap->GetLastStatus() == Gdiplus::Ok)
        return true;
    Clear();
    return false;
}

Gdiplus::Image* LoadPngImage(UINT id)
{
    DWORD size = 0;
    const void* bytes = FindPng(id, size);
    if (!bytes)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, size);
    if (!block)
        return nullptr;
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, FALSE, &stream)) || !stream) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(block, bytes, size);  // a fixed block's handle is its address
    // GDI+ objects allocate through GdipAlloc, which answers null instead of throwing.
    Gdiplus::Image* image = new Gdiplus::Image(stream);
    if (!image) {
        stream->Release();
        ::GlobalFree(block);
    }
    return image;
}
