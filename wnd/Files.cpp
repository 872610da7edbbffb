#include "Files.h"

#include <windows.h>

namespace wnd {

bool PathExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring RunningExecutablePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path, length);
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExecutableBaseName()
{
    std::wstring name = FileNameOf(RunningExecutablePath());
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

}  // namespace wnd
