#include "App.h"

// The entry point hands the process to the one global application object.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    wnd::App* application = wnd::App::Current();
    return application ? application->Start() : 0;
}
