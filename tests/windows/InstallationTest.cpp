// The installation step on the session's real folders, registry and shell links. The running
// executable is this test program (file version "2.0.0.1" and "2.0.0.2" in two translations).
#include "install/Installation.h"

#include "app/LocalPaths.h"
#include "app/Settings.h"
#include "update/FileVersion.h"
#include "wnd/App.h"
#include "InstallationCleanup.h"
#include "TestFiles.h"

#include "wnd/Files.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>

namespace {

struct Link {
    std::wstring target, arguments, icon;
    int iconIndex = -1;
};

Link ReadLink(const std::wstring& path)
{
    Link link;
    IShellLinkW* shellLink = nullptr;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                       reinterpret_cast<void**>(&shellLink));
    IPersistFile* file = nullptr;
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH] = {};
        shellLink->GetPath(text, MAX_PATH, nullptr, 0);
        link.target = text;
        shellLink->GetArguments(text, MAX_PATH);
        link.arguments = text;
        text[0] = 0;
        shellLink->GetIconLocation(text, MAX_PATH, &link.iconIndex);
        link.icon = text;
    }
    file->Release();
    shellLink->Release();
    return link;
}

std::wstring RegistryValue(HKEY root, const std::wstring& key, const wchar_t* name, REGSAM view)
{
    wchar_t value[MAX_PATH] = {};
    DWORD bytes = sizeof(value);
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
        return L"<no key>";
    const LONG status = ::RegQueryValueExW(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes);
    ::RegCloseKey(opened);
    return status == ERROR_SUCCESS ? value : L"<no value>";
}

class InstallApp : public wnd::App {};

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        app.InitInstance();
        app.SetRegistryKey(kRegistryWord);
        RemoveInstallation();
    }
    void TearDown() override
    {
        RemoveInstallation();
        ::CoUninitialize();
    }

    InstallApp app;
};

TEST(FileVersionTest, JoinsEveryTranslationInStoredOrder)
{
    EXPECT_EQ(GetFileVersionString(wnd::RunningExecutablePath()), L"2.0.0.12.0.0.2");
    EXPECT_EQ(GetFileVersionString(L"C:\\no\\such\\file.exe"), L"");
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    // A file that exists but has no version resource.
    const std::wstring plain = std::wstring(system) + L"\\..\\win.ini";
    ASSERT_TRUE(wnd::PathExists(plain));
    EXPECT_EQ(GetFileVersionString(plain), L"None VerSion Supprot");
}

TEST_F(InstallationTest, FirstAndSecondStart)
{
    const std::wstring data = GetDataFolder();
    const std::wstring installed = data + L"windows_tests.exe";
    wchar_t desktop[MAX_PATH] = {};
    wchar_t programs[MAX_PATH] = {};
    ASSERT_TRUE(GetDesktopFolder(desktop));
    ASSERT_TRUE(GetProgramsFolder(programs));
    const std::wstring desktopLink = std::wstring(desktop) + L"\\岚栖网《澜岳》.lnk";
    const std::wstring menu = std::wstring(programs) + L"\\岚栖网\\澜岳";
    const std::wstring uninstallKey = std::wstring(kUninstallKeyParent) + L"\\" + kRegistryWord;

    SetUpInstallation();

    // Folders, settings with the marker and the first-start step done, the icon, the copy.
    EXPECT_EQ(ReadSetting(L"Setting", L"start", L"-1"), L"1001");
    EXPECT_EQ(ReadSetting(L"Start", L"firststart", L"x"), L"0");
    EXPECT_EQ(ReadSetting(L"Setting", L"fullscreen", L"x"), L"F11");
    EXPECT_TRUE(wnd::PathExists(data + L"res\\uninstall.ico"));
    EXPECT_EQ(GetFileVersionString(installed), L"2.0.0.12.0.0.2");

    const Link onDesktop = ReadLink(desktopLink);
    EXPECT_EQ(onDesktop.target, installed);
    EXPECT_EQ(onDesktop.arguments, L"1");
    const Link game = ReadLink(menu + L"\\澜岳.lnk");
    EXPECT_EQ(game.target, installed);
    EXPECT_EQ(game.arguments, L"1");
    const Link uninstall = ReadLink(menu + L"\\卸载-澜岳.lnk");
    EXPECT_EQ(uninstall.target, installed);
    EXPECT_EQ(uninstall.arguments, L"-u");
    EXPECT_EQ(uninstall.icon, data + L"res\\uninstall.ico");
    EXPECT_EQ(uninstall.iconIndex, 0);

    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, L"Path", KEY_WOW64_64KEY), installed);
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, L"DisplayName", KEY_WOW64_64KEY), L"澜岳");
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, L"Publisher", KEY_WOW64_64KEY), L"岚栖网");
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, L"UninstallString", KEY_WOW64_64KEY),
              installed + L" -u");
    EXPECT_EQ(app.GetProfileString(kRegistryWord, L"Path", L""), installed);
    EXPECT_EQ(app.GetProfileString(kRegistryWord, L"UninstallString", L""), installed + L" -u");

    // Second start: nothing unpacked again, the desktop link and the Uninstall key untouched.
    WriteSetting(L"Start", L"firststart", L"1");
    std::ofstream((data + L"res\\uninstall.ico").c_str(), std::ios::trunc) << "user's";
    std::ofstream((data + L"res\\data.zip").c_str()) << "stale";
    ::DeleteFileW((menu + L"\\澜岳.lnk").c_str());
    HKEY key = nullptr;
    ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, uninstallKey.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key);
    ::RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"old"), 8);
    ::RegCloseKey(key);

    SetUpInstallation();
    EXPECT_EQ(ReadSetting(L"Start", L"firststart", L"x"), L"1");  // versions equal: no copy, no step
    EXPECT_TRUE(wnd::PathExists(data + L"res\\data.zip"));                   // only removed when unpacking
    EXPECT_TRUE(wnd::PathExists(menu + L"\\澜岳.lnk"));                      // Start-menu links rewritten
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, L"Path", KEY_WOW64_64KEY), L"old");

    // Deleted settings: both members unpacked again, data.zip removed, firststart as unpacked.
    ::DeleteFileW((data + L"res\\systemset.ini").c_str());
    SetUpInstallation();
    EXPECT_EQ(ReadSetting(L"Setting", L"start", L"-1"), L"1001");
    EXPECT_EQ(ReadSetting(L"Start", L"firststart", L"x"), L"1");
    EXPECT_FALSE(wnd::PathExists(data + L"res\\data.zip"));
    WIN32_FILE_ATTRIBUTE_DATA icon = {};
    ASSERT_TRUE(::GetFileAttributesExW((data + L"res\\uninstall.ico").c_str(), GetFileExInfoStandard, &icon));
    EXPECT_EQ(icon.nFileSizeLow, 1150u);

    // A deleted desktop link comes back.
    ::DeleteFileW(desktopLink.c_str());
    SetUpInstallation();
    EXPECT_TRUE(wnd::PathExists(desktopLink));
}

TEST_F(InstallationTest, ShortcutNeedsAFolder)
{
    EXPECT_FALSE(CreateShortcut(L"C:\\x.exe", L"1", L"", L"x.lnk", FALSE));
    EXPECT_FALSE(CreateShortcut(L"C:\\x.exe", L"1", nullptr, L"x.lnk", FALSE));
}

}  // namespace
