#pragma once
// The self-update's rules that need no window: the version-check address, what the server's
// answer means, and when a download is complete.

#include <cstddef>
#include <cstdint>
#include <string>

// The check reads the answer in one read into a buffer of this size.
constexpr std::size_t kAnswerBufferBytes = 1024;

// "%s/%s%s": base address, a slash, the script path with its query, the version text unescaped.
std::wstring BuildCheckAddress(const std::wstring& baseAddress, const std::wstring& scriptPath,
                               const std::wstring& version);

// Whether the answer names a download: longer than 5 characters and not starting with a negative
// number (leading white space skipped). An answer that filled the whole read buffer is longer than
// the check supports and never names one.
bool AnswerNamesDownload(const std::wstring& answer, bool filledBuffer);

// The download address of an answer that names one: the answer without the blanks, tabs and line
// breaks servers put around it.
std::wstring DownloadAddressOf(const std::wstring& answer);

// The announced length of a download: the leading decimal number of its Content-Length header,
// 0 when the header is absent.
std::uint32_t AnnouncedLength(const std::wstring& contentLengthHeader);

// A download is complete when what was there before plus what arrived is the announced length,
// all counted in 32 bits.
bool DownloadComplete(std::uint32_t startingSize, std::uint32_t receivedBytes, std::uint32_t announcedLength);
