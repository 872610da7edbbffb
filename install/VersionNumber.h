#pragma once
// Executables are compared by their file-version text with the dots removed, read as a decimal
// number: "1.0.1.0" is 1010. The digits are joined, not compared field by field, so 1.0.10.0
// (10100) counts as newer than 1.1.0.0 (1100). Texts without digits (no file, no version) give 0.

#include <cstdint>
#include <string>

std::int32_t VersionNumber(const std::wstring& versionText);
