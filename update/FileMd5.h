#pragma once
// The MD5 of a whole file through CryptoAPI, as the update log records it.

#include <string>

// Appends the file's MD5 as 32 lowercase hexadecimal digits to `output`. False when the file
// cannot be opened (output unchanged) or a later step fails (output keeps what was appended).
bool FileMd5Hex(const std::wstring& path, std::wstring& output);
