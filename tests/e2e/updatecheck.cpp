// Test helper: the old launcher of an update. Installed as the data folder's Radure_YV.exe, it runs
// the version check as the login page will, against the version server named on its command line
// (updatecheck.exe <base address>), and ends when the check returns. When the server offers an
// update the check hands over and the process ends inside it.
#include "res/resource.h"
#include "update/UpdateCheck.h"
#include "wnd/App.h"
#include "wnd/Text.h"

#include <shellapi.h>

class CUpdateCheckApp : public wnd::App {
public:
    BOOL InitInstance() override
    {
        wnd::App::InitInstance();
        int count = 0;
        wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
        if (arguments && count == 2)
            RunUpdateCheck(arguments[1], wnd::LoadResourceString(IDS_VERSION_SCRIPT));
        ::LocalFree(arguments);
        return FALSE;
    }
};

CUpdateCheckApp theApp;
