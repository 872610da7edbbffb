#include "Settings.h"

#include "LocalPaths.h"
#include "../res/resource.h"
#include "../wnd/Text.h"

#include <windows.h>

std::wstring GetSettingsFilePath()
{
    return GetDataFolder() + wnd::LoadResourceString(IDS_SETTINGS_FILE);
}

std::wstring ReadSetting(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    wchar_t value[MAX_PATH] = {};
    ::GetPrivateProfileStringW(section, key, defaultValue, value, MAX_PATH, GetSettingsFilePath().c_str());
    return value;
}

void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    ::WritePrivateProfileStringW(section, key, value, GetSettingsFilePath().c_str());
}
