#pragma once
// PNG pictures from the executable's resources (type "PNG") as GDI+ objects. GDI+ reads its
// stream lazily, so the bytes are copied into global memory that lives as long as the picture.

#include <windows.h>
#include <gdiplus.h>

class CGdiPlusBitmap {
public:
    CGdiPlusBitmap() = default;
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;
    virtual ~CGdiPlusBitmap();

    Gdiplus::Bitmap* m_pBitmap = nullptr;
};

// A bitmap loaded from a PNG resource; can be emptied and loaded again.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    ~CGdiPlusBitmapResource() override;

    // Empties the object, then loads PNG resource `id`; true when a usable bitmap is held.
    bool LoadPng(UINT id);

    // Deletes the bitmap and frees the memory under it.
    void Clear();

private:
    HGLOBAL m_hBuffer = nullptr;  // the PNG bytes, locked while the bitmap exists
};

// A new GDI+ image of PNG resource `id`, or null. The caller owns the image; the memory under it
// is never freed, which suits pictures that live as long as the process. Bytes that are no PNG
// give an image whose width and height read 0 and that draws nothing.
Gdiplus::Image* LoadPngImage(UINT id);
