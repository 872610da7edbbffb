// The login window and its popup under Wine, driven by messages from timers inside the login's
// own modal loop. The string table of these tests points the login page and the version server at
// a port where nothing answers (see CMakeLists.txt); navigations the test starts go to the local
// reference server.
#include "login/RadureLogin.h"

#include "res/resource.h"
#include "skin/CustomMessageBox.h"
#include "DevServer.h"
#include "InstallationCleanup.h"
#include "MessageBoxDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class LoginWindowTest : public GdiplusTest {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override
    {
        RemoveInstallation();  // the login window installs at every start
        ::CoUninitialize();
    }

    // Runs a login window; once its popup shows, `whileUp` runs from a timer inside the login's
    // modal loop. Answers DoModal's result; the login's game address is in `gameUrl`.
    static INT_PTR RunLogin(std::function<void(CRadureLogin&)> whileUp, std::wstring& gameUrl)
    {
        static std::function<void(CRadureLogin&)> s_whileUp;
        static CRadureLogin* s_login;
        CRadureLogin login;
        s_login = &login;
        s_whileUp = std::move(whileUp);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
            CLoginPopupDlg* popup = s_login->Popup();
            if (!popup || !::IsWindowVisible(popup->GetSafeHwnd()))
                return;
            ::KillTimer(nullptr, id);
            s_whileUp(*s_login);
        });
        const INT_PTR result = login.DoModal();
        ::KillTimer(nullptr, timer);
        gameUrl = login.GetGameUrl();
        return result;
    }

    // The page's navigation to the game, as the login page starts it.
    static void NavigateToGame(CRadureLogin& login, const std::wstring& address)
    {
        login.Popup()->BrowserSite()->NavigateTo(address);
    }

    static std::wstring GameAddress()
    {
        return ServerAddress() +
               L"/client/gamecode/kolv/play_gamecode.php?svname=%E4%B8%80%E5%8C%BA%20%E9%BE%99&sid=3&t=1";
    }

};

RECT WindowRect(HWND hwnd)
{
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

RECT ChildRect(HWND parent, UINT id)
{
    RECT r = WindowRect(::GetDlgItem(parent, id));
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

MSG KeyMessage(HWND target, UINT message, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = message == WM_SYSKEYDOWN ? (1 << 29) | 1 : 1;
    return msg;
}

TEST_F(LoginWindowTest, GameAddressFromThePageEndsTheLoginWithTheWholeAddress)
{
    HWND loginWindow = nullptr, popupWindow = nullptr;
    std::wstring gameUrl;
    const INT_PTR result = RunLogin([&](CRadureLogin& login) {
        loginWindow = login.GetSafeHwnd();
        popupWindow = login.Popup()->GetSafeHwnd();
        // Other navigations change nothing.
        NavigateToGame(login, ServerAddress() + L"/client/gamecode/kolv/notice.html");
        PumpFor(300);
        EXPECT_TRUE(::IsWindow(loginWindow));
        NavigateToGame(login, GameAddress());
    }, gameUrl);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gameUrl, GameAddress());
    EXPECT_EQ(g_strLastUrl, GameAddress());
    EXPECT_FALSE(::IsWindow(loginWindow));
    EXPECT_FALSE(::IsWindow(popupWindow));
    PumpFor(1000);
    EXPECT_EQ(ServerRequests().find("play_gamecode"), std::string::npos);  // stopped, never requested
}

TEST_F(LoginWindowTest, PictureShapedWindowCarriesThePopupOverItsPanel)
{
    std::wstring gameUrl;
    RunLogin([&](CRadureLogin& login) {
        const HWND window = login.GetSafeHwnd();
        const HWND popup = login.Popup()->GetSafeHwnd();
        RECT r = WindowRect(window);
        EXPECT_EQ(r.right - r.left, 970);
        EXPECT_EQ(r.bottom - r.top, 695);
        EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_TRUE(::GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX);
        wchar_t title[64] = {};
        ::GetWindowTextW(window, title, 64);
        EXPECT_STREQ(title, L"澜岳登录器");
        // Dragged by any visible point of the picture.
        EXPECT_EQ(::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + 485, r.top + 347)), HTCAPTION);

        EXPECT_EQ(::GetWindow(popup, GW_OWNER), window);
        RECT p = WindowRect(popup);
        EXPECT_EQ(p.left, r.left + 326);
        EXPECT_EQ(p.top, r.top + 168);
        EXPECT_EQ(p.right - p.left, 619);
        EXPECT_EQ(p.bottom - p.top, 422);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(popup, &key, &alpha, &flags));
        EXPECT_EQ(key, RGB(0, 255, 0));
        EXPECT_EQ(alpha, 255);
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
        const RECT minimize = ChildRect(popup, IDC_LOGIN_MINIMIZE);
        const RECT close = ChildRect(popup, IDC_LOGIN_CLOSE);
        EXPECT_EQ(minimize.left, 619 - 51);
        EXPECT_EQ(minimize.top, 10);
        EXPECT_EQ(minimize.right - minimize.left, 22);
        EXPECT_EQ(close.left, 619 - 22);
        EXPECT_EQ(close.top, 0);
        EXPECT_EQ(close.bottom - close.top, 22);

        // The popup follows the window, keeping its offset.
        ::SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        p = WindowRect(popup);
        EXPECT_EQ(p.left, 40 + 326);
        EXPECT_EQ(p.top, 30 + 168);

        // The minimise button takes the login window down with its popup; restoring brings both back.
        ::SendMessageW(::GetDlgItem(popup, IDC_LOGIN_MINIMIZE), BM_CLICK, 0, 0);
        PumpFor(300);
        EXPECT_TRUE(::IsIconic(window));
        ::ShowWindow(window, SW_RESTORE);
        PumpFor(300);
        EXPECT_FALSE(::IsIconic(window));
        EXPECT_TRUE(::IsWindowVisible(popup));
        p = WindowRect(popup);
        r = WindowRect(window);
        EXPECT_EQ(p.left, r.left + 326);
        EXPECT_EQ(p.top, r.top + 168);
        NavigateToGame(login, GameAddress());
    }, gameUrl);
}

