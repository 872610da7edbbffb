#include "Radure_YVApp.h"

#include "CommandLine.h"
#include "../install/Uninstall.h"
#include "../login/RadureLogin.h"
#include "../update/Handover.h"
#include "../wnd/Text.h"

#include <commctrl.h>
#include <gdiplus.h>

namespace {

// One line per start on the debugger output, so that a trace viewer shows which mode a process
// took. Modes that this build does not provide yet end here, after their line.
void TraceMode(const std::wstring& text)
{
    ::OutputDebugStringW((L"Radure_YV: " + text + L"\n").c_str());
}

}  // namespace

CRadure_YVApp theApp;

BOOL CRadure_YVApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    wnd::App::InitInstance();

    // ActiveX hosting needs no container set-up here: the browser sites initialise OLE themselves.

    SetRegistryKey(L"岚栖网澜岳");

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    const std::wstring line = ::GetCommandLineW();
    switch (ClassifyCommandLine(line)) {
    case LineSwitch::Handover:
        // A hand-over that returns has failed; the line then goes on to the child-or-frame test.
        CompleteHandover(SwitchPath(line));
        break;
    case LineSwitch::UninstallConfirmation:
        RunUninstallConfirmation();
        return FALSE;
    case LineSwitch::UninstallRemoval:
        RunUninstallRemoval(SwitchPath(line));
        return FALSE;
    case LineSwitch::None:
        break;
    }

    const ChildWindowArguments child = ParseChildWindowArguments(line);
    if (child.frameWindow != 0) {
        TraceMode(wnd::FormatString(L"game window in frame %ld for %s (not in this build)",
                                    static_cast<long>(child.frameWindow), child.gameUrl.c_str()));
        return FALSE;
    }

    // The login runs on its own until the main frame takes it over; its game address ends here.
    TraceMode(L"launcher");
    CRadureLogin login;
    login.DoModal();
    TraceMode(L"game address " + login.GetGameUrl() + L" (main frame not in this build)");
    return FALSE;
}

int CRadure_YVApp::ExitInstance()
{
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    return wnd::App::ExitInstance();
}
