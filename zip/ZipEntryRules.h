#pragma once
// The archive reader's rules that need no file system: how stored entry names are cleaned, which
// Windows attributes an entry gets from its host system, how its DOS time and its extended
// timestamp ("UT" extra block) read. The Win32 reader applies them around minizip.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zip {

// Windows file-attribute bits.
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;

// Drops drive prefixes ("C:"), leading separators and everything up to and including each
// "\..\", "\../", "/../" or "/..\", repeated until none applies. Inner separators stay as stored.
std::wstring CleanEntryName(const std::wstring& stored);

// True when a cleaned name can only name a place below the target folder: not absolute, no
// drive, no ".." component. The cleaning above leaves a leading "../" in place, for one.
bool StaysInsideTarget(const std::wstring& name);

// Attributes from the central directory's external attributes and version-made-by field.
// Hosts 0 (MS-DOS), 7, 11 and 14 carry DOS attribute bits; the others get directory from
// bit 30, read-only when bit 23 (owner write) is clear, and always the archive bit.
std::uint32_t EntryAttributes(std::uint32_t externalAttributes, std::uint16_t versionMadeBy);

struct DosDateTime {
    int year, month, day, hour, minute, second;
};
DosDateTime DecodeDosDateTime(std::uint16_t date, std::uint16_t time);

// Windows file time (100 ns since 1601-01-01) of a count of seconds since 1970-01-01 UTC.
std::int64_t UnixSecondsToFileTime(std::int32_t seconds);

struct ExtendedTimestamp {
    std::optional<std::int64_t> modification, access, creation;  // Windows file times, UTC
};

// Scans a local extra field for the extended-timestamp block. Fields shorter than 5 bytes are
// not scanned; times that would lie past the field's end are not read.
ExtendedTimestamp ReadExtendedTimestamp(const std::uint8_t* field, std::size_t length);

}  // namespace zip
