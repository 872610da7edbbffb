#pragma once
// The popup over the login window's dark panel: a colour-keyed window (pure green is see-through
// and lets the mouse through) with the publisher's login page in a browser site, a minimise and a
// close button. When the page navigates to the game address, the popup hands that address to the
// login window and ends the login.

#include "WebFormLogin.h"
#include "skin/TouchButton.h"
#include "wnd/Dialog.h"

#include <memory>

class CRadureLogin;

class CLoginPopupDlg : public wnd::Dialog {
public:
    // The login window is known when `parent` is one.
    explicit CLoginPopupDlg(wnd::Window* parent);
    ~CLoginPopupDlg() override;

    // Moves the popup over the login window's panel, (326, 168) from its top-left corner, and
    // shows it.
    void PlaceOverLoginWindow();

    // Enter goes to the page; Tab and Control with A, C, V or X go to the page's document;
    // Space and Escape go nowhere.
    BOOL PreTranslateMessage(MSG* msg) override;

    WebFormLogin* BrowserSite() const { return m_site.get(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void DoDataExchange();
    void CreateBrowserSite(int width, int height);
    void HandOverGameAddress();
    // Answers whether the page's document took the key, or -1 when there is no document to ask.
    int TranslateKeyInPage(const MSG& msg);

    CRadureLogin* m_loginWindow;
    CTouchButton m_minimizeButton;
    CTouchButton m_closeButton;
    HBRUSH m_backgroundBrush = nullptr;
    std::unique_ptr<WebFormLogin> m_site;
};
