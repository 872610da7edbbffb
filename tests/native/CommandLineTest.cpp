#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// What the dispatch makes of a whole raw line: the switch, then (when the switch lets the line go
// on) the child-window decision.
enum class Mode { Handover, UninstallConfirmation, UninstallRemoval, ChildWindow, Launcher };

struct Decision {
    Mode mode;
    std::wstring path;  // hand-over and removal
    std::int32_t frameWindow = 0;
    std::wstring gameUrl;
};

Decision Decide(const std::wstring& line)
{
    switch (ClassifyCommandLine(line)) {
    case LineSwitch::Handover:
        return {Mode::Handover, SwitchPath(line), 0, {}};
    case LineSwitch::UninstallConfirmation:
        return {Mode::UninstallConfirmation, {}, 0, {}};
    case LineSwitch::UninstallRemoval:
        return {Mode::UninstallRemoval, SwitchPath(line), 0, {}};
    case LineSwitch::None:
        break;
    }
    const ChildWindowArguments child = ParseChildWindowArguments(line);
    if (child.frameWindow != 0)
        return {Mode::ChildWindow, {}, child.frameWindow, child.gameUrl};
    return {Mode::Launcher, {}, 0, {}};
}

const std::wstring kExe = LR"("C:\Users\u\AppData\Roaming\yarvo\kolv\Radure_YV.exe")";
const std::wstring kBareExe = LR"(C:\Users\u\AppData\Roaming\yarvo\kolv\Radure_YV.exe)";

struct LineCase {
    const char* name;
    std::wstring line;
    Mode mode;
    std::wstring path;
    std::int32_t frameWindow;
    std::wstring gameUrl;
};

class DispatchTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DispatchTest, ChoosesTheModeOfTheLine)
{
    const LineCase& c = GetParam();
    const Decision d = Decide(c.line);
    EXPECT_EQ(d.mode, c.mode);
    EXPECT_EQ(d.path, c.path);
    EXPECT_EQ(d.frameWindow, c.frameWindow);
    EXPECT_EQ(d.gameUrl, c.gameUrl);
}

const std::wstring kTemp = LR"(C:\Users\u\AppData\Roaming\cache\yvtstmpu.exe)";

