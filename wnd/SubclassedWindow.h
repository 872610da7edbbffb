#pragma once
// A control whose messages pass through a C++ object first (comctl32's SetWindowSubclass).

#include "Window.h"

namespace wnd {

class SubclassedWindow : public Window {
public:
    ~SubclassedWindow() override;

    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, HWND parent);
    void UnsubclassWindow();

protected:
    // Called once the object has the control and before its messages come through here.
    virtual void PreSubclassWindow();

    // Every message of the control; the default passes it on to the control's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
};

}  // namespace wnd
