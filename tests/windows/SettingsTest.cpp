// The settings file and the local places, on the system's real profile and shell functions.
#include "app/LocalPaths.h"
#include "app/Settings.h"

#include "wnd/Files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <future>
#include <iterator>
#include <vector>

namespace {

const char kDefaultSettings[] =
    "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\nautologin=0\r\n"
    "screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n[Start]\r\nfirststart=1\r\n";

std::wstring ResFolder() { return GetDataFolder() + L"res"; }
std::wstring SettingsFile() { return ResFolder() + L"\\systemset.ini"; }

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveAll(); }
    void TearDown() override { RemoveAll(); }

    static void RemoveAll()
    {
        ::DeleteFileW(SettingsFile().c_str());
        ::RemoveDirectoryW(ResFolder().c_str());
    }

    static void WriteDefaults()
    {
        ::SHCreateDirectoryExW(nullptr, ResFolder().c_str(), nullptr);
        std::ofstream file(SettingsFile().c_str(), std::ios::binary);
        file.write(kDefaultSettings, sizeof(kDefaultSettings) - 1);
    }
};

TEST_F(SettingsTest, DefaultFileIsTheShippedOne)
{
    EXPECT_EQ(sizeof(kDefaultSettings) - 1, 160u);
}

TEST_F(SettingsTest, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(ReadSetting(L"Setting", L"start", L"-1"), L"-1");
    EXPECT_EQ(ReadSetting(L"Start", L"firststart", L"0"), L"0");
}

TEST_F(SettingsTest, PresentEmptyKeyGivesEmptyNotDefault)
{
    WriteDefaults();
    EXPECT_EQ(ReadSetting(L"Info", L"code", L"whatever"), L"");
    EXPECT_EQ(ReadSetting(L"Info", L"rem", L"x"), L"1");
    EXPECT_EQ(ReadSetting(L"Info", L"nokey", L"fallback"), L"fallback");
    EXPECT_EQ(ReadSetting(L"NoSection", L"code", L"fallback"), L"fallback");
}

TEST_F(SettingsTest, NamesMatchInAnyLetterCase)
{
    WriteDefaults();
    EXPECT_EQ(ReadSetting(L"SETTING", L"FullScreen", L"0"), L"F11");
    EXPECT_EQ(ReadSetting(L"setting", L"SCREENTOGGLE", L"0"), L"F10");
}

TEST_F(SettingsTest, WriteAddsTheKeyInsideTheExistingSection)
{
    WriteDefaults();
    WriteSetting(L"Setting", L"start", L"1001");
    EXPECT_EQ(ReadSetting(L"Setting", L"start", L"-1"), L"1001");

    const std::string text = ReadBytes(SettingsFile());
    const size_t section = text.find("[Setting]");
    ASSERT_NE(section, std::string::npos);
    EXPECT_EQ(text.find("[Setting]", section + 1), std::string::npos) << text;
    const size_t start = text.find("start=1001");
    ASSERT_NE(start, std::string::npos) << text;
    EXPECT_GT(start, section);
    EXPECT_LT(start, text.find("[Start]")) << text;
    // Everything else of the file is still there.
    EXPECT_NE(text.find("screenshots=Ctrl+Shift+A"), std::string::npos);
    EXPECT_NE(text.find("firststart=1"), std::string::npos);
}

TEST_F(SettingsTest, WriteChangesAValueInPlace)
{
    WriteDefaults();
    WriteSetting(L"Start", L"firststart", L"0");
    EXPECT_EQ(ReadSetting(L"Start", L"firststart", L"1"), L"0");
    const std::string text = ReadBytes(SettingsFile());
    EXPECT_EQ(text.find("firststart=1"), std::string::npos) << text;
}

TEST_F(SettingsTest, WithoutResFolderWriteLeavesNothingBehind)
{
    ASSERT_FALSE(wnd::PathExists(ResFolder()));
    WriteSetting(L"Setting", L"start", L"1001");
    EXPECT_FALSE(wnd::PathExists(SettingsFile()));
    EXPECT_FALSE(wnd::PathExists(ResFolder()));
    EXPECT_EQ(ReadSetting(L"Setting", L"start", L"-1"), L"-1");
}

TEST_F(SettingsTest, LongValuesAreCutTo259Characters)
{
    WriteDefaults();
    std::wstring longValue;
    for (int i = 0; i < 400; ++i)
        longValue += static_cast<wchar_t>(L'a' + i % 26);
    WriteSetting(L"Setting", L"long", longValue.c_str());
    EXPECT_EQ(ReadSetting(L"Setting", L"long", L""), longValue.substr(0, 259));
}

TEST_F(SettingsTest, ValuesInTheAnsiCodePageSurvive)
{
    WriteDefaults();
    WriteSetting(L"Setting", L"name", L"澜岳");
    EXPECT_EQ(ReadSetting(L"Setting", L"name", L""), L"澜岳");
}

TEST(DataFolderTest, IsTheRoamingAppDataFolderWithTrailingBackslash)
{
    wchar_t appData[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    EXPECT_EQ(GetDataFolder(), std::wstring(appData) + L"\\yarvo\\kolv\\");
    EXPECT_EQ(GetSettingsFilePath(), GetDataFolder() + L"res//systemset.ini");
}

TEST(DataFolderTest, IsTheSameStringOnEveryCallAndThread)
{
    const std::wstring first = GetDataFolder();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), L'\\');
    std::vector<std::future<std::wstring>> others;
    for (int i = 0; i < 8; ++i)
        others.push_back(std::async(std::launch::async, [] { return GetDataFolder(); }));
    for (auto& other : others)
        EXPECT_EQ(other.get(), first);
    EXPECT_EQ(GetDataFolder(), first);
}

TEST(ShellFoldersTest, AreTheCurrentUsersDesktopAndPrograms)
{
    const struct { BOOL (*get)(wchar_t*); int user; int common; } folders[] = {
        {GetDesktopFolder, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY},
        {GetProgramsFolder, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS},
    };
    for (const auto& folder : folders) {
        wchar_t found[MAX_PATH] = {};
        wchar_t user[MAX_PATH] = {};
        wchar_t common[MAX_PATH] = {};
        ASSERT_TRUE(folder.get(found));
        ::SHGetFolderPathW(nullptr, folder.user, nullptr, SHGFP_TYPE_CURRENT, user);
        ::SHGetFolderPathW(nullptr, folder.common, nullptr, SHGFP_TYPE_CURRENT, common);
        EXPECT_STREQ(found, user);
        EXPECT_STRNE(found, common);
    }
}

}  // namespace
