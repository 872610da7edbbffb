// The window layer: the application's life, the modal loop and its PreTranslateMessage chain,
// handlers by command id, subclassing, text helpers and threads. Dialogs are driven by posted
// messages, the way the system would deliver key presses.
#include "wnd/App.h"
#include "wnd/Dialog.h"
#include "wnd/SubclassedWindow.h"
#include "wnd/Text.h"
#include "wnd/Thread.h"
#include "test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void PostKey(HWND target, UINT key)
{
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// An edit box that records the key presses its chain link sees.
class RecordingEdit : public wnd::SubclassedWindow {
public:
    explicit RecordingEdit(std::vector<std::wstring>& log) : m_log(log) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            m_log.push_back(wnd::FormatString(L"edit:%u", static_cast<unsigned>(msg->wParam)));
        return FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            ++setTextCount;
        return Default(message, wParam, lParam);
    }

public:
    int setTextCount = 0;

private:
    std::vector<std::wstring>& m_log;
};

// A dialog whose key filter swallows Escape, as the launcher's skinned windows do, and which
// posts a script of messages once it is up.
class ScriptedDialog : public wnd::Dialog {
public:
    using Script = void (*)(ScriptedDialog&);
    ScriptedDialog(Script script, bool swallowEscape, HWND parent = nullptr)
        : wnd::Dialog(IDD_LAYER_TEST, parent), m_script(script), m_swallowEscape(swallowEscape), m_edit(log)
    {
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            log.push_back(wnd::FormatString(L"dialog:%u", static_cast<unsigned>(msg->wParam)));
            if (m_swallowEscape && msg->wParam == VK_ESCAPE)
                return TRUE;
        }
        return wnd::Dialog::PreTranslateMessage(msg);
    }

    HWND Edit() const { return ::GetDlgItem(m_hWnd, IDC_TEST_EDIT); }

    std::vector<std::wstring> log;
    std::vector<UINT> commands;  // clicks only; the edit box reports focus changes too
    bool visibleAfterInit = true;
    bool ownerEnabledDuringLoop = true;
    RecordingEdit& EditObject() { return m_edit; }

protected:
    BOOL OnInitDialog() override
    {
        m_edit.SubclassDlgItem(IDC_TEST_EDIT, m_hWnd);
        visibleAfterInit = ::IsWindowVisible(m_hWnd) != FALSE;
        if (m_parent)
            ownerEnabledDuringLoop = ::IsWindowEnabled(m_parent) != FALSE;
        m_script(*this);
        return TRUE;
    }

    bool OnCommand(UINT id, UINT notifyCode, HWND) override
    {
        if (notifyCode == BN_CLICKED)
            commands.push_back(id);
        if (id == IDC_TEST_BUTTON) {
            EndDialog(77);
            return true;
        }
        return false;
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override
    {
        if (message == WM_TIMER && wParam == 1) {
            ::KillTimer(m_hWnd, 1);
            if (m_parent)
                ownerEnabledDuringLoop = ::IsWindowEnabled(m_parent) != FALSE;
            EndDialog(::IsWindowVisible(m_hWnd) ? 1 : 0);
            return true;
        }
        return false;
    }

private:
    Script m_script;
    bool m_swallowEscape;
    RecordingEdit m_edit;
};

TEST(ModalDialogTest, ChainOffersKeysToTargetThenParentBeforeTheDialogManager)
{
    ScriptedDialog dialog(
        [](ScriptedDialog& d) {
            PostKey(d.Edit(), VK_ESCAPE);  // swallowed by the dialog's filter
            PostKey(d.Edit(), VK_RETURN);  // reaches the dialog manager: the default button
        },
        true);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const std::vector<std::wstring> expected = {L"edit:27", L"dialog:27", L"edit:13", L"dialog:13"};
    EXPECT_EQ(dialog.log, expected);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(ModalDialogTest, EscapeWithoutFilterCancels)
{
    ScriptedDialog dialog([](ScriptedDialog& d) { PostKey(d.Edit(), VK_ESCAPE); }, false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(ModalDialogTest, CloseButtonCancels)
{
    ScriptedDialog dialog([](ScriptedDialog& d) { ::PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0); }, true);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(ModalDialogTest, CommandsReachTheirHandlerById)
{
    ScriptedDialog dialog(
        [](ScriptedDialog& d) {
            ::PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDC_TEST_BUTTON)));
        },
        true);
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(dialog.commands, std::vector<UINT>{IDC_TEST_BUTTON});
}

