#include "Dialog.h"

namespace wnd {

namespace {

// Messages whose dialog-procedure answer is the result itself rather than a handled flag.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

// What a dialog procedure answers for a message it handled with this result.
INT_PTR AnswerHandled(HWND dialog, UINT message, LRESULT result)
{
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

// The control that a notification to its parent is about, for the notifications reflected to it.
HWND ReflectedControl(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_CTLCOLORBTN:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

HWND Dialog::CreateFromTemplate(HWND parent)
{
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                                DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModal()
{
    m_inModalLoop = true;
    m_endModalLoop = false;
    m_modalResult = -1;
    const HWND owner = m_parent;
    if (!CreateFromTemplate(owner) || !m_hWnd) {
        m_inModalLoop = false;
        return -1;
    }
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);

    bool showWhenIdle = !(::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE);
    MSG msg;
    while (!m_endModalLoop && m_hWnd) {
        if (showWhenIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            ::UpdateWindow(m_hWnd);
            showWhenIdle = false;
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (!got) {
            // Leave the quit message for the loop that encloses this one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!WalkPreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // Re-enable the owner before the dialog goes, so that activation returns to it.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_inModalLoop = false;
    return m_modalResult;
}

BOOL Dialog::Create(HWND parent)
{
    m_parent = parent;
    m_inModalLoop = false;
    return CreateFromTemplate(parent) != nullptr;
}

void Dialog::EndDialog(INT_PTR result)
{
    if (m_inModalLoop) {
        m_modalResult = result;
        m_endModalLoop = true;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop if it is waiting
    } else if (m_hWnd) {
        ::DestroyWindow(m_hWnd);
    }
}

BOOL Dialog::PreTranslateMessage(MSG* msg)
{
    return m_hWnd && ::IsDialogMessageW(m_hWnd, msg);
}

BOOL Dialog::OnInitDialog()
{
    return TRUE;
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(UINT, UINT, HWND)
{
    return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void Dialog::PostNcDestroy() {}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->Attach(hwnd);
        RECT before = {};
        ::GetWindowRect(hwnd, &before);
        const BOOL answer = dialog->OnInitDialog();
        RECT after = {};
        if (dialog->m_inModalLoop && ::GetWindowRect(hwnd, &after) && after.left == before.left &&
            after.top == before.top)
            // A modal dialog that its initialisation did not move is centred over its owner.
            CenterWindow(hwnd, ::GetWindow(hwnd, GW_OWNER));
        return answer;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT, creation) find no object yet.
    auto* dialog = static_cast<Dialog*>(Window::FromHandle(hwnd));
    return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (const HWND control = ReflectedControl(message, lParam)) {
        Window* object = Window::FromHandle(control);
        if (object && object != this && object->OnReflectedMessage(message, wParam, lParam, result))
            return AnswerHandled(m_hWnd, message, result);
    }
    if (OnMessage(message, wParam, lParam, result))
        return AnswerHandled(m_hWnd, message, result);
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        Detach();
        PostNcDestroy();
        break;
    }
    return FALSE;
}

}  // namespace wnd
