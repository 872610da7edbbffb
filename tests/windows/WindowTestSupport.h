#pragma once
// What the tests of windows share: GDI+ for the suite, and running the thread's messages the way
// the launcher's loops do.

#include "wnd/Window.h"

#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <functional>

// A suite whose windows draw with GDI+.
class GdiplusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_gdiplusToken, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_gdiplusToken); }

private:
    static inline ULONG_PTR s_gdiplusToken = 0;
};

// Runs this thread's messages through the pre-translation chain until the condition holds or the
// time is up; answers whether it held.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!wnd::WalkPreTranslateChain(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (condition())
            return true;
        if (::GetTickCount() - start > milliseconds)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
    }
}

inline void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}
