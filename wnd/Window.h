#pragma once
// The small window layer that stands where a class library would: a C++ object per window, found
// from its HWND, and the PreTranslateMessage chain that every message loop here runs first.

#include <windows.h>

namespace wnd {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Offered every message of a loop before it is translated and dispatched; TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Notifications that a control sends its parent (WM_DRAWITEM, WM_CTLCOLORBTN), offered back to
    // the control's own object first; true with `result` set takes them.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The object of a window of this process, or null (windows of other processes never have one).
    static Window* FromHandle(HWND hwnd);

    HWND m_hWnd = nullptr;

protected:
    void Attach(HWND hwnd);
    void Detach();
};

// Offers the message to the target window's object and then to those of its parents and owners,
// nearest first, until one of them takes it.
BOOL WalkPreTranslateChain(MSG* msg);

// The default hit test with the client area answered as the caption, so that a window without a
// system caption is dragged by any point that is not a control.
LRESULT CaptionHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Centres the window over the reference window when that is visible and not minimised, otherwise
// on the work area of the window's monitor.
void CenterWindow(HWND hwnd, HWND reference);

}  // namespace wnd
