#include "UpdateLogLine.h"

const wchar_t kUpdateLogTag[] = L"UpdateModule";

namespace {

// "%2d": right-aligned in at least two characters, blank-padded, with a minus sign when negative.
std::wstring PaddedNumber(int value)
{
    std::wstring digits = std::to_wstring(value);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), L' ');
    return digits;
}

}  // namespace

std::wstring FormatUpdateLogLine(const UpdateLogTime& time, const std::wstring& message)
{
    return PaddedNumber(time.year) + L"-" + PaddedNumber(time.month) + L"-" + PaddedNumber(time.day) + L" " +
           PaddedNumber(time.hour) + L":" + PaddedNumber(time.minute) + L":" + PaddedNumber(time.second) +
           L" : \t" + kUpdateLogTag + L"\t" + message;
}
