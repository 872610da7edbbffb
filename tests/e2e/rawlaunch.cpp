// Test helper: rawlaunch.exe "<program>" <raw command line>
// Starts <program> with exactly the raw command line given (everything after the program's quoted
// path and one blank), waits for it and answers its exit code.
#include <windows.h>

#include <cwchar>

int wmain()
{
    const wchar_t* line = ::GetCommandLineW();
    // Skip our own path, quoted or not.
    if (*line == L'"') {
        line = std::wcschr(line + 1, L'"');
        line = line ? line + 1 : L"";
    } else {
        while (*line && *line != L' ')
            ++line;
    }
    while (*line == L' ')
        ++line;
    if (*line != L'"')
        return 200;
    const wchar_t* programEnd = std::wcschr(line + 1, L'"');
    if (!programEnd)
        return 201;
    wchar_t program[MAX_PATH] = {};
    std::wcsncpy(program, line + 1, static_cast<size_t>(programEnd - line - 1));
    const wchar_t* raw = programEnd + 1;
    if (*raw == L' ')
        ++raw;

    wchar_t commandLine[1024] = {};
    std::wcsncpy(commandLine, raw, 1023);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 202;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 203;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
