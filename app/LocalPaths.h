#pragma once
// The launcher's places on the user's machine. The data folder is
// <roaming application data>\yarvo\kolv\ and holds the installed copy and its res folder.

#include <windows.h>

#include <string>

// The user's roaming application-data folder, without a trailing backslash; empty when the shell
// cannot name it.
std::wstring GetAppDataFolder();

// The data folder, ending in a backslash. Built once per process; it does not create the folder.
std::wstring GetDataFolder();

// The current user's desktop and Start-menu Programs folders, written into a buffer of MAX_PATH
// characters. FALSE (and the buffer untouched) when the shell cannot name the folder.
BOOL GetDesktopFolder(wchar_t* buffer);
BOOL GetProgramsFolder(wchar_t* buffer);
