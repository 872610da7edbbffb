#pragma once
// The version check of a login page: asks the version server (string 191) and, when it names a
// newer executable, downloads it and hands over. Synchronous; returns when there is no update or
// the download did not complete, and never returns once the hand-over starts.

#include <string>

void RunUpdateCheck();

// The same check against a version server and script path given by the caller.
void RunUpdateCheck(const std::wstring& baseAddress, const std::wstring& scriptPath);
