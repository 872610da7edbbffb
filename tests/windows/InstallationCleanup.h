#pragma once
// Tests that run the installation leave the session as the others expect it: no data folder,
// links or registry entries.

#include "TestFiles.h"
#include "app/LocalPaths.h"
#include "install/Installation.h"

#include <windows.h>

#include <string>

inline void RemoveInstallation()
{
    wchar_t desktop[MAX_PATH] = {};
    wchar_t programs[MAX_PATH] = {};
    GetDesktopFolder(desktop);
    GetProgramsFolder(programs);
    const std::wstring data = GetDataFolder();
    for (const std::wstring& tree : {data.substr(0, data.size() - 1), std::wstring(programs) + L"\\岚栖网",
                                     std::wstring(desktop) + L"\\岚栖网《澜岳》.lnk"})
        RemoveTree(tree);
    HKEY parent = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyParent, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &parent) ==
        ERROR_SUCCESS) {
        ::RegDeleteKeyExW(parent, kRegistryWord, KEY_WOW64_64KEY, 0);
        ::RegCloseKey(parent);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\岚栖网澜岳");
}
