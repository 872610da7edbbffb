#pragma once
// Wide-string helpers: printf-style formatting (the C runtime's wide rules: %s is a wide string)
// and strings from the module's string table.

#include <windows.h>

#include <string>

namespace wnd {

std::wstring FormatString(const wchar_t* format, ...);

// The string-table entry of this executable; empty when there is none.
std::wstring LoadResourceString(UINT id);

}  // namespace wnd
