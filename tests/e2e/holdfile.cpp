// Test helper: holdfile.exe <path> <milliseconds>. Opens the file without sharing, says so on
// standard output and keeps it open for that long, as a launcher still running would.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 200;
    HANDLE file = ::CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 201;
    std::printf("held\n");
    std::fflush(stdout);
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    ::CloseHandle(file);
    return 0;
}
