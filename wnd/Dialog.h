#pragma once
// Dialogs from dialog templates, modal or modeless.
//
// A modal dialog runs a message loop of its own rather than the system's DialogBox loop, so that
// each message first goes through WalkPreTranslateChain: the target window, then its parents.
// The default PreTranslateMessage of a dialog is the dialog manager (IsDialogMessage), so a
// derived dialog filters keys by overriding it and calling the base for everything it lets pass.

#include "Window.h"

namespace wnd {

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr);

    // Creates the dialog, disables the parent, runs the loop until EndDialog, destroys the
    // window. A dialog left hidden by OnInitDialog is shown when the queue first runs empty.
    // Answers the value given to EndDialog, or -1 when the dialog could not be created.
    INT_PTR DoModal();

    // Modeless creation; the caller's loop (App::Run or an enclosing modal loop) drives it.
    BOOL Create(HWND parent);

    // Modal: ends the loop with this result. Modeless: destroys the window.
    void EndDialog(INT_PTR result);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Handlers told by command id; answer true when the command was handled.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);

    // Handlers told by message, before the defaults; answer true and set result to handle it.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called after the window is gone (WM_NCDESTROY), when the object no longer has a window.
    virtual void PostNcDestroy();

    UINT m_templateId;
    HWND m_parent;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND parent);

    bool m_inModalLoop = false;
    bool m_endModalLoop = false;
    INT_PTR m_modalResult = -1;
};

}  // namespace wnd
