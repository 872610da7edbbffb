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

DWORD RetryWhileInUse(const std::wstring& path, DWORD milliseconds, BOOL (*attempt)(const std::wstring&, void*),
                      void* context)
{
    constexpr DWORD kPauseMilliseconds = 100;
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (attempt(path, context))
            return ERROR_SUCCESS;
        const DWORD error = ::GetLastError();
        const bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                           error == ERROR_ACCESS_DENIED || error == ERROR_USER_MAPPED_FILE;
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        if (!inUse || readOnly || ::GetTickCount() - start >= milliseconds)
            return error;
        ::Sleep(kPauseMilliseconds);
    }
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
