#include "Text.h"

#include <cstdarg>
#include <cwchar>

namespace wnd {

std::wstring FormatString(const wchar_t* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = _vscwprintf(format, measuring);
    va_end(measuring);

    std::wstring text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        _vsnwprintf(&text[0], text.size(), format, arguments);
        text.resize(static_cast<size_t>(length));
    }
    va_end(arguments);
    return text;
}

std::wstring LoadResourceString(UINT id)
{
    // With a zero buffer size LoadStringW answers a pointer to the resource text itself, which is
    // not terminated; its answer is the length.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace wnd
