#include "SystemError.h"

#include "Text.h"

#include <wininet.h>

namespace wnd {

std::wstring SystemError::Message() const
{
    constexpr DWORD kMaxCharacters = 254;
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    HMODULE source = nullptr;
    if (m_code >= INTERNET_ERROR_BASE && m_code <= INTERNET_ERROR_LAST) {
        source = ::GetModuleHandleW(L"wininet.dll");
        if (source)
            flags |= FORMAT_MESSAGE_FROM_HMODULE;
    }
    wchar_t text[kMaxCharacters + 1] = {};
    const DWORD length = ::FormatMessageW(flags, source, m_code, 0, text, kMaxCharacters + 1, nullptr);
    if (length == 0) {
        // A message longer than the buffer fails as a whole; take it allocated and cut it.
        wchar_t* whole = nullptr;
        if (::FormatMessageW(flags | FORMAT_MESSAGE_ALLOCATE_BUFFER, source, m_code, 0,
                             reinterpret_cast<wchar_t*>(&whole), 0, nullptr) &&
            whole) {
            std::wstring message(whole);
            ::LocalFree(whole);
            return message.substr(0, kMaxCharacters);
        }
        return FormatString(L"System error %lu.", m_code);
    }
    return std::wstring(text, length);
}

void ThrowLastError()
{
    throw SystemError(::GetLastError());
}

}  // namespace wnd
