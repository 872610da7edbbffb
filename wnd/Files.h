#pragma once
// File-system helpers shared by the installer, the archive reader and their tests.

#include <string>

namespace wnd {

// Whether a file or folder of that name exists.
bool PathExists(const std::wstring& path);

}  // namespace wnd
