#pragma once
// The launcher's question before quitting ("是否退出澜岳登录器？"), asked with its own message box.

#include <windows.h>

// Asks over `owner`; a yes ends the process at once with exit code 0, anything else returns.
void ConfirmQuit(HWND owner);
