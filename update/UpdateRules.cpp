#include "UpdateRules.h"

#include "../app/CommandLine.h"

std::wstring BuildCheckAddress(const std::wstring& baseAddress, const std::wstring& scriptPath,
                               const std::wstring& version)
{
    return baseAddress + L"/" + scriptPath + version;
}

bool AnswerNamesDownload(const std::wstring& answer, bool filledBuffer)
{
    return !filledBuffer && answer.size() > 5 && ParseDecimalSaturated(answer) >= 0;
}

std::wstring DownloadAddressOf(const std::wstring& answer)
{
    const wchar_t blanks[] = L" \t\r\n";
    const size_t first = answer.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return answer.substr(first, answer.find_last_not_of(blanks) - first + 1);
}

std::uint32_t AnnouncedLength(const std::wstring& contentLengthHeader)
{
    return static_cast<std::uint32_t>(ParseDecimalSaturated(contentLengthHeader));
}

bool DownloadComplete(std::uint32_t startingSize, std::uint32_t receivedBytes, std::uint32_t announcedLength)
{
    return static_cast<std::uint32_t>(startingSize + receivedBytes) == announcedLength;
}
