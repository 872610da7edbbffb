#include "SkinText.h"

std::unique_ptr<Gdiplus::FontFamily> FontFamilyOrSansSerif(const wchar_t* name)
{
    auto family = std::make_unique<Gdiplus::FontFamily>(name);
    if (family->IsAvailable())
        return family;
    // GDI+ answers no generic family at all when none of its sans-serif faces is installed (as
    // under Wine without Microsoft's fonts); a free CJK face then stands in, so that Chinese text
    // still draws.
    if (const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif())
        return std::unique_ptr<Gdiplus::FontFamily>(generic->Clone());
    return std::make_unique<Gdiplus::FontFamily>(L"WenQuanYi Zen Hei");
}
