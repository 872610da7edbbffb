// Test helper: a launcher that only runs the installation step, as the login window will, and
// ends. Built at several file versions (and one without a version resource) so that the tests can
// start "newer" and "older" launchers.
#include "install/Installation.h"
#include "wnd/App.h"

#include <objbase.h>

class CInstallStepApp : public wnd::App {
public:
    BOOL InitInstance() override
    {
        wnd::App::InitInstance();
        SetRegistryKey(kRegistryWord);
        ::CoInitialize(nullptr);
        SetUpInstallation();
        ::CoUninitialize();
        return FALSE;
    }
};

CInstallStepApp theApp;
