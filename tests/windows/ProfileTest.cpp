// The application object's per-user profile in the registry.
#include "wnd/App.h"

#include <gtest/gtest.h>

namespace {

class ProfileApp : public wnd::App {};

TEST(ProfileTest, LivesUnderTheRegistryKeyAndTheExecutableName)
{
    ProfileApp app;
    app.InitInstance();
    app.SetRegistryKey(L"岚栖网澜岳");
    EXPECT_EQ(app.ApplicationName(), L"windows_tests");
    EXPECT_EQ(app.ProfileKeyPath(L"Section"), L"Software\\岚栖网澜岳\\windows_tests\\Section");

    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\岚栖网澜岳");
    EXPECT_EQ(app.GetProfileString(L"Section", L"Entry", L"fallback"), L"fallback");
    ASSERT_TRUE(app.WriteProfileString(L"Section", L"Entry", L"C:\\路径\\Radure_YV.exe"));
    EXPECT_EQ(app.GetProfileString(L"Section", L"Entry", L"fallback"), L"C:\\路径\\Radure_YV.exe");
    EXPECT_EQ(app.GetProfileString(L"Section", L"Other", L"fallback"), L"fallback");

    // The value really is where other programs (and the uninstaller) look for it.
    wchar_t stored[MAX_PATH] = {};
    DWORD bytes = sizeof(stored);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\岚栖网澜岳\\windows_tests\\Section", L"Entry",
                             RRF_RT_REG_SZ, nullptr, stored, &bytes),
              ERROR_SUCCESS);
    EXPECT_STREQ(stored, L"C:\\路径\\Radure_YV.exe");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\岚栖网澜岳");
}

}  // namespace
