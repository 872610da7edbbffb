#pragma once
// The launcher's picture button: an owner-drawn push button whose face is a PNG picture per state
// (normal, hover, pressed). The pictures have transparent parts and the button has no background
// of its own: at its first paint it copies the parent's pixels under it and composes each state
// picture over them once; every later paint is one BitBlt of a ready picture.
//
// Owners subclass a BUTTON of their template, place and size it, then call SetImages, all in
// their initialisation, before the first paint. Clicks reach the owner as BN_CLICKED.

#include "GdiPlusBitmap.h"
#include "wnd/SubclassedWindow.h"

#include <memory>
#include <string>

class CTouchButton : public wnd::SubclassedWindow {
public:
    CTouchButton() = default;
    ~CTouchButton() override;

    // Loads the three pictures (in the order hover, normal, pressed); answers whether the hover
    // picture loaded. Pictures already composed are not composed again.
    bool SetImages(UINT normalId, UINT hoverId, UINT pressedId);

    // An empty text changes nothing; otherwise the tooltip is made when missing, given the text
    // and activated or deactivated.
    void SetToolTipText(const std::wstring& text, BOOL activate);

    // A double click acts as two clicks; the tooltip sees every message.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A memory DC with a bitmap of its own, released together.
    struct Picture {
        Picture() = default;
        Picture(const Picture&) = delete;
        Picture& operator=(const Picture&) = delete;
        ~Picture();
        void Create(HDC compatibleWith, int width, int height);
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
    };

    void ComposePictures(HDC dc);
    void ComposeState(Picture& picture, HDC work, int width, int height, CGdiPlusBitmapResource* image,
                      const Gdiplus::ImageAttributes* attributes);
    void DrawItem(const DRAWITEMSTRUCT& item);

    BOOL m_picturesBuilt = FALSE;
    BOOL m_hover = FALSE;
    BOOL m_tracking = FALSE;
    std::unique_ptr<CGdiPlusBitmapResource> m_hoverImage;
    std::unique_ptr<CGdiPlusBitmapResource> m_normalImage;
    std::unique_ptr<CGdiPlusBitmapResource> m_pressedImage;
    std::wstring m_toolTipText;
    HWND m_toolTip = nullptr;
    Picture m_background;
    Picture m_normal;
    Picture m_pressed;
    Picture m_hoverPicture;
    Picture* m_current = nullptr;
};
