#include "hotkeys/HotKeyCodec.h"

#include <gtest/gtest.h>

namespace {

struct HotKeyCase {
    std::wstring text;
    unsigned int modifiers;
    unsigned int keyCode;
};

class ParseHotKeyTest : public ::testing::TestWithParam<HotKeyCase> {};

TEST_P(ParseHotKeyTest, GivesFlagsAndKey)
{
    const CHotKeyCodec codec;
    unsigned int modifiers = 0xDEAD;
    unsigned int keyCode = 0xBEEF;
    codec.ParseHotKey(GetParam().text, modifiers, keyCode);
    EXPECT_EQ(modifiers, GetParam().modifiers) << "flags of \"" << std::string(GetParam().text.begin(), GetParam().text.end()) << '"';
    EXPECT_EQ(keyCode, GetParam().keyCode) << "key of \"" << std::string(GetParam().text.begin(), GetParam().text.end()) << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseHotKeyTest,
    ::testing::Values(
        HotKeyCase{L"Ctrl+Shift+A", 6, 0x41}, HotKeyCase{L"Shift+Ctrl+A", 6, 0x41},
        HotKeyCase{L"Alt+Ctrl+Shift+Z", 7, 0x5A}, HotKeyCase{L"F10", 0, 0x79}, HotKeyCase{L"F11", 0, 0x7A},
        HotKeyCase{L"0", 0, 0x30}, HotKeyCase{L"ctrl+a", 0, 0}, HotKeyCase{L"Ctrl+Ctrl+F1", 2, 0x70},
        HotKeyCase{L"Win+A", 0, 0x41}, HotKeyCase{L"Ctrl+", 2, 0}, HotKeyCase{L"", 0, 0},
        HotKeyCase{L"A+Ctrl", 0, 0x11}, HotKeyCase{L" F10", 0, 0}, HotKeyCase{L"F10 ", 0, 0},
        HotKeyCase{L"Ctrl++A", 2, 0x41}, HotKeyCase{L"+F2", 0, 0x71}, HotKeyCase{L"Esc", 0, 0},
        HotKeyCase{L"Alt+NumDel", 1, 0x6E}, HotKeyCase{L"Num*", 0, 0x6A},
        // Key names that contain the separator, when they end the text as its own last part.
        HotKeyCase{L"Num+", 0, 0x6B}, HotKeyCase{L"Ctrl+Num+", 2, 0x6B}, HotKeyCase{L"+", 0, 0xBB},
        HotKeyCase{L"Ctrl++", 2, 0xBB}, HotKeyCase{L"Ctrl+Alt++", 3, 0xBB}, HotKeyCase{L"Num++", 0, 0xBB},
        HotKeyCase{L"CtrlNum+", 0, 0}, HotKeyCase{L"Shift+-", 4, 0xBD}));

TEST(HotKeyTableTest, HoldsExactlyTheNamedKeys)
{
    CHotKeyCodec::KeyNameTable expected = {
        {L"Shift", 0x10}, {L"Ctrl", 0x11}, {L"Alt", 0x12}, {L"Space", 0x20}, {L"PageUp", 0x21},
        {L"PageDown", 0x22}, {L"End", 0x23}, {L"Home", 0x24}, {L"Left", 0x25}, {L"Up", 0x26},
        {L"Right", 0x27}, {L"Down", 0x28}, {L"Insert", 0x2D}, {L"Delete", 0x2E}, {L"Num*", 0x6A},
        {L"Num+", 0x6B}, {L"Num-", 0x6D}, {L"NumDel", 0x6E}, {L"Num/", 0x6F}, {L";", 0xBA},
        {L"+", 0xBB}, {L",", 0xBC}, {L"-", 0xBD}, {L".", 0xBE}, {L"/", 0xBF}, {L"`", 0xC0},
        {L"[", 0xDB}, {L"\\", 0xDC}, {L"]", 0xDD}, {L"'", 0xDE},
        {L"0", 0x30}, {L"1", 0x31}, {L"2", 0x32}, {L"3", 0x33}, {L"4", 0x34},
        {L"5", 0x35}, {L"6", 0x36}, {L"7", 0x37}, {L"8", 0x38}, {L"9", 0x39},
        {L"Num0", 0x60}, {L"Num1", 0x61}, {L"Num2", 0x62}, {L"Num3", 0x63}, {L"Num4", 0x64},
        {L"Num5", 0x65}, {L"Num6", 0x66}, {L"Num7", 0x67}, {L"Num8", 0x68}, {L"Num9", 0x69},
        {L"F1", 0x70}, {L"F2", 0x71}, {L"F3", 0x72}, {L"F4", 0x73}, {L"F5", 0x74}, {L"F6", 0x75},
        {L"F7", 0x76}, {L"F8", 0x77}, {L"F9", 0x78}, {L"F10", 0x79}, {L"F11", 0x7A}, {L"F12", 0x7B},
    };
    const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (unsigned int i = 0; i < 26; ++i)
        expected.emplace(std::wstring(1, letters[i]), 0x41 + i);

    ASSERT_EQ(expected.size(), 88u);
    EXPECT_EQ(CHotKeyCodec().KeyNames(), expected);
}

TEST(HotKeyTableTest, NamesAreCaseSensitive)
{
    const CHotKeyCodec codec;
    for (const wchar_t* name : {L"a", L"f10", L"shift", L"num1", L"SPACE"})
        EXPECT_EQ(codec.KeyNames().count(name), 0u);
}

}  // namespace
