#pragma once
// File-system helpers shared by the installer, the self-update, the archive reader and their tests.

#include <windows.h>

#include <string>

namespace wnd {

// Whether a file or folder of that name exists.
bool PathExists(const std::wstring& path);

// The running executable's full path; empty when it does not fit MAX_PATH, so that a cut path is
// never copied, started or pointed at.
std::wstring RunningExecutablePath();

// The part of a path after its last backslash; the whole path when it has none.
std::wstring FileNameOf(const std::wstring& path);

// The running executable's file name without its extension ("Radure_YV").
std::wstring ExecutableBaseName();

// Runs `attempt` until it succeeds, fails for a reason other than the file being in use (sharing
// or lock violation, access denied, a mapped image) or `milliseconds` have passed; answers
// ERROR_SUCCESS or the last error. A read-only `path` is not waited for: time will not change it.
DWORD RetryWhileInUse(const std::wstring& path, DWORD milliseconds, BOOL (*attempt)(const std::wstring&, void*),
                      void* context);

// Owns a handle from CreateFileW and closes it; false when the open failed.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (*this)
            ::CloseHandle(m_handle);
    }

    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace wnd
