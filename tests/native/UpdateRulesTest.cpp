#include "update/UpdateLogLine.h"
#include "update/UpdateRules.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateLogLineTest, FieldsArePaddedWithBlanks)
{
    const struct {
        UpdateLogTime time;
        std::wstring message;
        std::wstring line;
    } cases[] = {
        {{2024, 3, 5, 9, 7, 2}, L"msg", L"2024- 3- 5  9: 7: 2 : \tUpdateModule\tmsg"},
        {{2026, 12, 31, 0, 0, 59}, L"", L"2026-12-31  0: 0:59 : \tUpdateModule\t"},
        {{2025, 10, 10, 23, 59, 0}, L"a\r\nb", L"2025-10-10 23:59: 0 : \tUpdateModule\ta\r\nb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatUpdateLogLine(c.time, c.message), c.line);
}

TEST(UpdateRulesTest, CheckAddressAppendsTheVersionUnescaped)
{
    EXPECT_EQ(BuildCheckAddress(L"http://v.example", L"getClientVersion.php?p=yarvo&g=kolv&v=", L"1.0.1.0"),
              L"http://v.example/getClientVersion.php?p=yarvo&g=kolv&v=1.0.1.0");
    EXPECT_EQ(BuildCheckAddress(L"http://h", L"s?v=", L"None VerSion Supprot"), L"http://h/s?v=None VerSion Supprot");
}

TEST(UpdateRulesTest, WhichAnswersNameADownload)
{
    const struct {
        std::wstring answer;
        bool filledBuffer;
        bool download;
    } cases[] = {
        {L"-1", false, false},
        {L"12345", false, false},       // five characters are never an address
        {L"123456", false, true},       // six are, whatever they say
        {L"  -1  ", false, false},      // a negative number behind blanks
        {L"\t-100000", false, false},
        {L"", false, false},
        {L"http://h/new.exe", false, true},
        {L"http://h/new.exe\r\n", false, true},
        {L"-http://h/new.exe", false, true},  // a sign without digits reads as 0
        {L"http://h/new.exe", true, false},   // longer than the check supports
        {L"99999999999999", false, true},     // saturates positive
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerNamesDownload(c.answer, c.filledBuffer), c.download) << c.answer.c_str();
}

TEST(UpdateRulesTest, DownloadAddressLosesSurroundingBlanksAndLineBreaks)
{
    EXPECT_EQ(DownloadAddressOf(L"http://h/new.exe"), L"http://h/new.exe");
    EXPECT_EQ(DownloadAddressOf(L" \thttp://h/a b.exe\r\n"), L"http://h/a b.exe");
    EXPECT_EQ(DownloadAddressOf(L" \r\n "), L"");
}

TEST(UpdateRulesTest, AnnouncedLengthAndCompletion)
{
    EXPECT_EQ(AnnouncedLength(L""), 0u);
    EXPECT_EQ(AnnouncedLength(L"5242880"), 5242880u);
    EXPECT_EQ(AnnouncedLength(L"12abc"), 12u);

    EXPECT_TRUE(DownloadComplete(0, 300000, 300000));
    EXPECT_FALSE(DownloadComplete(0, 299999, 300000));
    EXPECT_FALSE(DownloadComplete(0, 300001, 300000));
    EXPECT_TRUE(DownloadComplete(1000, 299000, 300000));  // a surviving partial file counts
    EXPECT_FALSE(DownloadComplete(0, 0, 1));
}

}  // namespace
