#pragma once
// The two-stage uninstaller. The first stage ("... -u") asks in the launcher's message box, copies
// the executable to the cache folder, starts that copy as the second stage with "-u <path>" and
// removes the Uninstall key. The second stage deletes the shortcuts, the first stage's executable
// and the res folder beside it, and the Start-menu folders when they are left empty. Nothing is
// reported; what could not be removed stays. Deleted items go to the recycle bin, except the
// executable.

#include <windows.h>

#include <string>

void RunUninstallConfirmation();
void RunUninstallRemoval(const std::wstring& executable);

// Deletes a file or a whole folder through the shell, into the recycle bin, without any window.
// A path that does not fit the shell's list buffer is refused.
BOOL DeletePath(const std::wstring& path);

// Tells the shell that the item went and its folder changed; cuts the buffer to the parent folder.
void NotifyPathRemoved(std::wstring& path);

// DeletePath, and NotifyPathRemoved when it succeeded; for files and folders alike.
BOOL DeleteFolderAndNotify(const std::wstring& folder);

// TRUE when the folder lists nothing but "." and ".."; also when it cannot be listed.
BOOL IsFolderEmpty(const std::wstring& folder);
