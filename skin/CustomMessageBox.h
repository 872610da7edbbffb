#pragma once
// The launcher's confirmation box: a picture with a title line, a message and two picture
// buttons, OK and Cancel, plus a small close button. Only IDOK means yes.
//
//   CCustomMessageBox box;  box.SetText(title, message);  if (box.DoModal() == IDOK) ...

#include "TouchButton.h"
#include "wnd/Dialog.h"

#include <string>

class CCustomMessageBox : public wnd::Dialog {
public:
    explicit CCustomMessageBox(HWND parent = nullptr);

    void SetText(const std::wstring& title, const std::wstring& message);

    const std::wstring& Title() const { return m_title; }
    const std::wstring& Message() const { return m_message; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void DoDataExchange();
    void Paint(HDC dc);

    CTouchButton m_okButton;
    CTouchButton m_cancelButton;
    CTouchButton m_closeButton;
    Gdiplus::Image* m_background = nullptr;  // lives as long as the process
    std::wstring m_title = L"温馨提示";
    std::wstring m_message;
};
