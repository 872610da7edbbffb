#include "SubclassedWindow.h"

#include <commctrl.h>

namespace wnd {

namespace {
const UINT_PTR kSubclassId = 1;
}

SubclassedWindow::~SubclassedWindow()
{
    UnsubclassWindow();
}

BOOL SubclassedWindow::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return FALSE;
    Attach(hwnd);
    PreSubclassWindow();
    if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

void SubclassedWindow::PreSubclassWindow() {}

BOOL SubclassedWindow::SubclassDlgItem(UINT id, HWND parent)
{
    return SubclassWindow(::GetDlgItem(parent, static_cast<int>(id)));
}

void SubclassedWindow::UnsubclassWindow()
{
    if (!m_hWnd)
        return;
    ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    Detach();
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<SubclassedWindow*>(refData);
    if (message == WM_NCDESTROY) {
        // The control goes: stop dispatching to the object, unhook, let the control finish.
        self->UnsubclassWindow();
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace wnd
