#include "login/LoginUrl.h"

#include <gtest/gtest.h>

namespace {

TEST(LoginUrlTest, HardwarePartGoesWhereTheBaseAddressAllows)
{
    const struct {
        std::wstring base;
        std::wstring mac;
        std::wstring address;
    } cases[] = {
        {L"http://h/client/gamecode/kolv/", L"00-1A-2B-3C-4D-5E",
         L"http://h/client/gamecode/kolv/mac/00-1A-2B-3C-4D-5E/"},
        // No adapter address: the page gets an empty hardware part.
        {L"http://h/client/gamecode/kolv/", L"", L"http://h/client/gamecode/kolv/mac//"},
        // A query: inserted before its last "?", the rest kept as it was.
        {L"http://h/login.php?a=1", L"AA", L"http://h/login.phpmac/AA/?a=1"},
        {L"http://h/x?a=1?b=2", L"AA", L"http://h/x?a=1mac/AA/?b=2"},
        {L"http://h/x/?", L"AA", L"http://h/x/mac/AA/?"},
        // Neither: a slash of its own.
        {L"http://h/client", L"AA", L"http://h/client/mac/AA/"},
        {L"", L"AA", L"/mac/AA/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildLoginUrl(c.base, c.mac), c.address);
}

TEST(LoginUrlTest, BrowserArgumentIsOneQuotedAddress)
{
    EXPECT_EQ(QuotedBrowserArgument(L"http://h/a b?x=1&y=2"), L"\"http://h/a b?x=1&y=2\"");
    // A quote would end the argument and let the rest of the address become switches.
    EXPECT_EQ(QuotedBrowserArgument(L"http://h/\" -nohome \"x"), L"\"http://h/%22 -nohome %22x\"");
    EXPECT_EQ(QuotedBrowserArgument(L""), L"\"\"");
}

TEST(LoginUrlTest, HardwareAddressIsSixUpperCasePairs)
{
    EXPECT_EQ(FormatHardwareAddress({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(FormatHardwareAddress({0xFF, 0xab, 0x01, 0x00, 0x0f, 0xf0}), "FF-AB-01-00-0F-F0");
}

}  // namespace
