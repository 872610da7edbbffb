#pragma once
// Text drawing helpers shared by the skinned windows.

#include <windows.h>
#include <gdiplus.h>

#include <memory>

// The named font family, or the generic sans-serif family when that one is not installed (GDI+
// would otherwise draw nothing with it). Never null.
std::unique_ptr<Gdiplus::FontFamily> FontFamilyOrSansSerif(const wchar_t* name);