TEST(ModalDialogTest, HiddenDialogIsShownWhenIdleAndOwnerIsDisabledMeanwhile)
{
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ScriptedDialog dialog([](ScriptedDialog& d) { ::SetTimer(d.m_hWnd, 1, 50, nullptr); }, true, owner);
    EXPECT_EQ(dialog.DoModal(), 1);  // visible by the time the timer fired
    EXPECT_FALSE(dialog.visibleAfterInit);
    EXPECT_FALSE(dialog.ownerEnabledDuringLoop);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST(ModalDialogTest, QuitMessageEndsTheLoopAndStaysForTheOuterLoop)
{
    ScriptedDialog dialog([](ScriptedDialog&) { ::PostQuitMessage(3); }, true);
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(ModalDialogTest, MissingTemplateAnswersMinusOne)
{
    class Missing : public wnd::Dialog {
    public:
        Missing() : wnd::Dialog(12345) {}
    } dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(ModelessDialogTest, CreateAndEndDialogDestroysTheWindow)
{
    ScriptedDialog dialog([](ScriptedDialog&) {}, true);
    ASSERT_TRUE(dialog.Create(nullptr));
    const HWND hwnd = dialog.m_hWnd;
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(wnd::Window::FromHandle(hwnd), &dialog);
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd::Window::FromHandle(hwnd), nullptr);
}

TEST(SubclassTest, SeesTheControlsMessagesAndLetsGoWhenItIsDestroyed)
{
    ScriptedDialog dialog([](ScriptedDialog&) {}, true);
    ASSERT_TRUE(dialog.Create(nullptr));
    RecordingEdit& edit = dialog.EditObject();
    ASSERT_EQ(edit.GetSafeHwnd(), dialog.Edit());
    ::SetWindowTextW(dialog.Edit(), L"澜岳");
    EXPECT_EQ(edit.setTextCount, 1);
    wchar_t text[16] = {};
    ::GetWindowTextW(dialog.Edit(), text, 16);
    EXPECT_STREQ(text, L"澜岳");  // the control's own procedure still did its work
    dialog.EndDialog(IDOK);
    EXPECT_EQ(edit.GetSafeHwnd(), nullptr);
}

class CountingApp : public wnd::App {
public:
    explicit CountingApp(BOOL initResult) : m_initResult(initResult) {}
    BOOL InitInstance() override
    {
        wnd::App::InitInstance();
        ::PostQuitMessage(5);
        return m_initResult;
    }
    int ExitInstance() override
    {
        exited = true;
        return wnd::App::ExitInstance();
    }
    bool exited = false;

private:
    BOOL m_initResult;
};

TEST(AppTest, LoopRunsOnlyWhenInitInstanceAnswersTrue)
{
    {
        CountingApp app(TRUE);
        EXPECT_EQ(wnd::App::Current(), &app);
        EXPECT_EQ(app.Start(), 5);  // the loop ran and took the quit code
        EXPECT_TRUE(app.exited);
    }
    {
        CountingApp app(FALSE);
        EXPECT_EQ(app.Start(), 0);
        EXPECT_TRUE(app.exited);
        MSG msg;  // no loop ran: the quit message is still waiting
        EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    EXPECT_EQ(wnd::App::Current(), nullptr);
}

TEST(TextTest, FormatsWideStrings)
{
    EXPECT_EQ(wnd::FormatString(L"\"%s\" -frameWnd=%ld -gameurl=%s", L"C:\\a b\\x.exe", 1234L, L"http://g/?s=澜"),
              L"\"C:\\a b\\x.exe\" -frameWnd=1234 -gameurl=http://g/?s=澜");
    EXPECT_EQ(wnd::FormatString(L"%ld", -5L), L"-5");
    EXPECT_EQ(wnd::FormatString(L""), L"");
    const std::wstring longText(5000, L'x');
    EXPECT_EQ(wnd::FormatString(L"[%s]", longText.c_str()), L"[" + longText + L"]");
}

TEST(TextTest, LoadsStringsOfTheStringTable)
{
    EXPECT_EQ(wnd::LoadResourceString(102), L"澜岳");
    EXPECT_EQ(wnd::LoadResourceString(116), L"缓存清理中，请稍后……");
    EXPECT_EQ(wnd::LoadResourceString(120), L"\\cache\\yvtstmpu.exe");
    EXPECT_EQ(wnd::LoadResourceString(197), L"res//systemset.ini");
    EXPECT_EQ(wnd::LoadResourceString(4321), L"");
}

TEST(ThreadTest, RunsTheBodyOnAnotherThread)
{
    const HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD bodyThread = 0;
    ASSERT_TRUE(wnd::StartThread([&] {
        bodyThread = ::GetCurrentThreadId();
        ::SetEvent(done);
    }));
    ASSERT_EQ(::WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    EXPECT_NE(bodyThread, ::GetCurrentThreadId());
    ::CloseHandle(done);
}

}  // namespace
