#pragma once
// The FileVersion text of an executable's version resource.

#include <string>

// Every translation's FileVersion text, in the order the resource stores the translations;
// "None VerSion Supprot" when the file has no version resource; empty when there is no file.
std::wstring GetFileVersionString(const std::wstring& path);
