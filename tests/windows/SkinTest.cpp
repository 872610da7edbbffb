// The skin toolkit under Wine: the PNG resources through GDI+, the memory DC, the picture button
// checked by its pixels, the message box's answers and the overlay's spinner.
#include "skin/CustomMessageBox.h"
#include "skin/GdiPlusBitmap.h"
#include "skin/MenbanDlg.h"
#include "skin/MyMemDC.h"
#include "skin/SkinText.h"
#include "skin/TouchButton.h"

#include "res/resource.h"
#include "MessageBoxDriver.h"
#include "WindowTestSupport.h"
#include "test_resource.h"
#include "wnd/Dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

class SkinTest : public GdiplusTest {
protected:
    // Runs the thread's queue until it is empty, through the pre-translation chain as the
    // launcher's loops do.
    static void Pump()
    {
        MSG msg;
        for (int idle = 0; idle < 3; ++idle) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                idle = 0;
                if (!wnd::WalkPreTranslateChain(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            ::Sleep(20);
        }
    }
};

struct PictureSize {
    UINT id;
    UINT width, height;
};

std::vector<PictureSize> AllPictures()
{
    std::vector<PictureSize> pictures = {{172, 1, 30},  {203, 203, 30}, {206, 92, 30},  {275, 1, 1},
                                         {304, 258, 112}, {316, 9, 8},    {319, 970, 695}};
    for (UINT id = 276; id <= 279; ++id)
        pictures.push_back({id, 23, 23});
    for (UINT id = 311; id <= 314; ++id)
        pictures.push_back({id, 82, 34});
    for (UINT id = 320; id <= 325; ++id)
        pictures.push_back({id, 22, 22});
    // The caption buttons: (normal, hover, pressed) and the button's size.
    const struct {
        UINT ids[3];
        UINT width, height;
    } caption[] = {{{207, 208, 227}, 28, 26}, {{220, 213, 228}, 28, 26}, {{221, 217, 229}, 28, 26},
                   {{209, 210, 230}, 28, 26}, {{224, 214, 234}, 85, 24}, {{223, 215, 233}, 97, 24},
                   {{252, 253, 261}, 85, 24}, {{226, 219, 236}, 78, 24}, {{211, 212, 231}, 59, 24}};
    for (const auto& button : caption) {
        for (UINT id : button.ids)
            pictures.push_back({id, button.width, button.height});
    }
    return pictures;
}

TEST_F(SkinTest, EveryPictureLoadsAtItsSize)
{
    for (const PictureSize& picture : AllPictures()) {
        CGdiPlusBitmapResource bitmap;
        ASSERT_TRUE(bitmap.LoadPng(picture.id)) << picture.id;
        EXPECT_EQ(bitmap.m_pBitmap->GetWidth(), picture.width) << picture.id;
        EXPECT_EQ(bitmap.m_pBitmap->GetHeight(), picture.height) << picture.id;

        Gdiplus::Image* image = LoadPngImage(picture.id);
        ASSERT_NE(image, nullptr) << picture.id;
        EXPECT_EQ(image->GetWidth(), picture.width) << picture.id;
        delete image;
    }
    // The login popup's bitmap: 619 x 422, 24 bits.
    HBITMAP popup = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGIN_POPUP));
    ASSERT_NE(popup, nullptr);
    BITMAP info = {};
    ::GetObjectW(popup, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 619);
    EXPECT_EQ(info.bmHeight, 422);
    ::DeleteObject(popup);
}

TEST_F(SkinTest, MissingOrBrokenPicturesLeaveNothing)
{
    CGdiPlusBitmapResource bitmap;
    ASSERT_TRUE(bitmap.LoadPng(IDP_MESSAGE_OK));
    EXPECT_FALSE(bitmap.LoadPng(12345));  // no such resource: the earlier picture is gone too
    EXPECT_EQ(bitmap.m_pBitmap, nullptr);
    EXPECT_FALSE(bitmap.LoadPng(IDP_TEST_NOT_PNG));
    EXPECT_EQ(bitmap.m_pBitmap, nullptr);
    ASSERT_TRUE(bitmap.LoadPng(IDP_MESSAGE_OK));
    ASSERT_TRUE(bitmap.LoadPng(IDP_MESSAGE_BACKGROUND));  // the second picture replaces the first
    EXPECT_EQ(bitmap.m_pBitmap->GetWidth(), 258u);

    EXPECT_EQ(LoadPngImage(12345), nullptr);
    Gdiplus::Image* broken = LoadPngImage(IDP_TEST_NOT_PNG);
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->GetWidth(), 0u);
    EXPECT_EQ(broken->GetHeight(), 0u);
    delete broken;
}