INSTANTIATE_TEST_SUITE_P(
    Lines, DispatchTest,
    ::testing::Values(
        LineCase{"empty", L"", Mode::Launcher, L"", 0, L""},
        LineCase{"quoted_exe_alone", kExe, Mode::Launcher, L"", 0, L""},
        LineCase{"shortcut_argument", kExe + L" 1", Mode::Launcher, L"", 0, L""},
        LineCase{"d_alone", L"-d", Mode::Launcher, L"", 0, L""},
        LineCase{"d_with_path", L"-d " + kBareExe, Mode::Handover, kBareExe, 0, L""},
        LineCase{"d_path_with_blanks", LR"(-d C:\Program Files\a b\Radure_YV.exe)", Mode::Handover,
                 LR"(C:\Program Files\a b\Radure_YV.exe)", 0, L""},
        // The third character is skipped unseen, whatever it is.
        LineCase{"d_third_character_skipped", L"-dXC:\\x.exe", Mode::Handover, L"C:\\x.exe", 0, L""},
        LineCase{"d_and_blank_only", L"-d ", Mode::Handover, L"", 0, L""},
        // "-d" at the start wins over a line that also ends with "-u".
        LineCase{"d_wins_over_trailing_u", L"-d C:\\x -u", Mode::Handover, L"C:\\x -u", 0, L""},
        LineCase{"quoted_exe_then_u", kExe + L" -u", Mode::UninstallConfirmation, L"", 0, L""},
        LineCase{"bare_exe_then_u", kBareExe + L" -u", Mode::UninstallConfirmation, L"", 0, L""},
        LineCase{"anything_ending_in_u", L"whatever-u", Mode::UninstallConfirmation, L"", 0, L""},
        LineCase{"u_alone", L"-u", Mode::UninstallConfirmation, L"", 0, L""},
        LineCase{"u_with_path", L"-u " + kTemp, Mode::UninstallRemoval, kTemp, 0, L""},
        // A line that both begins and ends with "-u" is the first stage.
        LineCase{"u_path_ending_in_u", L"-u C:\\a-u", Mode::UninstallConfirmation, L"", 0, L""},
        LineCase{"upper_case_switches", L"-D C:\\x.exe", Mode::Launcher, L"", 0, L""},
        LineCase{"upper_case_u", kExe + L" -U", Mode::Launcher, L"", 0, L""},
        LineCase{"child", kExe + L" -frameWnd=1234 -gameurl=http://g.example/play?a=1&b=2", Mode::ChildWindow,
                 L"", 1234, L"http://g.example/play?a=1&b=2"},
        LineCase{"child_url_with_blanks_and_quotes", kExe + L" -frameWnd=1234 -gameurl=http://g/a b \"c\" ",
                 Mode::ChildWindow, L"", 1234, L"http://g/a b \"c\" "},
        LineCase{"child_without_url", kExe + L" -frameWnd=77 ", Mode::ChildWindow, L"", 77, L""},
        LineCase{"child_negative_handle", L"-frameWnd=-5 -gameurl=x", Mode::ChildWindow, L"", -5, L"x"},
        LineCase{"handle_saturates_high", L"-frameWnd=99999999999 -gameurl=x", Mode::ChildWindow, L"",
                 std::numeric_limits<std::int32_t>::max(), L"x"},
        LineCase{"handle_saturates_low", L"-frameWnd=-99999999999 -gameurl=x", Mode::ChildWindow, L"",
                 std::numeric_limits<std::int32_t>::min(), L"x"},
        LineCase{"handle_with_trailing_letters", L"-frameWnd=12ab -gameurl=x", Mode::ChildWindow, L"", 12, L"x"},
        LineCase{"handle_nothing_after", kExe + L" -frameWnd=1234", Mode::Launcher, L"", 0, L""},
        LineCase{"handle_zero", kExe + L" -frameWnd=0 -gameurl=x", Mode::Launcher, L"", 0, L""},
        LineCase{"handle_letters", kExe + L" -frameWnd=abc -gameurl=x", Mode::Launcher, L"", 0, L""},
        LineCase{"blank_after_equals", kExe + L" -frameWnd= 1234 -gameurl=x", Mode::Launcher, L"", 0, L""},
        LineCase{"keyword_lower_case", kExe + L" -framewnd=1234 -gameurl=x", Mode::Launcher, L"", 0, L""},
        LineCase{"gameurl_without_frame", kExe + L" -gameurl=http://g/", Mode::Launcher, L"", 0, L""},
        // A child line is only looked at when no switch took the process.
        LineCase{"child_keywords_after_u", L"-u C:\\x -frameWnd=5 -gameurl=y", Mode::UninstallRemoval,
                 L"C:\\x -frameWnd=5 -gameurl=y", 0, L""},
        // The address starts after the first "-gameurl=" behind the handle's blank.
        LineCase{"second_gameurl_is_part_of_address", L"-frameWnd=9 -gameurl=a-gameurl=b", Mode::ChildWindow,
                 L"", 9, L"a-gameurl=b"}),
    [](const ::testing::TestParamInfo<LineCase>& param) { return std::string(param.param.name); });

TEST(DispatchTest, FailedHandoverFallsThroughToTheChildWindowTest)
{
    // After a hand-over returns, the same line goes on to the child-or-frame decision.
    const std::wstring line = L"-d C:\\x.exe -frameWnd=42 -gameurl=u";
    EXPECT_EQ(ClassifyCommandLine(line), LineSwitch::Handover);
    const ChildWindowArguments child = ParseChildWindowArguments(line);
    EXPECT_EQ(child.frameWindow, 42);
    EXPECT_EQ(child.gameUrl, L"u");
}

TEST(DispatchTest, ShortLinesCompareThemselvesAsTheirLastTwo)
{
    EXPECT_EQ(ClassifyCommandLine(L"-"), LineSwitch::None);
    EXPECT_EQ(ClassifyCommandLine(L"u"), LineSwitch::None);
    EXPECT_EQ(SwitchPath(L"-u"), L"");
}

struct NumberCase {
    std::wstring text;
    std::int32_t value;
};

class DecimalTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DecimalTest, ReadsLikeTheRuntime)
{
    EXPECT_EQ(ParseDecimalSaturated(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, DecimalTest,
    ::testing::Values(NumberCase{L"", 0}, NumberCase{L"abc", 0}, NumberCase{L"-", 0}, NumberCase{L"+7", 7},
                      NumberCase{L" \t\r\n\v\f42", 42}, NumberCase{L"- 4", 0}, NumberCase{L"007", 7},
                      NumberCase{L"2147483647", 2147483647}, NumberCase{L"2147483648", 2147483647},
                      NumberCase{L"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      NumberCase{L"-2147483649", std::numeric_limits<std::int32_t>::min()},
                      NumberCase{L"123456789012345678901234567890", 2147483647},
                      NumberCase{L"12 34", 12}));

}  // namespace
