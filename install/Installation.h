#pragma once
// The installation that every normal start runs: the data folder, the default settings unpacked
// once, the shortcuts, the Uninstall entry and the per-user record, and the copy of the running
// executable into the data folder when the copy there is missing or older. Nothing here is shown
// to the user and no failure stops the launcher. COM must be initialised on the calling thread.

#include <windows.h>

#include <string>

void SetUpInstallation();

// Unpacks the default-settings archive into <dataFolder>\res once (marker "start" = 1001 in
// section Setting). dataFolder has no trailing backslash.
void ExtractDefaultSettings(const std::wstring& dataFolder);

// Writes folder\linkName pointing at target with the arguments; the uninstall icon is
// <target's folder>\res\uninstall.ico.
BOOL CreateShortcut(const wchar_t* target, const wchar_t* arguments, const wchar_t* folder, const wchar_t* linkName,
                    BOOL useUninstallIcon);

// The name of the Uninstall key and of the per-user record's section.
extern const wchar_t kRegistryWord[];
extern const wchar_t kUninstallKeyParent[];
