#include "Window.h"

#include <unordered_map>

namespace wnd {

namespace {

// Windows are created and destroyed on the thread that owns them; each process keeps its
// user-interface windows on one thread, so the map needs no lock.
std::unordered_map<HWND, Window*>& WindowMap()
{
    static std::unordered_map<HWND, Window*> map;
    return map;
}

}  // namespace

Window::~Window()
{
    Detach();
}

bool Window::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

BOOL Window::PreTranslateMessage(MSG*)
{
    return FALSE;
}

Window* Window::FromHandle(HWND hwnd)
{
    const auto found = WindowMap().find(hwnd);
    return found == WindowMap().end() ? nullptr : found->second;
}

void Window::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    WindowMap()[hwnd] = this;
}

void Window::Detach()
{
    if (m_hWnd)
        WindowMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL WalkPreTranslateChain(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (Window* window = Window::FromHandle(hwnd)) {
            if (window->PreTranslateMessage(msg))
                return TRUE;
        }
    }
    return FALSE;
}

LRESULT CaptionHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    const LRESULT hit = ::DefWindowProcW(hwnd, WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CenterWindow(HWND hwnd, HWND reference)
{
    RECT window = {};
    ::GetWindowRect(hwnd, &window);
    RECT area = {};
    if (reference && ::IsWindowVisible(reference) && !::IsIconic(reference)) {
        ::GetWindowRect(reference, &area);
    } else {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace wnd
