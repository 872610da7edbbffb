#pragma once
// The update log, res\update.log in the data folder: UTF-16LE lines without a byte-order mark,
// appended and never rewritten. The only record of what the self-update did.

#include <string>

// The line that closes each check without an update and each hand-over: 21 equals signs.
constexpr wchar_t kUpdateLogClosingLine[] = L"=====================";

// Appends one line (the local time, the tag and the message) to <data folder>res\update.log.
// 0 when the line was written, -1 when the file could not be opened or take it.
int WriteUpdateLog(const std::wstring& message);

// The same line into <folder>res\update.log; the folder ends in a backslash. The log writer never
// creates folders, and holds the file unshared for the moment of the append.
int AppendUpdateLogLine(const std::wstring& folder, const std::wstring& message);

// The log's path below a folder that ends in a backslash.
std::wstring UpdateLogPath(const std::wstring& folder);

// Deletes the log when it has grown past the limit. Only its size is read, sharing the file for
// reading; a log that cannot be opened stays.
void LimitUpdateLogSize(const std::wstring& logPath);
