#include "LoginUrl.h"

#include <cstdio>

std::wstring BuildLoginUrl(const std::wstring& baseAddress, const std::wstring& hardwareAddress)
{
    const std::wstring part = L"mac/" + hardwareAddress + L"/";
    if (!baseAddress.empty() && baseAddress.back() == L'/')
        return baseAddress + part;
    const std::size_t query = baseAddress.rfind(L'?');
    if (query != std::wstring::npos)
        return baseAddress.substr(0, query) + part + baseAddress.substr(query);
    return baseAddress + L"/" + part;
}

std::wstring QuotedBrowserArgument(const std::wstring& address)
{
    std::wstring argument = L"\"";
    for (wchar_t c : address) {
        if (c == L'"')
            argument += L"%22";
        else
            argument += c;
    }
    return argument + L"\"";
}

std::string FormatHardwareAddress(const std::uint8_t (&address)[6])
{
    char text[18] = {};
    std::snprintf(text, sizeof(text), "%02X-%02X-%02X-%02X-%02X-%02X", address[0], address[1], address[2],
                  address[3], address[4], address[5]);
    return text;
}
