#pragma once
// The application object that every launcher process runs first: it initialises the platform
// libraries, reads the raw command line and runs one mode (see CommandLine.h for the grammar).

#include "../wnd/App.h"

class CRadure_YVApp : public wnd::App {
public:
    // Answers TRUE only in the child-game-window mode, the one mode that needs the message loop;
    // every other mode does its whole work here.
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    ULONG_PTR m_gdiplusToken = 0;
};
