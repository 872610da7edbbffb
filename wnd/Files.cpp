#include "Files.h"

#include <windows.h>

namespace wnd {

bool PathExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace wnd
