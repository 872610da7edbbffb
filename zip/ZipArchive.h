#pragma once
// A ZIP archive read in place from memory through minizip's unzip interface: the entries'
// descriptions and their inflated data. Window-free; the Win32 reader (ZipReader) writes files.

#include "ZipEntryRules.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zip {

// Results of the reader's operations.
constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kCannotOpen = 0x200;       // no central directory, or no output file
constexpr std::uint32_t kWriteFailed = 0x400;
constexpr std::uint32_t kBadLocalHeader = 0x700;
constexpr std::uint32_t kBadExtraField = 0x800;
constexpr std::uint32_t kEncrypted = 0x1000;
constexpr std::uint32_t kBadIndex = 0x10000;
constexpr std::uint32_t kBadData = 0x5000000;

// Longest stored name the reader takes, in bytes; longer names are given as empty names, which
// nothing can be extracted to, rather than cut into some other name.
constexpr std::size_t kMaxStoredName = 259;
constexpr std::size_t kTransferSize = 16384;

struct ArchiveEntry {
    std::int32_t index = 0;          // or the number of entries, for index -1
    std::wstring name;               // cleaned
    std::uint32_t attributes = 0;
    std::uint16_t dosDate = 0, dosTime = 0;
    ExtendedTimestamp extendedTimes;
    std::int32_t compressedSize = 0, uncompressedSize = 0;
    bool encrypted = false;
};

class ZipArchive {
public:
    // Null when the block holds no readable archive. The block is not copied: it must outlive
    // the archive.
    static std::unique_ptr<ZipArchive> OpenMemory(const void* data, std::size_t length);
    ~ZipArchive();

    std::int32_t EntryCount() const { return m_entryCount; }

    // The description of entry `index`, or for -1 the count with an empty name. Asking again
    // for the last index answers from the saved description.
    std::uint32_t ReadEntry(std::int32_t index, ArchiveEntry& entry);

    // Inflates entry `index` and hands its data to `sink` in pieces of at most kTransferSize
    // bytes; the sink answers false when it could not store a piece (kWriteFailed).
    std::uint32_t ReadData(std::int32_t index, const std::function<bool(const std::uint8_t*, std::size_t)>& sink);

private:
    struct MemorySource {
        const std::uint8_t* data;
        std::size_t length;
        std::size_t position;
    };

    ZipArchive() = default;
    std::uint32_t MoveTo(std::int32_t index);

    MemorySource m_source = {};
    void* m_unzip = nullptr;
    std::int32_t m_entryCount = 0;
    std::int32_t m_currentIndex = 0;
    ArchiveEntry m_lastEntry;
    std::int32_t m_lastIndex = -1;
    std::vector<std::uint8_t> m_buffer;  // made on first use
};

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::wstring Utf8ToWide(const std::string& text);

}  // namespace zip
