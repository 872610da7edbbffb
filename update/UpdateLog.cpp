#include "UpdateLog.h"

#include "UpdateLogLine.h"
#include "../app/LocalPaths.h"

#include <windows.h>

namespace {

bool WriteAll(HANDLE file, const void* data, DWORD bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

HANDLE OpenForAppend(const std::wstring& path)
{
    const DWORD access = GENERIC_READ | GENERIC_WRITE;
    HANDLE file = ::CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // CREATE_NEW, not CREATE_ALWAYS: a log that exists but could not be opened keeps its lines.
        file = ::CreateFileW(path.c_str(), access, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return file;
}

}  // namespace

std::wstring UpdateLogPath(const std::wstring& folder)
{
    return folder + L"res\\update.log";
}

int AppendUpdateLogLine(const std::wstring& folder, const std::wstring& message)
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const std::wstring line =
        FormatUpdateLogLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}, message);

    HANDLE file = OpenForAppend(UpdateLogPath(folder));
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    const bool written = ::SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                         WriteAll(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t))) &&
                         WriteAll(file, L"\r\n", 2 * sizeof(wchar_t));
    ::CloseHandle(file);
    return written ? 0 : -1;
}

int WriteUpdateLog(const std::wstring& message)
{
    return AppendUpdateLogLine(GetDataFolder(), message);
}

void LimitUpdateLogSize(const std::wstring& logPath)
{
    HANDLE file = ::CreateFileW(logPath.c_str(), FILE_READ_EA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const DWORD size = ::GetFileSize(file, nullptr);
    ::CloseHandle(file);
    if (size != INVALID_FILE_SIZE && size > kUpdateLogLimitBytes)
        ::DeleteFileW(logPath.c_str());
}
