#include "FileVersion.h"

#include "../wnd/Text.h"

#include <windows.h>

#include <vector>

std::wstring GetFileVersionString(const std::wstring& path)
{
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return std::wstring();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return L"None VerSion Supprot";  // the text other releases have always reported
    std::vector<BYTE> information(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, information.data()))
        return std::wstring();

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT bytes = 0;
    std::wstring version;
    if (!::VerQueryValueW(information.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                          &bytes) ||
        bytes < sizeof(Translation))
        return version;
    for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
        const std::wstring query = wnd::FormatString(L"\\StringFileInfo\\%04x%04x\\FileVersion",
                                                     translations[i].language, translations[i].codePage);
        wchar_t* text = nullptr;
        UINT length = 0;
        if (::VerQueryValueW(information.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) && text)
            version += text;
    }
    return version;
}
