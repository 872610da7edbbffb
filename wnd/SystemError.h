#pragma once
// A failed call of the platform, carried as an exception: the system's error code and its text.
// The self-update catches these at the edge of each operation and logs the text.

#include <windows.h>

#include <string>

namespace wnd {

class SystemError {
public:
    explicit SystemError(DWORD code) : m_code(code) {}

    DWORD Code() const { return m_code; }

    // The system's message for the code (WinINet's own messages for its codes), at most 254
    // characters, as the system words it (normally ending in a line break).
    std::wstring Message() const;

private:
    DWORD m_code;
};

// Throws a SystemError with GetLastError's code.
[[noreturn]] void ThrowLastError();

}  // namespace wnd
