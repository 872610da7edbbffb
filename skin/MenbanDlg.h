#pragma once
// The translucent waiting sheet that covers the main frame while the cache is cleaned: a dark
// backdrop at 229/255 opacity, a four-picture spinner and the waiting text (string 116). Its users
// place it, run timer 5000 on it (each tick turns the spinner by one picture) and hide it.

#include "wnd/Dialog.h"

#include <windows.h>
#include <gdiplus.h>

class CMenbanDlg : public wnd::Dialog {
public:
    static constexpr UINT_PTR kAnimationTimer = 5000;

    CMenbanDlg();

    // The spinner picture shown now, as its PNG resource id (0 before initialisation).
    UINT CurrentPictureId() const;
    int Step() const { return m_step; }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Tick();
    void Paint();
    RECT SpinnerRect(const RECT& client) const;

    Gdiplus::Image* m_images[5] = {};  // PNG 275 (backdrop tile) and 276-279 (spinner); never freed
    Gdiplus::Image* m_current = nullptr;
    int m_step = 1;
};
