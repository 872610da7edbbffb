#include "CommandLine.h"

#include <limits>

namespace {

const wchar_t kFrameWindowKey[] = L"-frameWnd=";
const wchar_t kGameUrlKey[] = L"-gameurl=";

std::wstring FirstTwo(const std::wstring& line) { return line.substr(0, 2); }

std::wstring LastTwo(const std::wstring& line)
{
    return line.size() < 2 ? line : line.substr(line.size() - 2);
}

bool IsWhiteSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

}  // namespace

LineSwitch ClassifyCommandLine(const std::wstring& line)
{
    const std::wstring first2 = FirstTwo(line);
    if (first2 == L"-d")
        return line.size() == 2 ? LineSwitch::None : LineSwitch::Handover;
    if (LastTwo(line) == L"-u")
        return LineSwitch::UninstallConfirmation;
    if (first2 == L"-u")
        return LineSwitch::UninstallRemoval;
    return LineSwitch::None;
}

std::wstring SwitchPath(const std::wstring& line)
{
    return line.size() > 3 ? line.substr(3) : std::wstring();
}

ChildWindowArguments ParseChildWindowArguments(const std::wstring& line)
{
    ChildWindowArguments arguments;
    std::wstring rest = line;
    const size_t key = line.find(kFrameWindowKey);
    if (key != std::wstring::npos) {
        rest = line.substr(key + (sizeof(kFrameWindowKey) / sizeof(wchar_t) - 1));
        const size_t blank = rest.find(L' ');
        if (blank != std::wstring::npos) {
            arguments.frameWindow = ParseDecimalSaturated(rest.substr(0, blank));
            rest = rest.substr(blank);
        }
    }
    const size_t url = rest.find(kGameUrlKey);
    if (url != std::wstring::npos)
        arguments.gameUrl = rest.substr(url + (sizeof(kGameUrlKey) / sizeof(wchar_t) - 1));
    return arguments;
}

std::int32_t ParseDecimalSaturated(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';

    // Accumulate the magnitude in 64 bits and stop growing it once it is past either limit.
    const std::int64_t ceiling = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (magnitude <= ceiling)
            magnitude = magnitude * 10 + (text[i] - L'0');
    }
    if (negative)
        return magnitude >= ceiling ? std::numeric_limits<std::int32_t>::min()
                                    : static_cast<std::int32_t>(-magnitude);
    return magnitude >= ceiling ? std::numeric_limits<std::int32_t>::max()
                                : static_cast<std::int32_t>(magnitude);
}
