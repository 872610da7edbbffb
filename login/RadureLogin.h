#pragma once
// The login window: a borderless window shaped by the outline of one large picture (per-pixel
// alpha), dragged by any visible point, with the login page's popup floating over its dark panel.
// Its initialisation also runs the installation. It ends only when the popup hands over a game
// address, or when the player confirms quitting, which ends the process.
//
//   CRadureLogin login;  login.DoModal();  game = login.GetGameUrl();

#include "LoginPopupDlg.h"
#include "skin/GdiPlusBitmap.h"
#include "wnd/Dialog.h"

#include <memory>
#include <string>

class CRadureLogin : public wnd::Dialog {
public:
    CRadureLogin();

    std::wstring GetGameUrl() const { return m_gameUrl; }
    void SetGameUrl(const std::wstring& address) { m_gameUrl = address; }

    CLoginPopupDlg* Popup() const { return m_popup.get(); }

    // The Alt key is never offered to the dialog manager.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    // Enter, Escape and a plain close request never end the login.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowLayeredPicture();

    std::wstring m_gameUrl;
    CGdiPlusBitmapResource m_background;
    std::unique_ptr<CLoginPopupDlg> m_popup;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
};
