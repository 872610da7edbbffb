#pragma once
// The update log's line format. A line is
//   "%2d-%2d-%2d %2d:%2d:%2d : \t%s\t%s"   (year, month, day, hour, minute, second, tag, message)
// with every number at least two wide and padded with blanks, never zeros, followed by CR LF,
// which the writer appends as a write of its own.

#include <cstdint>
#include <string>

struct UpdateLogTime {
    int year, month, day, hour, minute, second;
};

// The line without its CR LF. The message is taken unchanged, line breaks included.
std::wstring FormatUpdateLogLine(const UpdateLogTime& time, const std::wstring& message);

// The tag every line carries.
extern const wchar_t kUpdateLogTag[];

// A log larger than this is deleted at the start of the next version check; one of exactly
// this size stays.
constexpr std::uint64_t kUpdateLogLimitBytes = 10 * 1024 * 1024;
