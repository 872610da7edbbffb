#pragma once
// The hand-over of a self-update. The old launcher starts the downloaded executable with
// "-d <installed path>" and ends; that instance copies itself over the installed executable,
// starts it afresh and ends.

#include <windows.h>

#include <string>

// Starts `executable` with the command line "-d " + target (no program name in front) and ends
// the process with exit code 0, whether or not the start succeeded.
[[noreturn]] void StartHandover(const std::wstring& executable, const std::wstring& target);

// The "-d" mode: replaces the target with the running executable, logs its MD5 and version,
// starts it and ends the process. Returns only when the copy failed; the failure is logged.
void CompleteHandover(const std::wstring& target);

// Copies source over target. The old launcher may still be ending when the "-d" instance starts,
// so a target in use is retried for a few seconds. ERROR_SUCCESS or the last system error code.
DWORD CopyOverTarget(const std::wstring& source, const std::wstring& target);
