#include "Handover.h"

#include "FileMd5.h"
#include "FileVersion.h"
#include "UpdateLog.h"
#include "../wnd/Files.h"
#include "../wnd/SystemError.h"
#include "../wnd/Text.h"

#include <cstdlib>
#include <new>
#include <vector>

namespace {

constexpr DWORD kCopyRetryMilliseconds = 5000;

// Starts a program and forgets it. A command line is copied because CreateProcessW may write to it;
// without one the new process's command line is its own path.
void StartDetached(const std::wstring& program, const std::wstring* commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    SECURITY_ATTRIBUTES processAttributes = {sizeof(processAttributes), nullptr, TRUE};
    SECURITY_ATTRIBUTES threadAttributes = processAttributes;
    std::vector<wchar_t> line;
    if (commandLine)
        line.assign(commandLine->c_str(), commandLine->c_str() + commandLine->size() + 1);
    PROCESS_INFORMATION started = {};
    if (::CreateProcessW(program.c_str(), commandLine ? line.data() : nullptr, &processAttributes, &threadAttributes,
                         FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &started)) {
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
    }
}

}  // namespace

void StartHandover(const std::wstring& executable, const std::wstring& target)
{
    const std::wstring commandLine = L"-d " + target;
    StartDetached(executable, &commandLine);
    std::exit(0);
}

DWORD CopyOverTarget(const std::wstring& source, const std::wstring& target)
{
    return wnd::RetryWhileInUse(
        target, kCopyRetryMilliseconds,
        [](const std::wstring& path, void* from) {
            return ::CopyFileW(static_cast<const std::wstring*>(from)->c_str(), path.c_str(), FALSE);
        },
        const_cast<std::wstring*>(&source));
}

void CompleteHandover(const std::wstring& target)
{
    try {
        const DWORD error = CopyOverTarget(wnd::RunningExecutablePath(), target);
        if (error == ERROR_SUCCESS) {
            std::wstring md5;
            FileMd5Hex(target, md5);
            WriteUpdateLog(wnd::FormatString(L"Finish download,current file md5=%s", md5.c_str()));
            WriteUpdateLog(L"Update success.Current Version:" + GetFileVersionString(target));
            WriteUpdateLog(kUpdateLogClosingLine);
            StartDetached(target, nullptr);
            std::exit(0);
        }
        WriteUpdateLog(wnd::FormatString(L"Update failure.Error Code:%ld", static_cast<long>(error)));
        WriteUpdateLog(kUpdateLogClosingLine);
    } catch (const std::bad_alloc&) {
        // Nothing else in these steps throws; the strings are all that can fail.
        WriteUpdateLog(L"Try Commond -d Exception");
        WriteUpdateLog(wnd::SystemError(ERROR_NOT_ENOUGH_MEMORY).Message());
    }
}
