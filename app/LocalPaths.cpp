#include "LocalPaths.h"

#include "../res/resource.h"
#include "../wnd/Text.h"

#include <shlobj.h>

namespace {

std::wstring BuildDataFolder()
{
    // If the shell cannot name the folder the path is relative; nothing here checks for it.
    return GetAppDataFolder() + L"\\" + wnd::LoadResourceString(IDS_PUBLISHER_CODE) + L"\\" +
           wnd::LoadResourceString(IDS_GAME_CODE) + L"\\";
}

BOOL GetSpecialFolder(int csidl, wchar_t* buffer)
{
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items)))
        return FALSE;
    const BOOL found = ::SHGetPathFromIDListW(items, buffer);
    ::CoTaskMemFree(items);
    return found;
}

}  // namespace

std::wstring GetAppDataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return appData;
}

std::wstring GetDataFolder()
{
    // A function-local static is built exactly once even when threads race for it.
    static const std::wstring folder = BuildDataFolder();
    return folder;
}

BOOL GetDesktopFolder(wchar_t* buffer)
{
    return GetSpecialFolder(CSIDL_DESKTOP, buffer);
}

BOOL GetProgramsFolder(wchar_t* buffer)
{
    return GetSpecialFolder(CSIDL_PROGRAMS, buffer);
}
