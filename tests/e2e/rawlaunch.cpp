// Test helper: rawlaunch.exe <program>, with the raw command line in RAWLAUNCH_LINE.
// Starts <program> with exactly that command line (no quoting added, the way the launcher starts
// itself with an application name and a line that begins with the switch), waits for it and
// answers its exit code. The line travels in the environment because Wine would re-quote it as
// an argument.
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 200;
    wchar_t commandLine[1024] = {};
    if (!::GetEnvironmentVariableW(L"RAWLAUNCH_LINE", commandLine, 1024) && ::GetLastError() != ERROR_SUCCESS)
        return 201;

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(argv[1], commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 202;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 203;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
