#pragma once
// The settings file res\systemset.ini below the data folder, read and written through the system's
// profile-string functions (8-bit text in the ANSI code page, names matched without regard to case).
// Callers name their section and key as literals; there is no central table of keys.

#include <string>

// The settings file's path, built anew on each call.
std::wstring GetSettingsFilePath();

// The key's value, at most 259 characters; the default when the file, the section or the key is
// missing. A key present with an empty value gives the empty string.
std::wstring ReadSetting(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue);

// Sets the key, creating key, section and file as needed. A failure (no res folder) is silent.
void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value);
