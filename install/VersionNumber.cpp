#include "VersionNumber.h"

#include "../app/CommandLine.h"

std::int32_t VersionNumber(const std::wstring& versionText)
{
    std::wstring digits;
    for (wchar_t c : versionText) {
        if (c != L'.')
            digits += c;
    }
    return ParseDecimalSaturated(digits);
}
