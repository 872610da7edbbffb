#include "QuitConfirmation.h"

#include "res/resource.h"
#include "skin/CustomMessageBox.h"
#include "wnd/Text.h"

void ConfirmQuit(HWND owner)
{
    const std::wstring title = wnd::LoadResourceString(IDS_WINDOW_TITLE);
    CCustomMessageBox box(owner);
    box.SetText(L"关闭提示", wnd::FormatString(L"是否退出%s？", title.c_str()));
    if (box.DoModal() == IDOK)
        ::ExitProcess(0);
}
