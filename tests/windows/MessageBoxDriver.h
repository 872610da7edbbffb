#pragma once
// Driving the launcher's message box from a test: the box is modal, so the test acts on it from a
// timer of its thread, which fires inside the box's own loop.

#include "res/resource.h"

#include <windows.h>

#include <functional>

// The launcher's message box that this thread shows now (known by its close button), or null.
inline HWND FindShownMessageBox()
{
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM found) -> BOOL {
        if (::IsWindowVisible(window) && ::GetDlgItem(window, IDC_MESSAGE_CLOSE)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&box));
    return box;
}

// Does `act` to the next message box this thread shows, once; answers the timer that waits for it
// (for KillTimer when no box came).
inline UINT_PTR WhenMessageBoxShows(std::function<void(HWND)> act)
{
    static std::function<void(HWND)> s_act;
    s_act = std::move(act);
    return ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        const HWND box = FindShownMessageBox();
        if (!box)
            return;
        ::KillTimer(nullptr, id);
        s_act(box);
    });
}