// A 64 x 64 white bitmap in a memory DC stands for a window's DC.
struct WhiteTarget {
    WhiteTarget()
    {
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, 64, 64);
        ::ReleaseDC(nullptr, screen);
        previous = ::SelectObject(dc, bitmap);
        RECT all = {0, 0, 64, 64};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~WhiteTarget()
    {
        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

TEST_F(SkinTest, MemoryDcCopiesOnceWhenItEnds)
{
    WhiteTarget target;
    const COLORREF red = RGB(255, 0, 0);
    {
        CMyMemDC memory(target.dc, RECT{10, 10, 30, 30});
        HBRUSH brush = ::CreateSolidBrush(red);
        RECT inside = {10, 10, 30, 30};  // the target's coordinates
        ::FillRect(memory, &inside, brush);
        ::DeleteObject(brush);
        EXPECT_EQ(::GetPixel(target.dc, 15, 15), RGB(255, 255, 255));  // nothing reaches it yet
    }
    EXPECT_EQ(::GetPixel(target.dc, 10, 10), red);
    EXPECT_EQ(::GetPixel(target.dc, 29, 29), red);
    EXPECT_EQ(::GetPixel(target.dc, 30, 30), RGB(255, 255, 255));

    ::IntersectClipRect(target.dc, 5, 6, 40, 41);
    CMyMemDC clipped(target.dc, RECT{0, 0, 0, 0});
    EXPECT_EQ(clipped.Rect().left, 5);
    EXPECT_EQ(clipped.Rect().top, 6);
    EXPECT_EQ(clipped.Rect().right, 40);
    EXPECT_EQ(clipped.Rect().bottom, 41);
}

// The message box's text as it is drawn: 11 pixels, in the face "arial" stands for here.
std::vector<BYTE> MessageTextPixels(HDC dc, HBITMAP bitmap)
{
    {
        Gdiplus::Graphics graphics(dc);
        graphics.Clear(Gdiplus::Color(255, 0, 0, 0));
        const auto family = FontFamilyOrSansSerif(L"arial");
        const Gdiplus::Font font(family.get(), 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        const Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
        graphics.DrawString(L"是否退出澜岳登录器？", -1, &font, Gdiplus::PointF(2, 2), &white);
    }
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = 160;
    format.bmiHeader.biHeight = -20;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<BYTE> pixels(160 * 20 * 4);
    ::GetDIBits(dc, bitmap, 0, 20, pixels.data(), &format, DIB_RGB_COLORS);
    return pixels;
}

// Wine drew small Chinese text into bitmaps of the display's kind with rows of its glyphs
// missing; the memory DC draws it as a plain device-independent bitmap does.
TEST_F(SkinTest, MemoryDcDrawsSmallTextWhole)
{
    // The target is of the display's kind, as a window's DC is.
    const HDC screen = ::GetDC(nullptr);
    const HDC target = ::CreateCompatibleDC(screen);
    const HBITMAP targetBitmap = ::CreateCompatibleBitmap(screen, 160, 20);
    const HGDIOBJ targetPrevious = ::SelectObject(target, targetBitmap);
    std::vector<BYTE> drawn;
    {
        CMyMemDC memory(target, RECT{0, 0, 160, 20});
        drawn = MessageTextPixels(memory, static_cast<HBITMAP>(::GetCurrentObject(memory, OBJ_BITMAP)));
    }
    ::SelectObject(target, targetPrevious);
    ::DeleteObject(targetBitmap);
    ::DeleteDC(target);

    const HDC reference = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 160, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HBITMAP section = ::CreateDIBSection(reference, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(reference, section);
    const std::vector<BYTE> expected = MessageTextPixels(reference, section);
    ::SelectObject(reference, previous);
    ::DeleteObject(section);
    ::DeleteDC(reference);
    ::ReleaseDC(nullptr, screen);

    EXPECT_LT(std::count(expected.begin(), expected.end(), 0), static_cast<long>(expected.size()));  // text drawn
    EXPECT_TRUE(drawn == expected);
}

// The layer test's dialog with its push button as a picture button over a blue background.
class ButtonHost : public wnd::Dialog {
public:
    ButtonHost() : Dialog(IDD_LAYER_TEST) {}
    CTouchButton button;
    int clicks = 0;

protected:
    BOOL OnInitDialog() override
    {
        button.SubclassDlgItem(IDC_TEST_BUTTON, m_hWnd);
        ::MoveWindow(button.m_hWnd, 10, 10, 82, 34, FALSE);
        button.SetImages(IDP_MESSAGE_OK, IDP_MESSAGE_OK_HOVER, IDP_MESSAGE_OK_HOVER);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override
    {
        if (message != WM_ERASEBKGND)
            return false;
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, blue);
        ::DeleteObject(blue);
        result = TRUE;
        return true;
    }
    bool OnCommand(UINT id, UINT code, HWND) override
    {
        if (id == IDC_TEST_BUTTON && code == BN_CLICKED)
            ++clicks;
        return id == IDC_TEST_BUTTON;
    }
};

// A pixel of a picture blended over blue, optionally through the hover matrix first.
COLORREF Expected(UINT pictureId, int x, int y, bool brightened)
{
    CGdiPlusBitmapResource picture;
    picture.LoadPng(pictureId);
    Gdiplus::Color colour;
    picture.m_pBitmap->GetPixel(x, y, &colour);
    const double alpha = colour.GetA() / 255.0;
    auto channel = [&](BYTE value, BYTE background) {
        double c = value / 255.0;
        if (brightened)
            c = std::min(1.0, c * 1.05 + 0.05);
        return static_cast<int>(std::lround((c * alpha + background / 255.0 * (1 - alpha)) * 255));
    };
    return RGB(channel(colour.GetR(), 0), channel(colour.GetG(), 0), channel(colour.GetB(), 255));
}

void ExpectNear(COLORREF actual, COLORREF expected, const char* what)
{
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), 3) << what;
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), 3) << what;
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), 3) << what;
}

