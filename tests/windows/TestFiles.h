#pragma once
// Clean-up for tests that leave files in the session's folders.

#include <windows.h>
#include <shellapi.h>

#include <string>

// Deletes a file or a whole folder tree, without asking and without the recycle bin.
inline void RemoveTree(const std::wstring& path)
{
    const std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&operation);
}
