#include "App.h"

#include "Files.h"
#include "Window.h"

namespace wnd {

namespace {

App* g_application = nullptr;

}  // namespace

App::App()
{
    g_application = this;
}

App::~App()
{
    if (g_application == this)
        g_application = nullptr;
}

App* App::Current()
{
    return g_application;
}

BOOL App::InitInstance()
{
    m_applicationName = ExecutableBaseName();
    return TRUE;
}

int App::ExitInstance()
{
    return m_quitCode;
}

void App::Run()
{
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        if (!WalkPreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (!got)
        m_quitCode = static_cast<int>(msg.wParam);
}

int App::Start()
{
    if (InitInstance())
        Run();
    return ExitInstance();
}

void App::SetRegistryKey(const wchar_t* key)
{
    m_registryKey = key;
}

std::wstring App::ProfileKeyPath(const wchar_t* section) const
{
    return L"Software\\" + m_registryKey + L"\\" + m_applicationName + L"\\" + section;
}

std::wstring App::GetProfileString(const wchar_t* section, const wchar_t* entry,
                                   const wchar_t* defaultValue) const
{
    std::wstring value = defaultValue ? defaultValue : L"";
    HKEY key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKeyPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return value;
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, entry, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::wstring stored(bytes / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&stored[0]), &bytes) ==
            ERROR_SUCCESS) {
            stored.resize(wcsnlen(stored.c_str(), stored.size()));
            value = stored;
        }
    }
    ::RegCloseKey(key);
    return value;
}

BOOL App::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value)
{
    HKEY key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, ProfileKeyPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    const LONG status = ::RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace wnd
