#include "install/VersionNumber.h"

#include <gtest/gtest.h>

TEST(VersionNumberTest, JoinsTheDigits)
{
    const struct { const wchar_t* text; std::int32_t number; } cases[] = {
        {L"1.0.1.0", 1010}, {L"1.0.10.0", 10100}, {L"1.1.0.0", 1100}, {L"1.0.1.1", 1011},
        {L"", 0}, {L"None VerSion Supprot", 0}, {L" 2.3", 23}, {L"1.0.1.01.0.1.0", 10101010}, {L"9.9.9.9.9.9.9.9.9.9.9", 2147483647},
        {L"1.2b3", 12}, {L"-1.0", -10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionNumber(c.text), c.number) << std::string(c.text, c.text + wcslen(c.text));
    EXPECT_GT(VersionNumber(L"1.0.10.0"), VersionNumber(L"1.1.0.0"));  // joined, not field by field
}