TEST_F(LoginWindowTest, KeysNeverEndTheLogin)
{
    std::wstring gameUrl;
    RunLogin([&](CRadureLogin& login) {
        const HWND window = login.GetSafeHwnd();
        CLoginPopupDlg& popup = *login.Popup();
        const HWND popupWindow = popup.GetSafeHwnd();

        // The popup's own rules: Enter passes to the page untouched, Space and Escape go nowhere.
        MSG enter = KeyMessage(popupWindow, WM_KEYDOWN, VK_RETURN);
        EXPECT_FALSE(popup.PreTranslateMessage(&enter));
        EXPECT_FALSE(wnd::WalkPreTranslateChain(&enter));
        MSG space = KeyMessage(popupWindow, WM_KEYDOWN, VK_SPACE);
        EXPECT_TRUE(popup.PreTranslateMessage(&space));
        MSG escape = KeyMessage(popupWindow, WM_KEYDOWN, VK_ESCAPE);
        EXPECT_TRUE(popup.PreTranslateMessage(&escape));
        // Without a page document Tab is the dialog manager's: it moves between the buttons.
        ::SetFocus(::GetDlgItem(popupWindow, IDC_LOGIN_MINIMIZE));
        MSG tab = KeyMessage(::GetDlgItem(popupWindow, IDC_LOGIN_MINIMIZE), WM_KEYDOWN, VK_TAB);
        EXPECT_TRUE(wnd::WalkPreTranslateChain(&tab));
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(popupWindow, IDC_LOGIN_CLOSE));

        // The login window never offers Alt to the dialog manager.
        MSG alt = KeyMessage(window, WM_SYSKEYDOWN, VK_MENU);
        EXPECT_FALSE(login.PreTranslateMessage(&alt));
        MSG loginEscape = KeyMessage(window, WM_KEYDOWN, VK_ESCAPE);
        EXPECT_TRUE(login.PreTranslateMessage(&loginEscape));

        // Enter, Escape and plain close requests to either window end nothing and ask nothing;
        // Space never presses the focused close button.
        for (HWND target : {window, popupWindow, ::GetFocus()}) {
            for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_SPACE}) {
                ::PostMessageW(target, WM_KEYDOWN, key, 1);
                ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
            }
            ::PostMessageW(target, WM_CLOSE, 0, 0);
        }
        bool asked = false;
        const UINT_PTR timer = WhenMessageBoxShows([&](HWND box) {
            asked = true;
            ::SendMessageW(::GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
        });
        PumpFor(800);
        ::KillTimer(nullptr, timer);
        EXPECT_FALSE(asked);
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_TRUE(::IsWindowVisible(popupWindow));
        NavigateToGame(login, GameAddress());
    }, gameUrl);
    EXPECT_EQ(gameUrl, GameAddress());  // it was still there to take it
}

TEST_F(LoginWindowTest, QuitRequestsAskAndARefusalKeepsEverything)
{
    std::wstring gameUrl;
    RunLogin([&](CRadureLogin& login) {
        const HWND window = login.GetSafeHwnd();
        const HWND popup = login.Popup()->GetSafeHwnd();
        const struct {
            const char* name;
            std::function<void()> request;
        } cases[] = {
            {"Alt+F4 on the login window", [&] { ::PostMessageW(window, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1); }},
            {"system close of the login window", [&] { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
            {"system close of the popup", [&] { ::PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0); }},
            {"the popup's close button",
             [&] { ::PostMessageW(popup, WM_COMMAND, MAKEWPARAM(IDC_LOGIN_CLOSE, BN_CLICKED), 0); }},
        };
        for (const auto& c : cases) {
            std::wstring title, message;
            bool answered = false;
            const UINT_PTR timer = WhenMessageBoxShows([&](HWND box) {
                if (auto* shown = dynamic_cast<CCustomMessageBox*>(wnd::Window::FromHandle(box))) {
                    title = shown->Title();
                    message = shown->Message();
                }
                ::SendMessageW(::GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
                answered = true;
            });
            c.request();
            EXPECT_TRUE(PumpUntil([&] { return answered; }, 5000)) << c.name;
            ::KillTimer(nullptr, timer);
            PumpFor(200);
            EXPECT_EQ(title, L"关闭提示") << c.name;
            EXPECT_EQ(message, L"是否退出澜岳登录器？") << c.name;
            EXPECT_TRUE(::IsWindowVisible(window)) << c.name;
            EXPECT_TRUE(::IsWindowVisible(popup)) << c.name;
            EXPECT_TRUE(::IsWindowEnabled(window)) << c.name;
        }
        NavigateToGame(login, GameAddress());
    }, gameUrl);
    EXPECT_EQ(gameUrl, GameAddress());
}

}  // namespace