TEST_F(SkinTest, ButtonComposesItsStatesOverTheParentsPixels)
{
    ButtonHost host;
    ASSERT_TRUE(host.Create(nullptr));
    ::SetWindowPos(host.m_hWnd, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(host.m_hWnd);
    Pump();
    EXPECT_TRUE(::GetWindowLongW(host.button.m_hWnd, GWL_STYLE) & BS_OWNERDRAW);

    const HWND button = host.button.m_hWnd;
    auto pixel = [&](int x, int y) {
        HDC dc = ::GetDC(button);
        const COLORREF value = ::GetPixel(dc, x, y);
        ::ReleaseDC(button, dc);
        return value;
    };
    const int x = 6, y = 17;  // on the plate, clear of the word
    ExpectNear(pixel(0, 0), RGB(0, 0, 255), "a transparent corner shows the parent");
    ExpectNear(pixel(x, y), Expected(IDP_MESSAGE_OK, x, y, false), "normal");

    ::SendMessageW(button, WM_MOUSEHOVER, 0, 0);
    ::UpdateWindow(button);
    ExpectNear(pixel(x, y), Expected(IDP_MESSAGE_OK_HOVER, x, y, true), "hover, brightened");

    ::SendMessageW(button, BM_SETSTATE, TRUE, 0);
    ::UpdateWindow(button);
    ExpectNear(pixel(x, y), Expected(IDP_MESSAGE_OK_HOVER, x, y, false), "pressed");

    ::SendMessageW(button, BM_SETSTATE, FALSE, 0);
    ::SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    ::UpdateWindow(button);
    ExpectNear(pixel(x, y), Expected(IDP_MESSAGE_OK, x, y, false), "normal again after leaving");
    ::DestroyWindow(host.m_hWnd);
}

TEST_F(SkinTest, DoubleClickActsAsTwoClicks)
{
    ButtonHost host;
    ASSERT_TRUE(host.Create(nullptr));
    ::ShowWindow(host.m_hWnd, SW_SHOW);
    Pump();
    const HWND button = host.button.m_hWnd;
    const LPARAM inside = MAKELPARAM(20, 15);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::PostMessageW(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, inside);
    Pump();
    EXPECT_EQ(host.clicks, 2);
    ::DestroyWindow(host.m_hWnd);
}

// The tooltip windows of the button's window. A tooltip made with the button as its parent is a
// pop-up owned by the button's top-level window.
int ToolTipsOf(HWND button)
{
    struct Search {
        HWND owner;
        int count;
    } search = {::GetAncestor(button, GA_ROOT), 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && ::GetWindow(window, GW_OWNER) == s->owner)
            ++s->count;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

TEST_F(SkinTest, TooltipOnlyWithTextAndRebuiltPerVisit)
{
    ButtonHost host;
    ASSERT_TRUE(host.Create(nullptr));
    const HWND button = host.button.m_hWnd;
    ::SendMessageW(button, WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(ToolTipsOf(button), 0);

    host.button.SetToolTipText(L"刷新", TRUE);
    EXPECT_EQ(ToolTipsOf(button), 1);
    for (int visit = 0; visit < 2; ++visit) {
        ::SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        ::SendMessageW(button, WM_MOUSEHOVER, 0, 0);
        EXPECT_EQ(ToolTipsOf(button), 1) << visit;
    }
    ::DestroyWindow(host.m_hWnd);
}

// Runs a message box and, once it is up, does `act` to it; answers DoModal's result.
INT_PTR AnswerMessageBox(std::function<void(HWND)> act, std::function<void(HWND)> inspect = nullptr)
{
    const UINT_PTR timer = WhenMessageBoxShows([act, inspect](HWND box) {
        if (inspect)
            inspect(box);
        act(box);
    });
    CCustomMessageBox box;
    box.SetText(L"关闭提示", L"是否退出澜岳登录器？");
    const INT_PTR answer = box.DoModal();
    ::KillTimer(nullptr, timer);
    return answer;
}

void PressKey(HWND box, WPARAM key)
{
    HWND focus = ::GetFocus();
    HWND target = focus && ::IsChild(box, focus) ? focus : box;
    ::PostMessageW(target, WM_KEYDOWN, key, 0);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TEST_F(SkinTest, MessageBoxAnswersOkOnlyForOkAndEnter)
{
    const struct {
        const char* action;
        std::function<void(HWND)> act;
        INT_PTR answer;
    } cases[] = {
        {"OK button", [](HWND box) { ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND box) { PressKey(box, VK_RETURN); }, IDOK},
        {"Cancel button", [](HWND box) { ::SendMessageW(::GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL},
        {"close button",
         [](HWND box) { ::SendMessageW(::GetDlgItem(box, IDC_MESSAGE_CLOSE), BM_CLICK, 0, 0); },
         IDCANCEL},
        {"Escape", [](HWND box) { PressKey(box, VK_ESCAPE); }, IDCANCEL},
        {"system close", [](HWND box) { ::PostMessageW(box, WM_CLOSE, 0, 0); }, IDCANCEL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerMessageBox(c.act), c.answer) << c.action;
}

TEST_F(SkinTest, MessageBoxIsThePictureWithoutFrame)
{
    RECT window = {}, client = {};
    LONG style = 0;
    LRESULT hit = 0;
    COLORREF panel = 0;
    AnswerMessageBox([](HWND box) { ::PostMessageW(box, WM_CLOSE, 0, 0); },
                     [&](HWND box) {
                         ::GetWindowRect(box, &window);
                         ::GetClientRect(box, &client);
                         style = ::GetWindowLongW(box, GWL_STYLE);
                         // A point on the picture away from the buttons drags the box.
                         hit = ::SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(window.left + 20, window.top + 60));
                         ::UpdateWindow(box);
                         HDC dc = ::GetDC(box);
                         panel = ::GetPixel(dc, 20, 60);
                         ::ReleaseDC(box, dc);
                     });
    EXPECT_EQ(window.right - window.left, 258);
    EXPECT_EQ(window.bottom - window.top, 112);
    EXPECT_EQ(client.right, 258);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(hit, HTCAPTION);
    ExpectNear(panel, Expected(IDP_MESSAGE_BACKGROUND, 20, 60, false), "the background picture");

    CCustomMessageBox fresh;
    EXPECT_EQ(fresh.Title(), L"温馨提示");
    EXPECT_EQ(fresh.Message(), L"");
}

TEST_F(SkinTest, OverlaySpinnerCyclesOnItsOwnTimerOnly)
{
    CMenbanDlg overlay;
    ASSERT_TRUE(overlay.Create(nullptr));
    EXPECT_TRUE(::GetWindowLongW(overlay.m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(overlay.CurrentPictureId(), 276u);

    std::vector<UINT> shown;
    for (int tick = 0; tick < 5; ++tick) {
        ::SendMessageW(overlay.m_hWnd, WM_TIMER, CMenbanDlg::kAnimationTimer, 0);
        shown.push_back(overlay.CurrentPictureId());
    }
    EXPECT_EQ(shown, (std::vector<UINT>{276, 277, 278, 279, 276}));
    ::SendMessageW(overlay.m_hWnd, WM_TIMER, 1234, 0);
    EXPECT_EQ(overlay.CurrentPictureId(), 276u);
    EXPECT_EQ(overlay.Step(), 2);
    ::DestroyWindow(overlay.m_hWnd);
}

}  // namespace
